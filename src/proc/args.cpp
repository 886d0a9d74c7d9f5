// Bracket expansion and arguments.
#include "proc/args.h"

#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/expand.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"

namespace orv {

Val StatementExpand(Val text) {
  return TextExpand(text, kExpandPlainBrackets, Val());
}

uint16_t ArgsSplit(Val list, Val seps, Span* spans, uint16_t max) {
  if (TextTrim(list, kTrimBoth).empty()) return 0;
  uint16_t count = 0, start = 0, depth = 0;
  char quote = 0;
  for (uint32_t i = 0; i <= list.len; ++i) {
    char c = i < list.len ? list.ptr[i] : '\0';
    if (i < list.len) {
      if (quote) {
        if (c == quote) quote = 0;
        continue;
      }
      if (IsQuoteChar(c)) {
        quote = c;
        continue;
      }
      if (c == '(') ++depth;
      if (c == ')' && depth) --depth;
      if (depth || !CharInSet(seps, c)) continue;
    }
    if (count < max) spans[count] = Span{uint16_t(start), uint16_t(i - start)};
    if (count < 0xFFFF) ++count;
    start = uint16_t(i + 1);
  }
  return count;
}

Status CommandArgsLoad(Val list, CommandArgs* args) {
  Span spans[kMaxCommandArgs];
  uint16_t count = ArgsSplit(list, ","_v, spans, kMaxCommandArgs);
  if (count > kMaxCommandArgs) {
    ErrRecord(1, kAreaExecRunTime, kSyntaxError, 0);
    return ErrReport(kSyntaxError, "more than 16 arguments"_v, true);
  }
  args->count = count;
  for (uint16_t i = 0; i < count; ++i) {
    Val arg(list.ptr + spans[i].off, spans[i].len);
    Status st = Evaluate(arg);
    if (st >= kCancelled) return st;
    Val v = ScratchTop();
    args->is_text[i] = st == kResultText;
    if (args->is_text[i]) {
      args->texts[i] = v;
      args->ints[i] = 0;
      continue;
    }
    int64_t n = NumberOf(v);
    int64_t whole = 0;
    RoundedDiv(n, g_expr.scale, &whole);
    args->ints[i] = int16_t(whole > INT16_MAX ? INT16_MAX : whole < INT16_MIN ? INT16_MIN : whole);
    args->texts[i] = NumberToText(n, g_expr.precis);
    if (Status st2 = ValCheck(args->texts[i])) return st2;
  }
  return kOk;
}

}  // namespace orv
