// Evaluation of expression texts: operands, precedence climbing and the sub-expression list.
//
// An expression text is a list of sub-expressions separated by ';' or ','. Each is read
// operand by operand and combined by precedence climbing over the twenty operators; the
// value of the last one is the result. Groups, subscripts and function arguments evaluate
// their inner text through the same machinery. Every routine here leaves exactly one value
// above the scratch-stack mark it was called at.
#ifndef ORVALE_EXPR_EVAL_H
#define ORVALE_EXPR_EVAL_H

#include <cstdint>

#include "core/val.h"
#include "expr/cursor.h"
#include "expr/state.h"

namespace orv {

// The type codes an evaluation returns when it succeeds.
enum : Status { kResultNumber = 0, kResultText = 1 };

// Evaluates an expression text and pushes its result: returns 0 for a number, 1 for a text,
// or a status of 122 or more (the pushed value is then the empty text). Statuses of 128 and
// more are recorded in the area ExpExec with the failing sub-expression appended to the
// detail text. An empty expression is the number 0.
Status Evaluate(Val text);
// The same for a text that is already prepared (an inner text of a prepared expression).
Status EvaluatePrepared(Val text);

// Reads the operand that follows the operator of `c`, extended by every operator that binds
// tighter than that operator (or following an empty operand); the value is pushed and *r
// (another cursor than c) then describes its last token.
void RightOperand(const ExprCursor& c, ExprCursor* r);

// The maximum number of subscripts of an array element or indexed name.
inline constexpr int kMaxSubscripts = 4;
// Evaluates the subscript list of an indexed token as integers. 149 for more than four
// subscripts, 128 for a text subscript, 168 for a subscript outside 16 bits.
Status EvalSubscripts(const ExprCursor& t, int32_t* subs, int* count);

}  // namespace orv

#endif  // ORVALE_EXPR_EVAL_H
