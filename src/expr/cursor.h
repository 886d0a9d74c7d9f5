// The token cursor: the one routine that cuts the next token out of a prepared expression
// text, and the list splitting built on it.
//
// A cursor describes one token of a text: where it starts and ends, its class, the operator
// that follows it (with its precedence) and, for a name followed by '(', the length of the
// bracket content. All searches skip quoted sections ('...' and "..."), so an operator or a
// bracket inside a string literal never counts. Positions are 16-bit offsets into the text.
#ifndef ORVALE_EXPR_CURSOR_H
#define ORVALE_EXPR_CURSOR_H

#include <cstdint>

#include "core/list.h"
#include "core/val.h"

namespace orv {

struct ExprCursor {
  const char* text = kEmptyText;
  uint16_t len = 0;
  uint8_t op = 0;        // operator number that ends the token, 0 if none
  uint8_t prec = 0;      // precedence of that operator
  uint16_t cls = 0;      // token class flags (tokens.h)
  uint16_t start = 0;    // the current token
  uint16_t tok_len = 0;
  uint16_t next = 0;     // where the next token starts
  uint16_t bracket = 0;  // length of the bracket content after the token (0 if none)
  uint16_t end = 0;      // where the token with its bracket part ends (its terminator)
  uint16_t fn = 0;       // built-in function number, 0 if the token is none
  Status status = 0;     // status of the last step, 0 = good

  Val whole() const { return Val(text, len); }
  Val token() const { return Val(text + start, tok_len); }
  // The text between the token's '(' and its matching ')'.
  Val content() const { return Val(text + start + tok_len + 1, bracket); }
  // The token with its bracket part, as written.
  Val written() const { return Val(text + start, uint16_t(end - start)); }
  // The text from `from` to the end.
  Val rest(uint16_t from) const { return ValTail(whole(), from); }
  // A token that is empty and has no bracket content (the empty-operand rule).
  bool empty_operand() const { return tok_len == 0 && bracket == 0; }
};

// A cursor at position 0 of a prepared text, before its first token.
ExprCursor CursorOver(Val text);
// Moves the cursor to the token that starts at c->next: cuts it and describes it, setting
// every field but the text. Callers loop until next reaches the text length. A class that
// is a status (a field reference that does not resolve) goes to `status` and the class
// becomes 0.
void NextToken(ExprCursor* c);
// The number of characters between the '(' at `open` and its matching ')'; a missing ')'
// makes it run to the end of the text.
uint16_t BracketLength(Val text, uint16_t open);
// The first operator character at or after `from` outside quotes; kNone when there is none
// (an unclosed quote hides everything after it).
uint16_t FindOperatorChar(Val text, uint32_t from);

// The maximum number of elements an argument or subscript list is split into.
inline constexpr uint16_t kMaxListElements = 64;
// Splits a list whose elements are separated by ';' or ',' outside brackets and quotes: an
// element ends at the first token followed by no operator. Fills up to `max` spans and
// returns the number of elements (which may exceed max). An empty text has no elements.
uint16_t ExprListSplit(Val list, Span* out, uint16_t max);
// Element n (1-based) of such a list, without its separator; empty when there is none.
Val ExprListElement(Val list, uint16_t n);

}  // namespace orv

#endif  // ORVALE_EXPR_CURSOR_H
