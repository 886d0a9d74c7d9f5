// Text functions: FN#SLEN, FN#PARM, FN$CHNG, FN$CHRS, FN$MIDS, FN$PARM, FN$TRIM, ENVELOP$,
// the inline choices CHK# and CHK$, and the template function EXP$.
#include <string>

#include "core/cp1252.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/args.h"
#include "expr/builtins.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/numtext.h"
#include "expr/state.h"

namespace orv {

namespace {

// A character code argument (0 to 255); 168 for any other number.
Status CharCode(const CallArgs& a, uint16_t n, int16_t def, char* out) {
  int16_t code;
  if (Status st = a.Int(n, def, &code)) return st;
  if (code < 0 || code > 255) return kDataOutBound;
  *out = char(code);
  return kOk;
}

// The text with every character mapped through the CP1252 case table. Pushed.
Val CaseMapped(Val text, bool upper) {
  Val out = ValCopy(text);
  if (!out.ok()) return out;
  char* p = const_cast<char*>(out.ptr);
  for (uint16_t i = 0; i < out.len; ++i)
    p[i] = char(upper ? Cp1252Upper(out.at(i)) : Cp1252Lower(out.at(i)));
  return out;
}

// Every run of blanks outside quotes shrunk to one blank. Pushed.
Val CleanBlanks(Val text) {
  Val out = ValCopy(text);
  if (!out.ok()) return out;
  char* p = const_cast<char*>(out.ptr);
  uint16_t n = 0;
  char quote = 0;
  for (uint16_t i = 0; i < text.len; ++i) {
    char c = text.ptr[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ' ' && n && p[n - 1] == ' ') {
      continue;
    }
    p[n++] = c;
  }
  out.len = n;
  return out;
}

Status TextLengthCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val t;
  if (Status st = ArgsLoad(call, 1, 1, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &t)) return st;
  return ReturnInteger(scope, t.len);
}

// The 1-based position of the first range ("low-high" or a single number) of a comma list
// that holds the number, 0 when none does.
uint16_t RangePosition(Val list, int64_t number) {
  uint16_t count = ListCount(list, ',');
  for (uint16_t i = 1; i <= count; ++i) {
    Val f = TextTrim(ListField(list, ',', i), kTrimBoth);
    uint16_t dash = f.len > 1 ? TextFindChar(ValTail(f, 1), '-', kPlain) : kNone;
    int64_t low = TextToLong(dash == kNone ? f : ValHead(f, dash + 1u));
    int64_t high = dash == kNone ? low : TextToLong(ValTail(f, dash + 2u));
    if (f.len && number >= low && number <= high) return i;
  }
  return 0;
}

Status ParmNumberCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val list, name, values;
  if (Status st = ArgsLoad(call, 1, 3, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &list)) return st;
  if (!a.Has(2)) return ReturnInteger(scope, ListCount(list, ','));
  if (a.IsNumber(3)) {
    int64_t number;
    if (a.IsText(2)) number = TextToLong(a.values[1]);
    else if (Status st = a.Long(2, 0, &number)) return st;
    return ReturnInteger(scope, RangePosition(list, number));
  }
  if (Status st = a.Text(2, Val(), &name)) return st;
  uint16_t pos = ListWordIndex(list, name, ',');
  if (!a.Has(3)) return ReturnInteger(scope, pos);
  if (Status st = a.Text(3, Val(), &values)) return st;
  int64_t v = 0;
  if (Status st = TextToNumber(ListField(values, ',', pos), g_expr.precis, &v)) return st;
  return ReturnNumber(scope, v);
}

Status ChangeCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val text, second, third;
  if (Status st = ArgsLoad(call, 2, 4, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &text)) return st;
  if (Status st = a.Text(2, Val(), &second)) return st;
  if (Status st = a.Text(3, Val(), &third)) return st;
  switch (ListWordIndex("UCASE,LCASE,CLEAN,FILTER"_v, second, ',')) {
    case 1: return ReturnText(scope, CaseMapped(text, true));
    case 2: return ReturnText(scope, CaseMapped(text, false));
    case 3: return ReturnText(scope, CleanBlanks(text));
    case 4: {
      // An empty set keeps nothing; an empty table or groups shorter than one character
      // change nothing.
      if (!a.Has(4)) return ReturnText(scope, TextKeepChars(text, third));
      Val table;
      if (Status st = a.Text(4, Val(), &table)) return st;
      return ReturnText(scope, TextReplaceTokens(text, third, table));
    }
    default: {
      int64_t plain;
      if (Status st = a.Number(4, 0, &plain)) return st;
      // An empty search text is found nowhere.
      return ReturnText(scope, TextReplace(text, second, third, plain ? kPlain : kQuoteAware));
    }
  }
}

Status CharsCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  if (Status st = ArgsLoad(call, 1, 2, kAllArgs, &a)) return st;
  Val unit;
  char code;
  if (a.IsText(1)) {
    unit = a.values[0];
  } else {
    if (Status st = CharCode(a, 1, 0, &code)) return st;
    unit = Val(&code, 1);
  }
  int16_t count;
  if (Status st = a.Int(2, 1, &count)) return st;
  if (count <= 0 || unit.len == 0) return ReturnText(scope, Val());
  if (size_t(unit.len) * size_t(count) > kMaxValLen) return kStringTooLong;
  return ReturnText(scope, ValRepeat(unit, uint16_t(count)));
}

