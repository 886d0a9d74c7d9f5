// Preparation of an expression text, done once before it is evaluated.
#ifndef ORVALE_EXPR_PREPARE_H
#define ORVALE_EXPR_PREPARE_H

#include "core/val.h"

namespace orv {

// Checks and rewrites an expression text into a copy pushed on the scratch stack (*out):
// 1. '(' and ')' outside quotes must balance, else 129 with the text as detail;
// 2. a blank (or tab) outside quotes is allowed only next to an operator character: the
//    character before it or the first non-blank after it must be one (at the very start
//    only what follows counts; a blank run at the end must follow one), else 147 with the
//    rest of the text from that blank as detail;
// 3. the copy loses every blank outside quotes;
// 4. the parameter shortcuts _ACCEPT#(n) and _ACCEPT$(n) become the calls they stand for.
// 146 when the rewritten text would pass 65535 bytes, 145 when the scratch stack is full.
// On failure nothing is left on the stack.
Status ExprPrepare(Val text, Val* out);

}  // namespace orv

#endif  // ORVALE_EXPR_PREPARE_H
