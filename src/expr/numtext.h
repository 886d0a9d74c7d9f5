// Conversions between number texts and fixed-point numbers.
//
// These are the engine's plain conversions; masks, dates and the cleaning of typed numbers
// build on them elsewhere.
#ifndef ORVALE_EXPR_NUMTEXT_H
#define ORVALE_EXPR_NUMTEXT_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// A number text as a fixed-point number with `precis` decimals. Blanks and tabs around the
// text are ignored. The number is the text's leading part made of an optional sign, digits,
// an optional '.' and fraction digits; any other character ends it. A 'D' followed by digits
// n appends n zeros to the text before the 'D' (so 12D3 is 12000, and 1.5D2, whose zeros
// follow the fraction, stays 1.5). Fraction digits beyond `precis` round half away from zero.
// An empty or non-numeric text is 0. 155 (and *out untouched) when the value does not fit.
Status TextToNumber(Val text, int precis, int64_t* out);

// The text of a number with d decimals (0 to 18): trailing zeros of the fraction are dropped,
// a '.' stands before the fraction digits that remain, and an integer part that is zero is
// not written when there are decimals (with d = 2: 1234 is 12.34, 1250 is 12.5, 1200 is 12,
// 5 is .05, -5 is -.05 and 0 is the empty text; with d = 0, 0 is 0). Pushed on the scratch
// stack.
Val NumberToText(int64_t v, int d);

// A number divided by `scale` with rounding, as a 16-bit integer; 155 when it does not fit.
Status NumberToInteger(int64_t v, int64_t scale, int16_t* out);

}  // namespace orv

#endif  // ORVALE_EXPR_NUMTEXT_H
