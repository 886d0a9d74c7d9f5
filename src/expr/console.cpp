// The expression console.
#include "expr/console.h"

#include <string>

#include "core/cp1252.h"
#include "core/scratch.h"
#include "core/status.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"

namespace orv {

namespace {

std::string ErrorLine(Status st) {
  return "E " + std::to_string(st) + " " + Cp1252ToUtf8(StatusName(st).sv());
}

}  // namespace

Status ConsoleEval(std::string_view typed, std::string* line) {
  ErrRecord(2, kAreaNone, 0, 0);
  ErrReport(0, Val(), false);
  std::string cp1252;
  std::string_view text = Utf8ToCp1252(typed, &cp1252) ? std::string_view(cp1252) : typed;
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

}  // namespace orv
