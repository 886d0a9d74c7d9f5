// The expression console.
#include "expr/console.h"

#include <string>

#include "core/cp1252.h"
#include "core/scratch.h"
#include "core/status.h"
#include "expr/eval.h"
#include "expr/fieldconv.h"
#include "expr/masks.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"

namespace orv {

namespace {

std::string ErrorLine(Status st) {
  return "E " + std::to_string(st) + " " + Cp1252ToUtf8(StatusName(st).sv());
}

// The text typed, in CP1252 (as it is when it is not valid UTF-8).
std::string_view Typed(std::string_view typed, std::string* cp1252) {
  return Utf8ToCp1252(typed, cp1252) ? std::string_view(*cp1252) : typed;
}

}  // namespace

Status ConsoleEval(std::string_view typed, std::string* line) {
  ErrRecord(2, kAreaNone, 0, 0);
  ErrReport(0, Val(), false);
  std::string cp1252;
  std::string_view text = Typed(typed, &cp1252);
  if (text.size() > kMaxValLen) {
    *line = ErrorLine(kStringTooLong);
    return kStringTooLong;
  }
  ScratchScope scope;
  Status st = Evaluate(ValOf(text));
  if (st == kResultText) {
    *line = "T " + Cp1252ToUtf8(ScratchTop().sv());
    return kOk;
  }
  if (st != kResultNumber) {
    *line = ErrorLine(st);
    return st;
  }
  int64_t v = NumberOf(ScratchTop());
  *line = "N ";
  *line += v == 0 ? std::string("0") : NumberToText(v, g_expr.precis).str();
  return kOk;
}

Status ConsoleFormat(std::string_view kind, char type, uint16_t width, std::string_view typed,
                     std::string* line) {
  ErrRecord(2, kAreaNone, 0, 0);
  ErrReport(0, Val(), false);
  std::string cp1252;
  std::string_view text = Typed(typed, &cp1252);
  Status st = text.size() > kMaxValLen ? kStringTooLong : kOk;
  ScratchScope scope;
  Val v = ValOf(text);
  Val out = ValError(kSyntaxError);
  if (st) out = ValError(st);
  else if (kind == "display") out = FieldToDisplay(type, v, width);
  else if (kind == "store") out = DisplayToField(type, v, width);
  else if (kind == "fit") out = FitToWidth(type, v, width);
  else if (kind == "default-mask") out = DefaultMask(type, width);
  else if (kind == "expand-mask") out = ExpandMask(v);
  st = ValCheck(out);
  *line = st ? ErrorLine(st) : "T " + Cp1252ToUtf8(out.sv());
  return st;
}

}  // namespace orv
