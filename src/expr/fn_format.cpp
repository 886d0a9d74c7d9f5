// Formatting functions: FN#VALN (numbers, date parts and date arithmetic), FN$DATE,
// FN$MASK and TIME$.
#include "core/folders.h"
#include "core/list.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/status.h"
#include "expr/args.h"
#include "expr/builtins.h"
#include "expr/dates.h"
#include "expr/descriptor.h"
#include "expr/funcs.h"
#include "expr/masks.h"
#include "expr/numtext.h"
#include "expr/state.h"

namespace orv {

namespace {

// Style bit of FN$DATE and TIME$: the first argument names a file whose stamp is used.
constexpr int16_t kStyleFileStamp = 128;
// Which stamp of a file, and in which form (FileTimeText).
constexpr int kStampWritten = 2, kStampDate = 0, kStampTime = 1;

Status ValueCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val text, kind;
  if (Status st = ArgsLoad(call, 1, 3, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &text)) return st;
  if (Status st = a.Text(2, "N"_v, &kind)) return st;
  char k = kind.len ? kind.ptr[0] : 'N';
  if (k == 'N') {
    int64_t v;
    if (Status st = TextToNumber(CleanNumber(text, DescriptorCurrent()), g_expr.precis, &v))
      return st;
    return ReturnNumber(scope, v);
  }
  // The base is a date or an amount in full, never cut to 16 bits.
  int64_t base = 0;
  if (a.IsText(3)) base = DateValue(DatePartsOf(a.values[2]));
  else if (Status st = a.Long(3, 0, &base)) return st;
  int64_t out;
  if (Status st = DateCalc(DatePartsOf(text), k, a.Has(3), base, &out)) return st;
  return ReturnInteger(scope, out);
}

// The stamp of a file named by a text (its %...% keys expanded); empty when it is missing.
Val FileStamp(Val name, int form) {
  ScratchScope scope;
  Val path = ExpandPathKeys(name);
  if (!path.ok()) return path;
  return scope.Return(FileTimeText(path, kStampWritten, form));
}

Status DateCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  int16_t style;
  if (Status st = ArgsLoad(call, 0, 2, kAllArgs, &a)) return st;
  if (Status st = a.Int(2, 0, &style)) return st;
  Val date;
  bool today_for_empty = true;
  if (a.IsNumber(1)) {
    int64_t n;
    if (Status st = a.Long(1, 0, &n)) return st;
    date = n >= 0 && n <= 99999999 ? ValFormat(9, "%08d", int(n)) : "-"_v;
  } else if (a.IsText(1)) {
    date = a.values[0];
    if (style & kStyleFileStamp) {
      date = FileStamp(date, kStampDate);
      today_for_empty = false;  // a missing file has no date
    } else if (TextFindAnyOf(date, "-./"_v, kQuoteAware) != kNone) {
      date = TextToDate(date);
      today_for_empty = false;  // an invalid date is no date, not today
    }
  }
  if (Status st = ValCheck(date)) return st;
  return ReturnText(scope, DateToText(date, style & 0x7F, today_for_empty));
}

Status MaskCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val mask;
  int16_t mode;
  if (Status st = ArgsLoad(call, 2, 3, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &mask)) return st;
  if (Status st = a.Int(3, kMaskAuto, &mode)) return st;
  return ReturnText(scope, ApplyMask(mask, a.TextOfAny(2, Val()), mode));
}

Status TimeCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val text;
  int16_t style;
  if (Status st = ArgsLoad(call, 0, 2, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &text)) return st;
  if (Status st = a.Int(2, 0, &style)) return st;
  if (style & kStyleFileStamp) {
    text = FileStamp(text, kStampTime);
    if (Status st = ValCheck(text)) return st;
    if (text.len == 0) return ReturnText(scope, Val());  // a missing file has no time
  }
  return ReturnText(scope, TimeToText(TextToTime(text), style & 0x7F));
}

}  // namespace

void FormatFunctionsInstall() {
  BuiltinInstall(kFnValue, BuiltinEntry{ValueCall, nullptr});
  BuiltinInstall(kFnDate, BuiltinEntry{DateCall, nullptr});
  BuiltinInstall(kFnMask, BuiltinEntry{MaskCall, nullptr});
  BuiltinInstall(kFnTime, BuiltinEntry{TimeCall, nullptr});
}

}  // namespace orv
