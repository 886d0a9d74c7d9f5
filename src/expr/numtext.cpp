// Conversions between number texts and fixed-point numbers.
#include "expr/numtext.h"

#include <cassert>
#include <cstring>

#include "core/cp1252.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/fixed.h"

namespace orv {

namespace {

// Magnitudes beyond this cannot scale back into 64 bits; reading stops growing them, which
// keeps every intermediate (the magnitude times 10 to the precision) within 128 bits.
constexpr Int128 kMagnitudeCap = Pow10(20);

// The exponent written after a 'D': its leading digits, capped (any count above the cap
// overflows every value that is not zero).
int ExponentOf(Val t) {
  int n = 0;
  for (uint16_t i = 0; i < t.len && IsDigit(t.at(i)); ++i) n = n < 100 ? n * 10 + (t.ptr[i] - '0') : n;
  return n;
}

// Reads a text made only of digits and at most one '.', with no more fraction digits than
// `precis` and few enough integer digits that the value stays below 10 to the 18th: the
// number literals of expressions. Such a text needs no trimming, rounding, cap or check,
// and the general reading gives it the same value. False for any other text.
bool ReadPlainNumber(Val t, int precis, int64_t* out) {
  int64_t whole = 0, fraction = 0;
  int whole_digits = 0, fraction_digits = 0;
  bool point = false;
  for (uint16_t i = 0; i < t.len; ++i) {
    uint8_t c = t.at(i);
    if (c == '.' && !point) {
      point = true;
    } else if (!IsDigit(c)) {
      return false;
    } else if (point) {
      if (++fraction_digits > precis) return false;
      fraction = fraction * 10 + (c - '0');
    } else {
      if (++whole_digits + precis > 18) return false;
      whole = whole * 10 + (c - '0');
    }
  }
  *out = whole * ScaleOf(precis) + fraction * ScaleOf(precis - fraction_digits);
  return true;
}

}  // namespace

Status TextToNumber(Val text, int precis, int64_t* out) {
  assert(precis >= 0 && precis <= 18);
  if (text.ok() && ReadPlainNumber(text, precis, out)) return kOk;
  Val t = TextTrim(text, kTrimBoth);
  if (!t.ok()) return ValCheck(t);
  uint16_t d = TextFindChar(t, 'D', kPlain);
  int exponent = d == kNone ? 0 : ExponentOf(ValTail(t, d + 1u));
  Val num = d == kNone ? t : ValHead(t, d);

  uint16_t i = 0;
  bool negative = false;
  if (i < num.len && (num.ptr[i] == '+' || num.ptr[i] == '-')) negative = num.ptr[i++] == '-';
  Int128 magnitude = 0;
  bool too_big = false;
  for (; i < num.len && IsDigit(num.at(i)); ++i) {
    magnitude = magnitude * 10 + (num.ptr[i] - '0');
    if (magnitude > kMagnitudeCap) {
      too_big = true;
      magnitude = kMagnitudeCap;
    }
  }
  bool point = i < num.len && num.ptr[i] == '.';
  Int128 fraction = 0;
  int taken = 0;
  bool round_up = false;
  if (point) {
    for (++i; i < num.len && IsDigit(num.at(i)); ++i) {
      if (taken < precis) {
        fraction = fraction * 10 + (num.ptr[i] - '0');
        ++taken;
      } else if (taken == precis) {
        round_up = num.ptr[i] >= '5';
        ++taken;
      }
    }
  }
  for (; taken < precis; ++taken) fraction *= 10;
  // The zeros of a 'D' extend the integer part only when they follow its digits directly.
  if (!point && i == num.len && magnitude != 0) {
    for (int k = 0; k < exponent && !too_big; ++k) {
      magnitude *= 10;
      too_big = magnitude > kMagnitudeCap;
    }
  }
  if (too_big) return kExpCalcError;
  Int128 value = magnitude * Pow10(precis) + fraction + (round_up ? 1 : 0);
  if (negative) value = -value;
  if (!FitsInt64(value)) return kExpCalcError;
  *out = static_cast<int64_t>(value);
  return kOk;
}

Val NumberToText(int64_t v, int d) {
  assert(d >= 0 && d <= 18);
  char digits[24];
  int n = 0;
  uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  do {
    digits[n++] = static_cast<char>('0' + mag % 10);
    mag /= 10;
  } while (mag);
  while (n < d) digits[n++] = '0';
  // digits[] holds the digits from the last to the first.
  int frac_from = 0;  // trailing zeros of the fraction are dropped
  while (frac_from < d && digits[frac_from] == '0') ++frac_from;
  char buf[32];
  int len = 0;
  if (v < 0) buf[len++] = '-';
  for (int k = n - 1; k >= d; --k) buf[len++] = digits[k];
  if (frac_from < d) {
    buf[len++] = '.';
    for (int k = d - 1; k >= frac_from; --k) buf[len++] = digits[k];
  }
  return ValCopy(Val(buf, static_cast<uint16_t>(len)));
}

Status NumberToInteger(int64_t v, int64_t scale, int16_t* out) {
  int64_t q;
  if (!RoundedDiv(v, scale, &q) || q < INT16_MIN || q > INT16_MAX) return kExpCalcError;
  *out = static_cast<int16_t>(q);
  return kOk;
}

}  // namespace orv
