// Fixed-point numbers: signed 64-bit integers scaled by 10 to the power _PRECIS (0 to 4).
//
// On the scratch stack a number is an 8-byte value holding the integer in little-endian
// order. Every operation that can leave the 64-bit range is computed with 128-bit
// intermediates and reports the overflow instead of wrapping.
#ifndef ORVALE_EXPR_FIXED_H
#define ORVALE_EXPR_FIXED_H

#include <cstdint>

#include "core/val.h"

namespace orv {

using Int128 = __int128;

inline constexpr int kMaxPrecis = 4;
inline constexpr uint16_t kNumberLen = 8;

// 10 to the power n for n from 0 to 38, as a 128-bit integer.
constexpr Int128 Pow10(int n) {
  Int128 p = 1;
  while (n-- > 0) p *= 10;
  return p;
}
// The scale of a precision: 10 to its power.
inline int64_t ScaleOf(int precis) { return static_cast<int64_t>(Pow10(precis)); }

inline bool FitsInt64(Int128 v) { return v >= INT64_MIN && v <= INT64_MAX; }

// a / c rounded half away from zero: the quotient truncated toward zero moves one away from
// zero when twice the remainder's magnitude is at least the divisor's magnitude. 0 when c
// is 0. False when the quotient does not fit 64 bits.
bool RoundedDiv(Int128 a, Int128 c, int64_t* q);

// Pushes a number; 145 when the scratch stack is full.
Status PushNumber(int64_t v);
// The number a value holds; 0 for a value that is not 8 bytes long.
int64_t NumberOf(Val v);

}  // namespace orv

#endif  // ORVALE_EXPR_FIXED_H
