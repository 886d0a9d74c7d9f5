// Delimited lists and searches over value strings.
//
// A list is a text of fields separated by one character, numbered from 1. An empty text has
// no fields; any other text has one more field than separators, so "a,b," has three. With any
// separator but NUL, separators inside quotes (' or ", up to the next same quote, or to the
// end when unclosed) do not count. Fields are views and keep their blanks and quotes.
//
// Positions are 0-based; 0xFFFF (kNone) means not found. Searches take a kind: quote-aware
// searches skip quoted sections, so they never find a quote character itself.
#ifndef ORVALE_CORE_LIST_H
#define ORVALE_CORE_LIST_H

#include <cstdint>

#include "core/val.h"

namespace orv {

enum SearchKind : int { kQuoteAware = 0, kPlain = 1 };

// A part of a text: offset and length; off == kNone when there is none.
struct Span {
  uint16_t off = kNone;
  uint16_t len = 0;
  bool found() const { return off != kNone; }
};

// Values on the scratch stack (the items array is itself a scratch entry).
struct ValArray {
  uint16_t count = 0;
  Val* items = nullptr;
  Status status = 0;  // non-zero when the array could not be built
};

bool IsQuoteChar(char c);
// Whether `c` is one of the characters of `set`.
bool CharInSet(Val set, char c);

uint16_t TextFindChar(Val text, char c, SearchKind kind);
// First occurrence at or after `start`; positions count from the text's beginning.
uint16_t TextFindCharFrom(Val text, uint16_t start, char c, SearchKind kind);
uint16_t TextFindAnyOf(Val text, Val set, SearchKind kind);
uint16_t TextFindLastChar(Val text, char c, SearchKind kind);
uint16_t TextFindLastAnyOf(Val text, Val set, SearchKind kind);
// First occurrence of the whole pattern. An empty pattern is never found.
uint16_t TextFindText(Val text, Val pattern, SearchKind kind);
// Non-overlapping occurrences, left to right (0 for an empty pattern).
uint16_t TextCountText(Val text, Val pattern, SearchKind kind);
// 1 when every character of the text is in the set (an empty text gives 1).
int TextAllIn(Val text, Val set);
// 1 when the text is longer than one character, starts with `open` and ends with its partner.
int TextIsEnclosed(Val text, char open);

// Field n (empty for 0 or beyond the count).
Val ListField(Val list, char sep, uint16_t n);
Span ListFieldPos(Val list, char sep, uint16_t n);
// The text after the first separator (empty when there is none).
Val ListRest(Val list, char sep);
uint16_t ListCount(Val list, char sep);
// The number of the first field equal to `word` (case-sensitive), 0 when none.
uint16_t ListWordIndex(Val list, Val word, char sep);
// n > 0: field n becomes `value` (the list is extended with empty fields first);
// n = 0: `value` becomes a new last field; n < 0: field -n is removed with one separator.
Val ListSetField(Val list, Val value, char sep, int n);
// The fields as views, in order.
ValArray ListSplit(Val list, char sep);
// A followed by every field of B that is not a word of A, joined with sep_a.
Val ListUnion(Val a, char sep_a, Val b, char sep_b);
// The fields of A that are not words of B, joined with sep_a.
Val ListDifference(Val a, char sep_a, Val b, char sep_b);
// The largest and smallest lengths of the fields after unquoting.
uint16_t ListMaxFieldLength(Val list, char sep);
uint16_t ListMinFieldLength(Val list, char sep);
// The number of the first "low-high" field of a comma list that contains `number`, 0 if none.
uint16_t ListRangeIndex(Val ranges, long number);

// The first element equal to `value`, kNone when none.
uint16_t ArrayFind(const void* array, uint16_t count, uint16_t elem_size, const void* value);
// 0 when byte_len is a whole number of elements and index is below their number, else kNone.
Status ArrayCheckIndex(uint32_t byte_len, uint16_t index, uint16_t elem_size);

}  // namespace orv

#endif  // ORVALE_CORE_LIST_H
