// Preparation of expression texts.
#include "expr/prepare.h"

#include <cstring>

#include "core/block.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "expr/cursor.h"
#include "expr/tokens.h"

namespace orv {

namespace {

struct Shortcut {
  Val call;      // the name with its '('
  Val before;    // the template's text before the argument
  Val after;     // and after it
};

// _ACCEPT#(n) and _ACCEPT$(n) read value n of the running dialog's value list (text slot
// group 9, item 7). "_OTHER$(" belongs to the same family but is never rewritten.
constexpr Shortcut kShortcuts[] = {
    {"_ACCEPT#("_v, "FN#VALN(FN$TRIM(FN$PARM(_$(.envvar;.dialog);"_v, ");'FIT'))"_v},
    {"_ACCEPT$("_v, "FN$TRIM(FN$PARM(_$(.envvar;.dialog);"_v, ");'FIT')"_v},
};

// The position just past a quoted section that opens at i (the text's end when unclosed).
uint32_t SkipQuote(Val t, uint32_t i) {
  const void* close = memchr(t.ptr + i + 1, t.ptr[i], t.len - i - 1);
  return close ? uint32_t(static_cast<const char*>(close) - t.ptr) + 1 : t.len;
}

bool ParensBalance(Val t) {
  int64_t open = 0, close = 0;
  for (uint32_t i = 0; i < t.len;) {
    char c = t.ptr[i];
    if (IsQuoteChar(c)) {
      i = SkipQuote(t, i);
      continue;
    }
    open += c == '(';
    close += c == ')';
    ++i;
  }
  return open == close;
}

// The position of the first forbidden blank outside quotes, kNone when every blank is
// allowed; *blanks tells whether there is any blank to remove.
uint32_t FirstForbiddenBlank(Val t, bool* blanks) {
  for (uint32_t i = 0; i < t.len;) {
    if (IsQuoteChar(t.ptr[i])) {
      i = SkipQuote(t, i);
      continue;
    }
    if (!IsBlank(t.at(i))) {
      ++i;
      continue;
    }
    *blanks = true;
    uint32_t end = i;
    while (end < t.len && IsBlank(t.at(end))) ++end;
    bool before = i > 0 && IsOperatorChar(t.at(i - 1));
    bool after = end < t.len && IsOperatorChar(t.at(end));
    if (!before && !after) return i;
    i = end;
  }
  return kNone;
}

// A copy without the blanks outside quotes, pushed on the scratch stack.
Val WithoutBlanks(Val t) {
  if (Status st = ScratchAlloc(t.len, kNoFill)) return ValError(st);
  char* out = const_cast<char*>(ScratchTop().ptr);
  uint32_t n = 0;
  for (uint32_t i = 0; i < t.len;) {
    if (IsQuoteChar(t.ptr[i])) {
      uint32_t end = SkipQuote(t, i);
      memcpy(out + n, t.ptr + i, end - i);
      n += end - i;
      i = end;
      continue;
    }
    if (!IsBlank(t.at(i))) out[n++] = t.ptr[i];
    ++i;
  }
  return Val(out, static_cast<uint16_t>(n));
}

// Rewrites every occurrence of one shortcut outside quotes; the result is pushed above
// `mark` in place of `t`.
Val Rewrite(uint16_t mark, Val t, const Shortcut& s) {
  for (;;) {
    uint16_t at = TextFindText(t, s.call, kQuoteAware);
    if (at == kNone) return t;
    uint16_t open = static_cast<uint16_t>(at + s.call.len - 1);
    uint16_t inner = BracketLength(t, open);
    uint32_t end = uint32_t(open) + inner + 2;
    if (end > t.len) end = t.len;
    Val arg = ExprListElement(Val(t.ptr + open + 1, inner), 1);
    Val head = ValConcat(Val(t.ptr, at), s.before);
    Val text = ValConcat(ValConcat(head, arg), ValConcat(s.after, ValTail(t, end)));
    t = ScratchReturn(mark, text);
    if (!t.ok()) return t;
  }
}

}  // namespace

Status ExprPrepare(Val text, Val* out) {
  if (Status st = ValCheck(text)) return st;
  if (!ParensBalance(text)) return ErrReport(kLoopFailure, text, true);
  bool blanks = false;
  uint32_t bad = FirstForbiddenBlank(text, &blanks);
  if (bad != kNone) return ErrReport(kSyntaxError, ValTail(text, bad), true);
  uint16_t mark = ScratchMark();
  Val t = blanks ? WithoutBlanks(text) : ValCopy(text);
  for (const Shortcut& s : kShortcuts) {
    if (!t.ok()) break;
    if (TextFindText(t, s.call, kPlain) != kNone) t = Rewrite(mark, t, s);
  }
  if (Status st = ValCheck(t)) {
    ScratchRelease(mark);
    return st;
  }
  *out = t;
  return kOk;
}

}  // namespace orv
