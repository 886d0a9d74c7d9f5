// The arguments of built-in calls.
#include "expr/args.h"

#include <cstring>

#include "core/status.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"

namespace orv {

Val CallArgs::Source(uint16_t n) const {
  if (n < 1 || n > count) return Val();
  return Val(list.ptr + spans[n - 1].off, spans[n - 1].len);
}

Val CallArgs::SourceFrom(uint16_t n) const {
  if (n < 1 || n > count) return Val();
  return ValTail(list, spans[n - 1].off);
}

Status CallArgs::Text(uint16_t n, Val def, Val* out) const {
  if (!Has(n)) {
    *out = def;
    return kOk;
  }
  if (kinds[n - 1] != kArgText) return kIncompatibleTypes;
  *out = values[n - 1];
  return kOk;
}

Status CallArgs::Number(uint16_t n, int64_t def, int64_t* out) const {
  if (!Has(n)) {
    *out = def;
    return kOk;
  }
  if (kinds[n - 1] != kArgNumber) return kIncompatibleTypes;
  *out = NumberOf(values[n - 1]);
  return kOk;
}

Status CallArgs::Long(uint16_t n, int64_t def, int64_t* out) const {
  if (!Has(n)) {
    *out = def;
    return kOk;
  }
  int64_t v;
  if (Status st = Number(n, 0, &v)) return st;
  return RoundedDiv(v, g_expr.scale, out) ? kOk : kExpCalcError;
}

Status CallArgs::Int(uint16_t n, int16_t def, int16_t* out) const {
  if (!Has(n)) {
    *out = def;
    return kOk;
  }
  int64_t v;
  if (Status st = Number(n, 0, &v)) return st;
  return NumberToInteger(v, g_expr.scale, out);
}

Val CallArgs::TextOfAny(uint16_t n, Val def) const {
  if (!Has(n)) return def;
  if (kinds[n - 1] == kArgText) return values[n - 1];
  return NumberToText(NumberOf(values[n - 1]), g_expr.precis);
}

Status ArgEvaluate(CallArgs* args, uint16_t n) {
  if (n < 1 || n > args->count || args->kinds[n - 1] != kArgUnevaluated) return kOk;
  Val src = args->Source(n);
  if (src.len == 0) {
    args->kinds[n - 1] = kArgMissing;
    return kOk;
  }
  Status st = EvaluatePrepared(src);
  if (st > kResultText) return st;
  args->kinds[n - 1] = uint8_t(st);
  args->values[n - 1] = ScratchTop();
  return kOk;
}

Status ArgsLoad(const ExprCursor& call, uint16_t min, uint16_t max, uint16_t evaluated,
                CallArgs* args) {
  args->list = call.content();
  Span spans[kMaxArgs + 1];
  uint16_t n = ExprListSplit(args->list, spans, kMaxArgs + 1);
  if (n > kMaxArgs || n < min || n > max) return kSyntaxError;
  args->count = n;
  for (uint16_t i = 0; i < n; ++i) {
    args->spans[i] = spans[i];
    args->kinds[i] = kArgUnevaluated;
  }
  for (uint16_t i = 1; i <= n && i <= evaluated; ++i)
    if (Status st = ArgEvaluate(args, i)) return st;
  return kOk;
}

Status ReturnText(ScratchScope& scope, Val v) {
  if (Status st = ValCheck(v)) return st;
  return ValCheck(scope.Return(v));
}

Status ReturnNumber(ScratchScope& scope, int64_t fixed) {
  char bytes[kNumberLen];
  memcpy(bytes, &fixed, kNumberLen);
  return ValCheck(scope.Return(Val(bytes, kNumberLen)));
}

Status ReturnInteger(ScratchScope& scope, int64_t integer) {
  Int128 v = Int128(integer) * g_expr.scale;
  if (!FitsInt64(v)) return kExpCalcError;
  return ReturnNumber(scope, int64_t(v));
}

}  // namespace orv
