// Numeric and text operators.
#include "expr/operators.h"

#include <cstring>

#include "core/cp1252.h"
#include "core/scratch.h"
#include "core/status.h"
#include "expr/fixed.h"
#include "expr/tokens.h"

namespace orv {

namespace {

Status Result(Int128 v, int64_t* out) {
  if (!FitsInt64(v)) return kExpCalcError;
  *out = static_cast<int64_t>(v);
  return kOk;
}

Status Divided(Int128 a, Int128 c, int64_t* out) {
  return RoundedDiv(a, c, out) ? kOk : kExpCalcError;
}

// L percent of R, rounded once: L * R / (100 * S).
Status Percent(int64_t l, int64_t r, int64_t scale, int64_t* out) {
  return Divided(Int128(l) * r, Int128(100) * scale, out);
}

uint8_t Fold(uint8_t c) { return Cp1252Upper(c); }

bool EqualIgnoringCase(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (Fold(uint8_t(a[i])) != Fold(uint8_t(b[i]))) return false;
  return true;
}

bool ContainsIgnoringCase(Val hay, Val needle) {
  if (needle.len > hay.len) return false;
  for (size_t i = 0; i + needle.len <= hay.len; ++i)
    if (EqualIgnoringCase(hay.ptr + i, needle.ptr, needle.len)) return true;
  return false;
}

}  // namespace

Status RoundToDecimals(int64_t v, int64_t n, int precis, int64_t* out) {
  if (n == precis || v == 0) {
    *out = v;
    return kOk;
  }
  if (n > precis) {
    int64_t up = n - precis;
    if (up > 18) return kExpCalcError;  // 10 to the 19th already passes every 64-bit value
    return Result(Int128(v) * Pow10(int(up)), out);
  }
  int64_t down = precis - n;
  if (down > 38) {  // the factor passes every 64-bit value by far: the value rounds to 0
    *out = 0;
    return kOk;
  }
  Int128 factor = Pow10(int(down));
  int64_t q;
  if (!RoundedDiv(v, factor, &q)) return kExpCalcError;
  return Result(Int128(q) * factor, out);
}

Status NumericOp(uint8_t op, int64_t l, int64_t r, int precis, int64_t* out) {
  const int64_t s = ScaleOf(precis);
  const int64_t il = l / s, ir = r / s;  // the integer parts, truncated toward zero
  switch (op) {
    case kOpMul: return Divided(Int128(l) * r, s, out);
    case kOpDiv: return Divided(Int128(l) * s, r, out);
    case kOpRound: {
      if (ir < INT16_MIN || ir > INT16_MAX) return kExpCalcError;
      return RoundToDecimals(l, ir, precis, out);
    }
    case kOpPercent: return Percent(l, r, s, out);
    case kOpLessPercent: {
      int64_t p;
      if (Status st = Percent(l, r, s, &p)) return st;
      return Result(Int128(l) - p, out);
    }
    case kOpAdd: return Result(Int128(l) + r, out);
    case kOpSub: return Result(Int128(l) - r, out);
    case kOpGt: *out = l > r ? s : 0; return kOk;
    case kOpLt: *out = l < r ? s : 0; return kOk;
    case kOpEq: *out = l == r ? s : 0; return kOk;
    case kOpGe: *out = l >= r ? s : 0; return kOk;
    case kOpLe: *out = l <= r ? s : 0; return kOk;
    case kOpNe: *out = l != r ? s : 0; return kOk;
    case kOpBitAnd: return Result(Int128(il & ir) * s, out);
    case kOpTightOr:
    case kOpOr:
      if (il & ir) {
        *out = 0;
        return kOk;
      }
      return Result(Int128(il | ir) * s, out);
    case kOpAnd: *out = l && r ? s : 0; return kOk;
    case kOpLogOr: *out = l || r ? s : 0; return kOk;
    case kOpXor: *out = (il == 0 && ir == 0) || (il & ir) ? 0 : s; return kOk;
    default: return kSyntaxError;
  }
}

int CompareTexts(Val l, Val r) {
  size_t n = l.len < r.len ? l.len : r.len;
  int c = n ? memcmp(l.ptr, r.ptr, n) : 0;
  if (c) return c;
  return l.len == r.len ? 0 : (l.len > r.len ? 1 : -1);
}

bool TextMatches(Val l, Val r, bool patterns) {
  if (l.len == r.len && (l.len == 0 || memcmp(l.ptr, r.ptr, l.len) == 0)) return true;
  if (!patterns || r.len == 0) return false;
  const void* star = memchr(r.ptr, '*', r.len);
  if (!star) return false;
  size_t k = static_cast<size_t>(static_cast<const char*>(star) - r.ptr);
  if (k > 0) return l.len >= k && EqualIgnoringCase(l.ptr, r.ptr, k);
  Val rest = ValTail(r, 1);
  const void* next = memchr(rest.ptr, '*', rest.len);
  Val needle = next ? ValHead(rest, size_t(static_cast<const char*>(next) - rest.ptr)) : rest;
  return ContainsIgnoringCase(l, needle);
}

Status TextOp(uint8_t op, Val l, Val r, int64_t scale, bool patterns, bool* is_text) {
  if (op == kOpAdd) {
    return ValCheck(ValConcat(l, r));
  }
  int c = 0;
  bool holds;
  if (op >= kOpGt && op <= kOpNe && op != kOpEq) c = CompareTexts(l, r);
  switch (op) {
    case kOpGt: holds = c > 0; break;
    case kOpLt: holds = c < 0; break;
    case kOpEq: holds = TextMatches(l, r, patterns); break;
    case kOpGe: holds = c >= 0; break;
    case kOpLe: holds = c <= 0; break;
    case kOpNe: holds = c != 0; break;
    default: return kSyntaxError;
  }
  *is_text = false;
  return PushNumber(holds ? scale : 0);
}

}  // namespace orv
