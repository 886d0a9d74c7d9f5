// Assignment: the '=' operator.
#ifndef ORVALE_EXPR_ASSIGN_H
#define ORVALE_EXPR_ASSIGN_H

#include "core/val.h"
#include "expr/cursor.h"

namespace orv {

// Assigns the value on top of the scratch stack (described by cursor *v) to the target
// token t. When the operator after the value is '=' again, the next operand is assigned to
// the value's own target first, so A=B=5 sets both (right to left); *v then describes the
// last operand read. Targets: a function that stands for an indexed store, an array element
// or indexed name, a field (a number is stored as its text), or a variable whose text flag
// agrees with the value's (128 otherwise). Any other target gives 147. The assigned value
// stays on top of the stack.
Status Assign(const ExprCursor& t, ExprCursor* v);

}  // namespace orv

#endif  // ORVALE_EXPR_ASSIGN_H
