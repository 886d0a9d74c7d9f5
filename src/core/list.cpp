// Searches over value strings and delimited lists.
#include "core/list.h"

#include <cstring>

#include "core/block.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"

namespace orv {

namespace {

// The search kind of a list: plain for the NUL separator, quote-aware otherwise.
SearchKind ListKind(char sep) { return sep == '\0' ? kPlain : kQuoteAware; }

// The first position at or after `from` whose character satisfies `match`, skipping quoted
// sections (and never matching a quote) when the search is quote-aware.
template <class Match>
uint16_t ScanFirst(Val t, uint32_t from, SearchKind kind, Match match) {
  if (!t.ok()) return kNone;
  for (uint32_t i = from; i < t.len; ++i) {
    char c = t.ptr[i];
    if (kind == kQuoteAware && IsQuoteChar(c)) {
      const void* close = memchr(t.ptr + i + 1, c, t.len - i - 1);
      if (!close) return kNone;
      i = static_cast<uint32_t>(static_cast<const char*>(close) - t.ptr);
      continue;
    }
    if (match(c)) return static_cast<uint16_t>(i);
  }
  return kNone;
}

template <class Match>
uint16_t ScanLast(Val t, SearchKind kind, Match match) {
  uint16_t last = kNone;
  for (uint32_t from = 0;;) {
    uint16_t p = ScanFirst(t, from, kind, match);
    if (p == kNone) return last;
    last = p;
    from = p + 1u;
  }
}

// The span of field n (1-based) of a non-empty list; off is kNone when n is 0 or too large.
Span FieldSpan(Val list, char sep, uint16_t n) {
  Span s;
  if (!list.ok() || n == 0 || list.len == 0) return s;
  SearchKind kind = ListKind(sep);
  uint32_t start = 0;
  for (uint16_t k = 1; k < n; ++k) {
    uint16_t p = TextFindCharFrom(list, static_cast<uint16_t>(start), sep, kind);
    if (p == kNone) return s;
    start = p + 1u;
  }
  uint16_t end = start < list.len ? TextFindCharFrom(list, static_cast<uint16_t>(start), sep, kind)
                                  : kNone;
  s.off = static_cast<uint16_t>(start);
  s.len = static_cast<uint16_t>((end == kNone ? list.len : end) - start);
  return s;
}

}  // namespace

bool IsQuoteChar(char c) { return c == '\'' || c == '"'; }

bool CharInSet(Val set, char c) { return set.ok() && set.len && memchr(set.ptr, c, set.len); }

uint16_t TextFindChar(Val text, char c, SearchKind kind) {
  return TextFindCharFrom(text, 0, c, kind);
}

uint16_t TextFindCharFrom(Val text, uint16_t start, char c, SearchKind kind) {
  if (kind == kPlain) {
    if (!text.ok() || start >= text.len) return kNone;
    const void* p = memchr(text.ptr + start, c, text.len - start);
    return p ? static_cast<uint16_t>(static_cast<const char*>(p) - text.ptr) : kNone;
  }
  return ScanFirst(text, start, kind, [c](char x) { return x == c; });
}

uint16_t TextFindAnyOf(Val text, Val set, SearchKind kind) {
  return ScanFirst(text, 0, kind, [set](char x) { return CharInSet(set, x); });
}

uint16_t TextFindLastChar(Val text, char c, SearchKind kind) {
  if (kind == kPlain) {
    if (!text.ok()) return kNone;
    const void* p = memrchr(text.ptr, c, text.len);
    return p ? static_cast<uint16_t>(static_cast<const char*>(p) - text.ptr) : kNone;
  }
  return ScanLast(text, kind, [c](char x) { return x == c; });
}

uint16_t TextFindLastAnyOf(Val text, Val set, SearchKind kind) {
  return ScanLast(text, kind, [set](char x) { return CharInSet(set, x); });
}

namespace {

uint16_t FindTextFrom(Val text, uint32_t from, Val pattern, SearchKind kind) {
  if (!text.ok() || !pattern.ok() || pattern.len == 0 || pattern.len > text.len) return kNone;
  uint32_t last = text.len - pattern.len;
  while (from <= last) {
    uint16_t p = TextFindCharFrom(text, static_cast<uint16_t>(from), pattern.ptr[0], kind);
    if (p == kNone || p > last) return kNone;
    if (memcmp(text.ptr + p, pattern.ptr, pattern.len) == 0) return p;
    from = p + 1u;
  }
  return kNone;
}

}  // namespace

uint16_t TextFindText(Val text, Val pattern, SearchKind kind) {
  return FindTextFrom(text, 0, pattern, kind);
}

uint16_t TextCountText(Val text, Val pattern, SearchKind kind) {
  uint16_t n = 0;
  for (uint32_t from = 0;;) {
    uint16_t p = FindTextFrom(text, from, pattern, kind);
    if (p == kNone) return n;
    ++n;
    from = uint32_t(p) + pattern.len;
  }
}

int TextAllIn(Val text, Val set) {
  for (char c : text)
    if (!CharInSet(set, c)) return 0;
  return 1;
}

int TextIsEnclosed(Val text, char open) {
  return text.ok() && text.len > 1 && text.ptr[0] == open &&
         text.ptr[text.len - 1] == BracketPartner(open);
}

Val ListField(Val list, char sep, uint16_t n) {
  if (!list.ok()) return list;
  Span s = FieldSpan(list, sep, n);
  return s.found() ? Val(list.ptr + s.off, s.len) : Val();
}

Span ListFieldPos(Val list, char sep, uint16_t n) { return FieldSpan(list, sep, n); }

Val ListRest(Val list, char sep) {
  if (!list.ok()) return list;
  uint16_t p = TextFindChar(list, sep, ListKind(sep));
  return p == kNone ? Val() : ValTail(list, p + 1u);
}

uint16_t ListCount(Val list, char sep) {
  if (!list.ok() || list.len == 0) return 0;
  SearchKind kind = ListKind(sep);
  uint16_t n = 1;
  for (uint16_t p = TextFindChar(list, sep, kind); p != kNone;
       p = p + 1u < list.len ? TextFindCharFrom(list, p + 1, sep, kind) : kNone)
    ++n;
  return n;
}

uint16_t ListWordIndex(Val list, Val word, char sep) {
  if (!list.ok() || !word.ok() || list.len < word.len) return 0;
  uint16_t count = ListCount(list, sep);
  for (uint16_t i = 1; i <= count; ++i)
    if (ValEq(ListField(list, sep, i), word)) return i;
  return 0;
}

Val ListSetField(Val list, Val value, char sep, int n) {
  if (!list.ok()) return list;
  if (!value.ok()) return value;
  ScratchScope scope;
  Val sv(&sep, 1);
  uint16_t count = ListCount(list, sep);
  if (n == 0) return scope.Return(list.len ? ValConcat(ValConcat(list, sv), value) : value);
  if (n > 0) {
    if (count < n) {
      uint16_t seps = static_cast<uint16_t>(count ? n - count : n - 1);
      return scope.Return(ValConcat(ValConcat(list, ValRepeat(sv, seps)), value));
    }
    Span s = FieldSpan(list, sep, static_cast<uint16_t>(n));
    Val head = ValHead(list, s.off);
    Val tail = ValTail(list, size_t(s.off) + s.len);
    return scope.Return(ValConcat(ValConcat(head, value), tail));
  }
  if (-n > count) return list;
  Span s = FieldSpan(list, sep, static_cast<uint16_t>(-n));
  uint32_t from = s.off, to = uint32_t(s.off) + s.len;
  if (from > 0) --from;                // the separator before the field
  else if (to < list.len) ++to;        // the first field: the separator after it
  Val head(list.ptr, static_cast<uint16_t>(from));
  Val tail(list.ptr + to, static_cast<uint16_t>(list.len - to));
  return scope.Return(ValConcat(head, tail));
}

ValArray ListSplit(Val list, char sep) {
  ValArray a;
  if (Status st = ValCheck(list)) {
    a.status = st;
    return a;
  }
  uint16_t count = ListCount(list, sep);
  // Entries start on 4-byte boundaries; a Val holds a pointer and needs more.
  constexpr size_t kSlack = alignof(Val) > 4 ? alignof(Val) - 4 : 0;
  if (Status st = ScratchAlloc(size_t(count) * sizeof(Val) + kSlack, kNoFill)) {
    a.status = st;
    return a;
  }
  uintptr_t at = reinterpret_cast<uintptr_t>(ScratchTop().ptr);
  at = (at + alignof(Val) - 1) & ~uintptr_t(alignof(Val) - 1);
  Val* items = reinterpret_cast<Val*>(at);
  SearchKind kind = ListKind(sep);
  uint32_t start = 0;
  for (uint16_t i = 0; i < count; ++i) {
    uint16_t end = start < list.len
                       ? TextFindCharFrom(list, static_cast<uint16_t>(start), sep, kind)
                       : kNone;
    uint32_t stop = end == kNone ? list.len : end;
    new (&items[i]) Val(list.ptr + start, static_cast<uint16_t>(stop - start));
    start = stop + 1;
  }
  a.count = count;
  a.items = items;
  return a;
}

namespace {

// `out` joined (with `sep`) with every field of `from` that is not a word of `exclude`.
Val JoinFieldsNotIn(Val out, char sep, Val from, char from_sep, Val exclude, char exclude_sep) {
  if (!out.ok()) return out;
  if (!from.ok()) return from;
  if (!exclude.ok()) return exclude;
  ScratchScope scope;
  Val sv(&sep, 1);
  uint16_t count = ListCount(from, from_sep);
  for (uint16_t i = 1; i <= count && out.ok(); ++i) {
    Val f = ListField(from, from_sep, i);
    if (!ListWordIndex(exclude, f, exclude_sep)) out = ValJoin(out, sv, f);
  }
  return scope.Return(out);
}

}  // namespace

Val ListUnion(Val a, char sep_a, Val b, char sep_b) {
  return JoinFieldsNotIn(a, sep_a, b, sep_b, a, sep_a);
}

Val ListDifference(Val a, char sep_a, Val b, char sep_b) {
  return JoinFieldsNotIn(Val(), sep_a, a, sep_a, b, sep_b);
}

uint16_t ListMaxFieldLength(Val list, char sep) {
  uint16_t best = 0, count = ListCount(list, sep);
  for (uint16_t i = 1; i <= count; ++i) {
    uint16_t n = TextUnquote(ListField(list, sep, i)).len;
    if (n > best) best = n;
  }
  return best;
}

uint16_t ListMinFieldLength(Val list, char sep) {
  if (!list.ok()) return 0;
  uint16_t best = list.len, count = ListCount(list, sep);
  for (uint16_t i = 1; i <= count; ++i) {
    uint16_t n = TextUnquote(ListField(list, sep, i)).len;
    if (n < best) best = n;
  }
  return best;
}

uint16_t ListRangeIndex(Val ranges, long number) {
  uint16_t count = ListCount(ranges, ',');
  for (uint16_t i = 1; i <= count; ++i) {
    Val f = ListField(ranges, ',', i);
    uint16_t dash = TextFindChar(f, '-', kPlain);
    if (dash == kNone) continue;
    int64_t low = TextToLong(ValHead(f, dash));
    int64_t high = TextToLong(ValTail(f, dash + 1u));
    if (number >= low && number <= high) return i;
  }
  return 0;
}

uint16_t ArrayFind(const void* array, uint16_t count, uint16_t elem_size, const void* value) {
  const char* p = static_cast<const char*>(array);
  for (uint16_t i = 0; i < count; ++i)
    if (memcmp(p + size_t(i) * elem_size, value, elem_size) == 0) return i;
  return kNone;
}

Status ArrayCheckIndex(uint32_t byte_len, uint16_t index, uint16_t elem_size) {
  if (elem_size == 0 || byte_len % elem_size != 0) return kNone;
  return index < byte_len / elem_size ? kOk : kNone;
}

}  // namespace orv