Status MidCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val t;
  int64_t start, count;
  if (Status st = ArgsLoad(call, 2, 3, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &t)) return st;
  if (Status st = a.Long(2, 1, &start)) return st;
  if (Status st = a.Long(3, t.len, &count)) return st;
  int64_t off = start > 0 ? start - 1 : start < 0 ? t.len + start : 0;
  if (off < 0) off = 0;
  if (off >= t.len || count <= 0) return ReturnText(scope, Val());
  if (count > t.len - off) count = t.len - off;
  return ReturnText(scope, Val(t.ptr + off, uint16_t(count)));
}

Status ParmTextCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val list;
  int16_t n;
  char sep;
  if (Status st = ArgsLoad(call, 1, 3, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &list)) return st;
  if (Status st = a.Int(2, 1, &n)) return st;
  if (Status st = CharCode(a, 3, ',', &sep)) return st;
  return ReturnText(scope, n > 0 ? ListField(list, sep, uint16_t(n)) : Val());
}

Status TrimCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val mode;
  if (Status st = ArgsLoad(call, 1, 2, kAllArgs, &a)) return st;
  if (Status st = a.Text(2, "BOTHTRIM"_v, &mode)) return st;
  Val t = a.TextOfAny(1, Val());
  switch (ListWordIndex("LEFTTRIM,RIGHTRIM,BOTHTRIM,FIT"_v, mode, ',')) {
    case 1: return ReturnText(scope, TextTrim(t, kTrimStart));
    case 2: return ReturnText(scope, TextTrim(t, kTrimEnd));
    case 3: return ReturnText(scope, TextTrim(t, kTrimBoth));
    case 4: return ReturnText(scope, TextUnquoteOrUpper(t));
    default: return ErrReport(kSyntaxError, mode, true);
  }
}

Status EnvelopCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val t, c;
  if (Status st = ArgsLoad(call, 1, 2, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &t)) return st;
  if (Status st = a.Text(2, "'"_v, &c)) return st;
  return ReturnText(scope, ValWrap(t, c.len ? c.ptr[0] : '\''));
}

// CHK# and CHK$: the second argument when the first is not 0, else the last of the
// following ones (each evaluated in turn); the arguments not chosen are not evaluated.
// A value of the other type gives 125 with the default value.
Status Choose(const ExprCursor& call, bool text) {
  ScratchScope scope;
  CallArgs a;
  if (Status st = ArgsLoad(call, 1, kMaxArgs, 1, &a)) return st;
  int64_t n;
  if (Status st = a.Long(1, 0, &n)) return st;
  uint16_t chosen = 0;
  for (uint16_t i = n ? 2 : 3; i <= a.count; i = n ? uint16_t(a.count + 1) : uint16_t(i + 1)) {
    if (Status st = ArgEvaluate(&a, i)) return st;
    chosen = i;
  }
  bool given = chosen && a.Has(chosen);
  if (given && a.IsText(chosen) != text) {
    Status st = text ? ReturnText(scope, Val()) : ReturnNumber(scope, 0);
    return st ? st : kAtypicalType;
  }
  if (!given) return text ? ReturnText(scope, Val()) : ReturnNumber(scope, 0);
  return ReturnText(scope, a.values[chosen - 1]);
}

Status ChooseNumberCall(const ExprCursor& call) { return Choose(call, false); }
Status ChooseTextCall(const ExprCursor& call) { return Choose(call, true); }

// EXP$: every "$n_" of the template becomes argument n + 1 as written.
Status TemplateCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val tpl;
  if (Status st = ArgsLoad(call, 1, kMaxArgs, 1, &a)) return st;
  if (Status st = a.Text(1, Val(), &tpl)) return st;
  std::string out;
  for (uint16_t i = 0; i < tpl.len; ++i) {
    uint16_t j = i + 1;
    int n = 0;
    while (j < tpl.len && IsDigit(tpl.at(j)) && n < 100) n = n * 10 + (tpl.ptr[j++] - '0');
    if (tpl.ptr[i] == '$' && j > i + 1 && j < tpl.len && tpl.ptr[j] == '_' && n >= 1 &&
        n + 1 <= a.count) {
      out.append(a.Source(uint16_t(n + 1)).sv());
      i = j;
    } else {
      out.push_back(tpl.ptr[i]);
    }
    if (out.size() > kMaxValLen) return kStringTooLong;
  }
  return ReturnText(scope, ValOf(out));
}

}  // namespace

void TextFunctionsInstall() {
  BuiltinInstall(kFnTextLength, BuiltinEntry{TextLengthCall, nullptr});
  BuiltinInstall(kFnParmNumber, BuiltinEntry{ParmNumberCall, nullptr});
  BuiltinInstall(kFnChange, BuiltinEntry{ChangeCall, nullptr});
  BuiltinInstall(kFnChars, BuiltinEntry{CharsCall, nullptr});
  BuiltinInstall(kFnMid, BuiltinEntry{MidCall, nullptr});
  BuiltinInstall(kFnParmText, BuiltinEntry{ParmTextCall, nullptr});
  BuiltinInstall(kFnTrim, BuiltinEntry{TrimCall, nullptr});
  BuiltinInstall(kFnEnvelop, BuiltinEntry{EnvelopCall, nullptr});
  BuiltinInstall(kFnChooseNumber, BuiltinEntry{ChooseNumberCall, nullptr});
  BuiltinInstall(kFnChooseText, BuiltinEntry{ChooseTextCall, nullptr});
  BuiltinInstall(kFnTemplate, BuiltinEntry{TemplateCall, nullptr});
}

}  // namespace orv
