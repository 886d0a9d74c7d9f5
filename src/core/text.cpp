// Editing, quoting, keys and values, comparison, numbers and sorting over value strings.
#include "core/text.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/block.h"
#include "core/cp1252.h"
#include "core/scratch.h"
#include "core/status.h"

namespace orv {

namespace {

// Pushes an uninitialised text of n bytes and returns its writable start, or null with *v set
// to the error value.
char* PushText(size_t n, Val* v) {
  if (Status st = ScratchAlloc(n, kNoFill)) {
    *v = ValError(st);
    return nullptr;
  }
  *v = ScratchTop();
  return const_cast<char*>(v->ptr);
}

constexpr Val kBlanks = " \t"_v;
constexpr Val kYesWords = "YES,SI,Y,S,ON"_v;

}  // namespace

Val TextTrim(Val text, int flags) { return TextTrimChars(text, flags, kBlanks); }

Val TextTrimChars(Val text, int flags, Val set) {
  if (!text.ok()) return text;
  uint32_t b = 0, e = text.len;
  if (flags & kTrimStart)
    while (b < e && CharInSet(set, text.ptr[b])) ++b;
  if (flags & kTrimEnd)
    while (e > b && CharInSet(set, text.ptr[e - 1])) --e;
  return Val(text.ptr + b, static_cast<uint16_t>(e - b));
}

Val TextCase(Val text, int mode) {
  if (!text.ok()) return text;
  Val out;
  char* p = PushText(text.len, &out);
  if (!p) return out;
  for (uint16_t i = 0; i < text.len; ++i)
    p[i] = static_cast<char>(mode == 1 ? AsciiUpper(text.at(i)) : AsciiLower(text.at(i)));
  return out;
}

Val TextReplace(Val text, Val pattern, Val replacement, SearchKind kind) {
  if (!text.ok()) return text;
  if (!pattern.ok()) return pattern;
  if (!replacement.ok()) return replacement;
  if (pattern.len == 1 && IsQuoteChar(pattern.ptr[0])) kind = kPlain;
  uint16_t count = TextCountText(text, pattern, kind);
  if (count == 0) return ValCopy(text);
  int64_t len = int64_t(text.len) - int64_t(count) * (int64_t(pattern.len) - replacement.len);
  if (len > int64_t(kMaxValLen)) return ErrValue(1, kAreaStrConcat, kStringTooLong, Val());
  Val out;
  char* p = PushText(static_cast<size_t>(len), &out);
  if (!p) return ErrValue(1, kAreaStrConcat, kMemTestError, out);
  uint32_t from = 0, at = 0;
  for (uint16_t k = 0; k < count; ++k) {
    uint16_t hit = TextFindText(ValTail(text, from), pattern, kind);
    uint32_t pos = from + hit;
    memcpy(p + at, text.ptr + from, pos - from);
    at += pos - from;
    memcpy(p + at, replacement.ptr, replacement.len);
    at += replacement.len;
    from = pos + pattern.len;
  }
  memcpy(p + at, text.ptr + from, text.len - from);
  return out;
}

namespace {

// A copy of the text without the characters `drop` rejects; `drop` sees each character and
// the last one kept so far (-1 before the first).
template <class Drop>
Val FilterText(Val text, Drop drop) {
  if (!text.ok()) return text;
  ScratchScope scope;
  Val out;
  char* p = PushText(text.len, &out);
  if (!p) return out;
  uint16_t n = 0;
  for (char c : text)
    if (!drop(c, n ? static_cast<int>(p[n - 1]) : -1)) p[n++] = c;
  return scope.Return(Val(p, n));
}

}  // namespace

Val TextCollapse(Val text, char c) {
  return FilterText(text, [c](char x, int last) { return x == c && last == c; });
}

Val TextKeepChars(Val text, Val set) {
  return FilterText(text, [set](char x, int) { return !CharInSet(set, x); });
}

Val TextTranslate(Val text, Val from, Val to) {
  if (!text.ok()) return text;
  Val out;
  char* p = PushText(text.len, &out);
  if (!p) return out;
  for (uint16_t i = 0; i < text.len; ++i) {
    char c = text.ptr[i];
    const void* hit = from.len ? memchr(from.ptr, c, from.len) : nullptr;
    size_t k = hit ? static_cast<size_t>(static_cast<const char*>(hit) - from.ptr) : 0;
    p[i] = hit && k < to.len ? to.ptr[k] : c;
  }
  return out;
}

Val TextReplaceTokens(Val text, Val tokens, Val chars) {
  if (!text.ok()) return text;
  if (!tokens.ok() || !chars.ok() || chars.len == 0 || tokens.len / chars.len == 0)
    return ValCopy(text);
  ScratchScope scope;
  uint16_t part = tokens.len / chars.len;
  Val out = text;
  for (uint16_t i = 0; i < chars.len && out.ok(); ++i) {
    Val token(tokens.ptr + size_t(i) * part, part);
    out = TextReplace(out, token, Val(chars.ptr + i, 1), kPlain);
  }
  return scope.Return(out);
}

Val TextUnquote(Val text) {
  if (!text.ok() || text.len < 2 || !IsQuoteChar(text.ptr[0]) ||
      text.ptr[text.len - 1] != text.ptr[0])
    return text;
  return Val(text.ptr + 1, static_cast<uint16_t>(text.len - 2));
}

Val TextQuote(Val text, char preferred) {
  if (!text.ok()) return text;
  char other = preferred == '"' ? '\'' : '"';
  bool has_pref = memchr(text.ptr, preferred, text.len) != nullptr;
  if (!has_pref) return ValWrap(text, preferred);
  if (memchr(text.ptr, other, text.len)) return ValError(kDataError);
  return ValWrap(text, other);
}

Val TextUnquoteOrUpper(Val text) {
  if (!text.ok()) return text;
  Val t = TextUnquote(TextTrim(text, kTrimBoth));
  return t.len == text.len ? TextCase(t, 1) : t;
}

Val TextBetween(Val text, char open, SearchKind kind) {
  if (!text.ok()) return text;
  char close = BracketPartner(open);
  uint16_t o = TextFindChar(text, open, kind);
  if (o == kNone) return Val();
  uint32_t start = o + 1u;
  if (start >= text.len) return Val();
  uint16_t p = TextFindCharFrom(text, static_cast<uint16_t>(start), close, kind);
  while (p != kNone) {
    Val inner(text.ptr + start, static_cast<uint16_t>(p - start));
    if (open == close) return inner;
    uint16_t opens = 0, closes = 0;
    for (uint32_t at = 0; (at = TextFindCharFrom(inner, uint16_t(at), open, kind)) != kNone; ++at)
      ++opens;
    for (uint32_t at = 0; (at = TextFindCharFrom(inner, uint16_t(at), close, kind)) != kNone; ++at)
      ++closes;
    if (opens == closes) return inner;
    p = p + 1u < text.len ? TextFindCharFrom(text, p + 1, close, kind) : kNone;
  }
  return Val();
}

Span TextInnermost(Val text, SearchKind kind, char open, char close) {
  Span none;
  if (!text.ok()) return none;
  uint32_t from = 0;  // openers are searched from here on
  for (uint32_t at = 0; at < text.len;) {
    uint16_t c = TextFindCharFrom(text, static_cast<uint16_t>(at), close, kind);
    if (c == kNone) return none;
    Val before(text.ptr + from, static_cast<uint16_t>(c - from));
    uint16_t o = TextFindLastChar(before, open, kind);
    if (o != kNone) {
      uint32_t start = from + o + 1;
      return Span{static_cast<uint16_t>(start), static_cast<uint16_t>(c - start)};
    }
    from = at = c + 1u;
  }
  return none;
}

namespace {

bool KeyStartOk(Val text, uint16_t pos, bool nul_separated) {
  if (pos == 0) return true;
  char c = text.ptr[pos - 1];
  return nul_separated ? c == '\0' : (c == ':' || c == ' ' || c == '&' || c == '/');
}

// The position of the first occurrence of `pattern` that counts as a key, kNone if none.
uint16_t FindKeyAt(Val text, Val pattern, bool nul_separated) {
  SearchKind kind = nul_separated ? kPlain : kQuoteAware;
  for (uint32_t from = 0; from < text.len;) {
    uint16_t p = TextFindText(ValTail(text, from), pattern, kind);
    if (p == kNone) return kNone;
    uint16_t pos = static_cast<uint16_t>(from + p);
    if (KeyStartOk(text, pos, nul_separated)) return pos;
    from = pos + 1u;
  }
  return kNone;
}

}  // namespace

Span TextFindKey(Val text, Val key, int flags) {
  Span none;
  if (!text.ok() || !key.ok() || key.len == 0) return none;
  bool nul = (flags & kKeyNulSeparated) != 0;
  ScratchScope scope;
  Val with_colon = ValConcat(key, ":"_v);
  uint16_t pos = FindKeyAt(text, with_colon, nul);
  if (pos == kNone) pos = FindKeyAt(text, ValConcat(key, "="_v), nul);
  if (pos == kNone) return none;
  uint32_t start = uint32_t(pos) + key.len + 1;
  Val rest = ValTail(text, start);
  uint16_t end = nul ? TextFindChar(rest, '\0', kPlain) : TextFindAnyOf(rest, ": &/"_v, kQuoteAware);
  return Span{static_cast<uint16_t>(start), end == kNone ? rest.len : end};
}

Val TextKeyValue(Val text, Val key, int flags) {
  if (!text.ok()) return text;
  Span s = TextFindKey(text, key, flags);
  if (!s.found()) return Val();
  Val v(text.ptr + s.off, s.len);
  if ((flags & kKeyUnquoteOrUpper) == kKeyUnquoteOrUpper) return TextUnquoteOrUpper(v);
  if (flags & kKeyUnquote) return TextUnquote(v);
  return v;
}

Status TextKeyValuePush(Val text, Val key) {
  if (Status st = ValCheck(text)) return st;
  bool raw = key.ok() && memchr(key.ptr, '%', key.len) != nullptr;
  return ScratchPushCopy(TextKeyValue(text, key, raw ? 0 : kKeyUnquote));
}

Val TextKeyEq(Val key, Val value) {
  if (!key.ok()) return key;
  if (!value.ok()) return value;
  if (key.empty() || value.empty()) return ValError(kDataError);
  return ValJoin(key, "="_v, value);
}

uint16_t TextCompare(Val a, Val b) {
  if (!a.ptr || !b.ptr) return kStrOutBound;
  int c = memcmp(a.ptr, b.ptr, std::min(a.len, b.len));
  if (c == 0) c = a.len == b.len ? 0 : (a.len > b.len ? 1 : -1);
  return c > 0 ? 1 : (c < 0 ? kNone : 0);
}

bool TextIsYes(Val text) {
  if (!text.ok() || text.len == 0 || text.len > 3) return false;
  char up[3];
  for (uint16_t i = 0; i < text.len; ++i) up[i] = static_cast<char>(AsciiUpper(text.at(i)));
  return ListWordIndex(kYesWords, Val(up, text.len), ',') != 0;
}

int64_t TextToLong(Val text) {
  if (!text.ok()) return 0;
  if (TextIsYes(text)) return 1;
  uint32_t i = 0;
  while (i < text.len && (text.ptr[i] == ' ' || (text.ptr[i] >= '\t' && text.ptr[i] <= '\r'))) ++i;
  bool neg = false;
  if (i < text.len && (text.ptr[i] == '+' || text.ptr[i] == '-')) neg = text.ptr[i++] == '-';
  // Accumulate as a negative magnitude so that the most negative value fits.
  int64_t v = 0;
  constexpr int64_t kMin = INT64_MIN;
  for (; i < text.len && IsDigit(text.at(i)); ++i) {
    int d = text.ptr[i] - '0';
    if (v < (kMin + d) / 10) {
      v = kMin;
      while (i < text.len && IsDigit(text.at(i))) ++i;
      break;
    }
    v = v * 10 - d;
  }
  if (neg) return v;
  return v == kMin ? INT64_MAX : -v;
}

int16_t TextToInt(Val text) {
  int64_t v = TextToLong(text);
  return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}

int16_t ListFieldToInt(Val list, char sep, uint16_t n) {
  ScratchScope scope;
  return TextToInt(TextUnquoteOrUpper(ListField(list, sep, n)));
}

Val RecordSort(const void* records, uint16_t size, uint16_t count) {
  size_t total = size_t(size) * count;
  if (total > kMaxValLen) return ValError(kStringTooLong);
  const char* src = static_cast<const char*>(records);
  std::vector<uint16_t> order(count);
  for (uint16_t i = 0; i < count; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](uint16_t a, uint16_t b) {
    return memcmp(src + size_t(a) * size, src + size_t(b) * size, size) < 0;
  });
  Val out;
  char* p = PushText(total, &out);
  if (!p) return out;
  for (uint16_t i = 0; i < count; ++i) memcpy(p + size_t(i) * size, src + size_t(order[i]) * size, size);
  return out;
}

}  // namespace orv
