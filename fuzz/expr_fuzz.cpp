// Fuzz target: preparation and evaluation of arbitrary expression texts.
//
// The first input byte picks _PRECIS and which entry point runs; the rest is the expression.
// Each input runs in a fresh expression state over a small scratch stack (so that running
// out of it is exercised too), with a fake dictionary and name hooks installed. Beyond the
// sanitizers, the target checks the evaluator's contracts: exactly one value is left, a
// number is 8 bytes, the nesting counter returns to zero, and number texts convert back to
// the numbers they came from.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/runtime.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "expr/eval.h"
#include "expr/execute.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/sysvars.h"

namespace {

using namespace orv;

// A broken contract: say which and stop.
#define CHECK(cond)                                                      \
  do {                                                                   \
    if (!(cond)) {                                                       \
      fprintf(stderr, "expr_fuzz: check failed: %s (line %d)\n", #cond, __LINE__); \
      abort();                                                           \
    }                                                                    \
  } while (0)

uint16_t Resolve(Val ref) {
  if (ref.len && ref.ptr[0] == 'T') return 'A';
  if (ref.len && ref.ptr[0] == 'X') return kBadFileNumber;
  return 'N';
}
Val ReadField(Val ref) { return ref.len > 4 ? ValSub(ref, 1, 3) : "12.5"_v; }
Status WriteField(Val, Val) { return 0; }
Val NameHook(Val name, int) { return name.len == 3 ? "7"_v : ValError(kDataError); }
Val IndexedHook(Val name, int16_t first, int) {
  return name.len == 2 && first > 0 ? "x"_v : ValError(kDataError);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 4096) return 0;
  RuntimeSizes(64, 0, kDefaultBlockCapacity);
  CHECK(RuntimeInit() == 0 && ExprInit() == 0);
  FieldHooksInstall(FieldHooks{Resolve, ReadField, WriteField});
  NameHookInstall(NameHook);
  IndexedHookInstall(IndexedHook);
  SlotPush(kArgStackGroup, "model"_v);
  SysSet(kSysPrecis, data[0] % 5);
  Val text(reinterpret_cast<const char*>(data + 1), static_cast<uint16_t>(size - 1));

  uint16_t mark = ScratchMark();
  switch ((data[0] / 5) % 4) {
    case 0: {
      Status st = Evaluate(text);
      CHECK(ScratchMark() == mark + 1);
      if (st == kResultNumber) CHECK(ScratchTop().len == kNumberLen);
      ScratchRelease(mark);
      break;
    }
    case 1:
      EvalCondition(text);
      break;
    case 2:
      EvalText(text);
      ScratchRelease(mark);
      break;
    default:
      Execute(text);
      break;
  }
  CHECK(ScratchMark() == mark);
  CHECK(g_expr.depth == 0);

  // Number texts read back as the numbers they were made from.
  if (size >= 9) {
    int64_t v;
    memcpy(&v, data + 1, sizeof v);
    int precis = data[0] % 5;
    int64_t back = 0;
    CHECK(TextToNumber(NumberToText(v, precis), precis, &back) == 0 && back == v);
  }
  ScratchRelease(mark);
  ExprShutdown();
  CHECK(RuntimeShutdown() == 0);
  return 0;
}
