// Fuzz target: masks, field conversions, dates and times.
//
// Input: byte 0 picks the operation, byte 1 the language (bit 0: Spanish conventions, bit 1:
// a language that writes the day first) and the mask mode, byte 2 a field type, bytes 3-4
// a width, bytes 5-8 an amount; the rest is two texts separated by the first newline.
// Each input runs over a fresh runtime and expression state with a small scratch stack.
// Beyond the sanitizers the target checks the contracts: a mask's result is exactly as
// long as the mask and all '*' when the value did not fit; conversions give exactly the
// field's width or 168; date texts are valid dates that read back; day arithmetic and day
// distances agree; times lie within a day; the scratch stack is balanced.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/files.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "deny_fs.h"
#include "expr/dates.h"
#include "expr/descriptor.h"
#include "expr/fieldconv.h"
#include "expr/masks.h"
#include "expr/state.h"

namespace {

using namespace orv;

#define CHECK(cond)                                                                  \
  do {                                                                               \
    if (!(cond)) {                                                                   \
      fprintf(stderr, "format_fuzz: check failed: %s (line %d)\n", #cond, __LINE__); \
      abort();                                                                       \
    }                                                                                \
  } while (0)

constexpr char kTypes[] = "ABCDFLNPV123456789X";

Val SpanishMessages(Val number) {
  if (number.sv() == "0019") return ",.'0123456789,-D',' NS','  ,NO,SI'"_v;
  if (number.sv() == "0117")
    return "'Enero,Febrero,Marzo,Abril,Mayo,Junio,Julio,Agosto,Septiembre,Octubre,Noviembre,"
           "Diciembre','[D] de [M] de [Y]'"_v;
  return Val();
}

bool IsNumberType(char t) { return t == 'N' || t == 'L' || (t >= '1' && t <= '9'); }

bool AllDigits(Val v) {
  for (uint16_t i = 0; i < v.len; ++i)
    if (v.ptr[i] < '0' || v.ptr[i] > '9') return false;
  return true;
}

// Statuses that only say the scratch stack or a value ran out of room.
bool OutOfRoom(Val v) { return ValCheck(v) == kOutOfMemory || ValCheck(v) == kStringTooLong; }

void CheckMask(Val mask, Val value, int mode) {
  Val r = ApplyMask(mask, value, mode);
  if (!r.ok()) {
    CHECK(OutOfRoom(r));
    return;
  }
  CHECK(r.len == mask.len);
  bool fits = true;
  Val n = NumericMask(mask, value, DescriptorCurrent(), &fits);
  if (!n.ok()) {
    CHECK(OutOfRoom(n));
    return;
  }
  CHECK(n.len == mask.len);
  if (!fits)
    for (uint16_t i = 0; i < n.len; ++i) CHECK(n.ptr[i] == '*');
}

void CheckConversion(int op, char type, uint16_t width, Val text) {
  Val r = op == 0 ? FieldToDisplay(type, text, width)
          : op == 1 ? DisplayToField(type, text, width)
                    : FitToWidth(type, text, width);
  if (!r.ok()) {
    CHECK(OutOfRoom(r) || (ValCheck(r) == kDataOutBound && op > 0 && IsNumberType(type)));
    return;
  }
  CHECK(r.len == width);
}

void CheckDates(Val text, int style, int32_t amount) {
  Val d = TextToDate(text);
  if (!d.ok()) {
    CHECK(OutOfRoom(d));
    return;
  }
  CHECK(d.len == 0 || d.len == 8);
  if (d.len == 8 && AllDigits(d)) {
    DateParts p = DatePartsOf(d);
    CHECK(IsValidDate(p.year, p.month, p.day));
    Val shown = DateToText(d, 2);
    CHECK(shown.len == 10);
    CHECK(ValEq(TextToDate(shown), d));
    int64_t moved = 0, distance = 0;
    if (DateCalc(p, 'D', true, amount, &moved) == kOk && amount < 10001) {
      DateParts q{moved / 10000, moved / 100 % 100, moved % 100};
      CHECK(IsValidDate(q.year, q.month, q.day));
      // A date of the year 0 is no base: as a number it is below 10001, an amount.
      if (moved >= 10001 && DateValue(p) >= 10001) {
        CHECK(DateCalc(q, 'D', true, DateValue(p), &distance) == kOk);
        CHECK(distance == amount);
      }
    }
    if (DateCalc(p, 'M', true, amount % 10001, &moved) == kOk) {
      DateParts q{moved / 10000, moved / 100 % 100, moved % 100};
      CHECK(IsValidDate(q.year, q.month, q.day) && q.day <= p.day);
    }
  }
  Val t = DateToText(text, style);
  if (!t.ok()) {
    CHECK(OutOfRoom(t));
    return;
  }
  if (style == 1) CHECK(t.len == 8);
  if (style == 2) CHECK(t.len == 10);
  if (style == 0) CHECK(t.len == 0 || t.len == 8);
}

void CheckTimes(Val text, int style) {
  int64_t ms = TextToTime(text);
  CHECK(ms >= 0 && ms < kDayMs);
  Val t = TimeToText(ms, style);
  if (!t.ok()) {
    CHECK(OutOfRoom(t));
    return;
  }
  size_t len = (style & 2 ? 6 : 4) + (style & 1 ? (style & 2 ? 2 : 1) : 0) + (style & 4 ? 4 : 0);
  CHECK(t.len == len);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9 || size > 4096) return 0;
  RuntimeSizes(64, 0, kDefaultBlockCapacity);
  CHECK(RuntimeInit() == 0 && ExprInit() == 0);
  DenyFs deny;
  g_files.fs = &deny;
  ExprSetToday("20240601"_v);
  g_rt.message = data[1] & 1 ? SpanishMessages : nullptr;
  SlotSet(kSlotGroupSettings, kSettingLanguageCode, data[1] & 2 ? "ES"_v : "EN"_v);
  DescriptorStore();
  int op = data[0] % 6;
  int mode = (data[1] >> 2) % 3 == 0 ? 0 : (data[1] >> 2) % 3 == 1 ? 1 : 255;
  char type = kTypes[data[2] % (sizeof kTypes - 1)];
  uint16_t width = uint16_t((data[3] | data[4] << 8) % 512);
  int32_t amount;
  memcpy(&amount, data + 5, sizeof amount);
  const char* rest = reinterpret_cast<const char*>(data + 9);
  size_t n = size - 9;
  const void* nl = memchr(rest, '\n', n);
  size_t first = nl ? size_t(static_cast<const char*>(nl) - rest) : n;
  Val a(rest, uint16_t(first));
  Val b = nl ? Val(rest + first + 1, uint16_t(n - first - 1)) : Val();

  uint16_t mark = ScratchMark();
  {
    ScratchScope scope;
    switch (op) {
      case 0:
        CheckMask(a, b, mode);
        break;
      case 1: {
        Val e = ExpandMask(a);
        if (!e.ok()) CHECK(OutOfRoom(e));
        Val d = DefaultMask(type, width);
        CHECK(!d.ok() || d.len == width);
        CHECK(CleanNumber(a, DescriptorCurrent()).len <= 20);
        break;
      }
      case 2:
      case 3:
        CheckConversion(data[0] / 6 % 3, type, width, a);
        break;
      case 4:
        CheckDates(a, data[1] >> 4 & 7, amount);
        break;
      default:
        CheckTimes(a, data[1] >> 4 & 7);
        break;
    }
  }
  CHECK(ScratchMark() == mark);
  ExprShutdown();
  FilesReset();
  CHECK(RuntimeShutdown() == 0);
  return 0;
}
