// Bracket expansion.
#include "data/expand.h"

#include "core/list.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/state.h"

namespace orv {

namespace {

// The value of a name for kExpandNames: the names list, then the command-line option (in
// the case written, then in the other case), then the environment; empty when none.
Val LookUp(Val content, Val names) {
  Val v = TextKeyValue(names, content, kKeyUnquote);
  if (v.ok() && !v.empty()) return v;
  v = g_data.hooks.option(content);
  if (v.ok() && !v.empty()) return v;
  Val upper = TextCase(content, 1);
  v = g_data.hooks.option(ValEq(upper, content) ? TextCase(content, 0) : upper);
  if (v.ok() && !v.empty()) return v;
  v = EnvValue(content);
  return v.ok() ? v : Val();
}

}  // namespace

Val TextExpand(Val text, int flags, Val names) {
  if (!text.ok()) return text;
  ScratchScope scope;
  SearchKind kind = (flags & kExpandPlainBrackets) ? kPlain : kQuoteAware;
  Val cur = text;
  uint16_t scan = 0;
  for (int rounds = 0;; ++rounds) {
    uint16_t close = TextFindCharFrom(cur, scan, ']', kind);
    if (close == kNone) break;
    // Views by offset: a signed 16-bit start would count from the end beyond 32767.
    uint16_t open = TextFindLastChar(ValHead(ValTail(cur, scan), close - scan), '[', kind);
    if (open == kNone) break;
    if (rounds >= kMaxExpansions) {
      return scope.Return(ValError(ErrReport(kLoopFailure, "TextExpand"_v, false)));
    }
    open = uint16_t(open + scan);
    Val content = ValHead(ValTail(cur, open + 1u), close - open - 1u);
    Val value = content;
    bool found = false;
    if (flags & kExpandNames) {
      value = LookUp(content, names);
      found = !value.empty();
    }
    if (!found && (content.empty() || content.ptr[content.len - 1] != '%')) {
      bool numeric = false;
      Status st = g_data.hooks.evaluate(content, &value, &numeric);
      if (st >= kSerious) return scope.Return(ValError(st));
      if (!value.ok()) value = Val();
      if (numeric && value.empty() && !(flags & kExpandEmptyNumber)) value = "0"_v;
    }
    if (!(flags & kExpandKeepBlanks)) value = TextTrim(value, kTrimBoth);
    if (flags & kExpandQuote) value = ValWrap(value, (flags & kExpandDoubleQuote) ? '"' : '\'');
    Val head = ValHead(cur, open);
    cur = ValConcat(ValConcat(head, value), ValTail(cur, close + 1u));
    if (!cur.ok()) return scope.Return(cur);
    // Only the text so far stays on the scratch stack between rounds.
    cur = ScratchReturn(scope.mark(), cur);
    if (!cur.ok()) return scope.Return(cur);
    scan = (flags & kExpandRescan) ? 0 : uint16_t(open + value.len);
  }
  if (flags & kExpandEscapes) {
    cur = TextReplace(cur, "\\{"_v, "["_v, kPlain);
    cur = TextReplace(cur, "\\}"_v, "]"_v, kPlain);
  }
  return scope.Return(cur);
}

Val TextExpandMarker(Val text, Val value) { return TextReplace(text, "[$]"_v, value, kPlain); }

}  // namespace orv
