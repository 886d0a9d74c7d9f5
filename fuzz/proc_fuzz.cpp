// Fuzz target: compiling and running arbitrary procedure text.
//
// The first input byte picks _PRECIS, how the run starts (from the top, from the first
// label, keeping a result, as local) and which statuses the fake commands answer; the rest
// is the procedure. Each input runs in a fresh state over a small scratch stack, with a
// statement budget (so that loops that never end stop with 129), command handlers in all
// six slots that record what they get and answer a status, and a file system that refuses
// everything, so that nothing reaches the disk. Beyond the sanitizers, the target checks the
// interpreter's contracts: the scratch stack, the evaluation nesting, the run nesting and the
// argument stack are back where they were, the table holds only the procedure added, no
// more statements ran than the budget allows, and the runtime shuts down without a leak.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "core/files.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "data/exprbind.h"
#include "data/state.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/state.h"
#include "expr/sysvars.h"
#include "proc/chain.h"
#include "proc/compile.h"
#include "proc/load.h"
#include "proc/run.h"
#include "proc/state.h"
#include "deny_fs.h"

namespace {

using namespace orv;

#define CHECK(cond)                                                                \
  do {                                                                             \
    if (!(cond)) {                                                                 \
      fprintf(stderr, "proc_fuzz: check failed: %s (line %d)\n", #cond, __LINE__); \
      abort();                                                                     \
    }                                                                              \
  } while (0)

constexpr uint64_t kBudget = 3000;

// What the fake commands answer: 0, or a status that stops the procedure.
Status g_answer = 0;
uint32_t g_commands = 0;

Status FakeCommand(uint16_t slot, uint16_t op, const CommandArgs& args) {
  CHECK(args.count <= kMaxCommandArgs);
  for (uint16_t i = 1; i <= args.count; ++i) CHECK(args.Text(i).ok());
  // Slot 0 passes every third command on, so the chain is walked too. A command is counted
  // where it is served, once per statement.
  if (slot == 0 && op % 3 == 0) return CommandPass(slot, op, args);
  ++g_commands;
  return op % 5 == 0 ? g_answer : Status(0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 8192) return 0;
  RuntimeSizes(64, 0, kDefaultBlockCapacity);
  CHECK(RuntimeInit() == 0 && ExprInit() == 0);
  DenyFs deny;
  g_files.fs = &deny;
  DataReset();
  DataBindExpression();
  ProcReset();
  ProcRunnerInstall(ProcRun);
  for (uint16_t slot = 0; slot < 6; ++slot) CommandHandlerInstall(slot, FakeCommand);
  g_proc.bounded = true;
  g_proc.budget = kBudget;
  g_answer = (data[0] & 0x40) ? kSyntaxError : 0;
  g_commands = 0;
  SysSet(kSysPrecis, data[0] % 5);
  Val text(reinterpret_cast<const char*>(data + 1), static_cast<uint16_t>(size - 1));

  uint16_t mark = ScratchMark();
  uint16_t args = SlotCount(kArgStackGroup);
  auto proc = std::make_unique<Procedure>();
  Status st = ProcCompileText(text, proc.get());
  if (st == 0) {
    Val entry = (data[0] & 0x08) && !proc->labels.empty() ? ValOf(proc->labels[0]) : Val();
    int flags = ((data[0] >> 4) & 1 ? kRunKeepResult : 0) | ((data[0] >> 5) & 1 ? kRunLocal : 0) |
                ((data[0] & 0x80) ? kRunTask : 0);
    uint16_t number = 0;
    CHECK(ProcAdd(std::move(proc), &number) == 0 && number == 0);
    ProcRun(entry, Val(), flags);
    CHECK(g_proc.table.size() == 1);
  }
  CHECK(ScratchMark() == mark);
  CHECK(g_expr.depth == 0);
  CHECK(g_proc.depth == 0);
  CHECK(SlotCount(kArgStackGroup) == args);
  CHECK(g_proc.budget <= kBudget && g_commands <= kBudget);

  ProcReset();
  DataReset();
  ExprShutdown();
  FilesReset();
  CHECK(RuntimeShutdown() == 0);
  return 0;
}
