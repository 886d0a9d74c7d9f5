// The operators applied to two values: numeric operations on fixed-point numbers and the
// operations on texts (concatenation and comparison with '*' patterns).
#ifndef ORVALE_EXPR_OPERATORS_H
#define ORVALE_EXPR_OPERATORS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Applies numeric operator `op` (not '=') to two numbers with `precis` decimals. Products,
// quotients and percentages round half away from zero once, from exact 128-bit
// intermediates; comparisons and logical operators give 1 or 0. 155 when the result does
// not fit 64 bits (or the decimals of '!' do not fit 16 bits).
Status NumericOp(uint8_t op, int64_t l, int64_t r, int precis, int64_t* out);

// Rounds a number with `precis` decimals to n decimals, half away from zero (n below
// precis), or multiplies it by 10 to the power n - precis (n above). 155 on overflow.
Status RoundToDecimals(int64_t v, int64_t n, int precis, int64_t* out);

// Compares two texts byte by byte over the shorter length (unsigned bytes); when equal
// there, the longer is greater. Returns <0, 0 or >0.
int CompareTexts(Val l, Val r);
// Text equality for '==': equal texts, or, unless patterns are off, R as a pattern: "ABC*"
// matches any L that begins with abc in any case, "*ABC" and "*ABC*" any L that holds abc in
// any case (the part after the first '*' up to the next one is searched).
bool TextMatches(Val l, Val r, bool patterns);

// Applies operator `op` to two texts: '+' pushes the concatenation (*is_text stays true);
// a comparison pushes 1 or 0 as a number with `scale` (*is_text becomes false). 147 for any
// other operator, 146 when the concatenation is too long.
Status TextOp(uint8_t op, Val l, Val r, int64_t scale, bool patterns, bool* is_text);

}  // namespace orv

#endif  // ORVALE_EXPR_OPERATORS_H
