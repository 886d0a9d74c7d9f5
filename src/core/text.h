// Text operations over value strings: editing, quoting, keys and values, comparison, numbers
// and sorting. Views come back without copying; texts whose bytes change are pushed on the
// scratch stack. Every operation hands an error value on unchanged.
#ifndef ORVALE_CORE_TEXT_H
#define ORVALE_CORE_TEXT_H

#include <cstdint>

#include "core/list.h"
#include "core/val.h"

namespace orv {

// Trimming flags.
enum : int { kTrimStart = 1, kTrimEnd = 2, kTrimBoth = 3 };

// Removes blanks and tabs at the start (flag 1) and/or the end (flag 2).
Val TextTrim(Val text, int flags);
Val TextTrimChars(Val text, int flags, Val set);
// Mode 1: upper case; otherwise lower case. Only A-Z and a-z change.
Val TextCase(Val text, int mode);
// Every occurrence of `pattern` replaced (a single quote character as pattern is always
// searched plainly). An empty pattern leaves the text as it is.
Val TextReplace(Val text, Val pattern, Val replacement, SearchKind kind);
// Every run of `c` becomes one.
Val TextCollapse(Val text, char c);
// Only the characters that belong to `set`, in order.
Val TextKeepChars(Val text, Val set);
// A character at position k of `from` becomes character k of `to` (kept when `to` is shorter).
Val TextTranslate(Val text, Val from, Val to);
// `tokens` is cut into equal parts, one per character of `chars`; each occurrence of part i
// becomes character i.
Val TextReplaceTokens(Val text, Val tokens, Val chars);

// Without its enclosing quotes when it is quoted (at least two characters, same quote at
// both ends).
Val TextUnquote(Val text);
// Wrapped in the preferred quote, or the other one when the text holds it; 163 when both.
Val TextQuote(Val text, char preferred);
// Trimmed and unquoted; upper-cased when neither changed the length.
Val TextUnquoteOrUpper(Val text);
// The text between the first `open` and its matching partner; empty when unbalanced.
Val TextBetween(Val text, char open, SearchKind kind);
// The text of the first bracket pair that closes (offset and length), not found when none.
Span TextInnermost(Val text, SearchKind kind, char open, char close);

// Key flags: 1 unquote, 3 trim-unquote-or-upper, 4 NUL-separated plain search.
enum : int { kKeyUnquote = 1, kKeyUnquoteOrUpper = 3, kKeyNulSeparated = 4 };

// The value of KEY:value or KEY=value (offset and length), not found when absent.
Span TextFindKey(Val text, Val key, int flags);
// The key's value (see the flags); empty when absent.
Val TextKeyValue(Val text, Val key, int flags);
// Pushes the key's value (unquoted unless the key holds "%").
Status TextKeyValuePush(Val text, Val key);
// key + "=" + value; 163 when either is empty.
Val TextKeyEq(Val key, Val value);

// Byte-wise over the common length, then the longer is greater: 1 (a > b), 0 or 0xFFFF;
// 159 when a pointer is null.
uint16_t TextCompare(Val a, Val b);
// Whether the upper-case text is one of YES,SI,Y,S,ON.
bool TextIsYes(Val text);
// 1 for a yes-word; otherwise the leading decimal number (blanks and sign accepted, stops at
// the first non-digit, 0 when none), saturated to the 16-bit range.
int16_t TextToInt(Val text);
// The same number in 64 bits, saturated.
int64_t TextToLong(Val text);
// TextToInt of TextUnquoteOrUpper of field n.
int16_t ListFieldToInt(Val list, char sep, uint16_t n);
// A sorted (stable, byte-wise) copy of `count` records of `size` bytes, on the scratch stack.
Val RecordSort(const void* records, uint16_t size, uint16_t count);

}  // namespace orv

#endif  // ORVALE_CORE_TEXT_H
