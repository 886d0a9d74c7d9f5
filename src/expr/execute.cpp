// The entry points of evaluation.
#include "expr/execute.h"

#include "core/scratch.h"
#include "core/status.h"
#include "expr/eval.h"
#include "expr/exprfile.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"

namespace orv {

Status EvalCondition(Val text) {
  if (text.ok() && text.len == 0) return 1;
  ScratchScope scope;
  Status st = Evaluate(text);
  if (st == kResultText) return 0;
  if (st != kResultNumber) return st;
  return NumberOf(ScratchTop()) != 0 ? 1 : 0;
}

int64_t EvalNumber(Val text) {
  ScratchScope scope;
  return Evaluate(text) == kResultNumber ? NumberOf(ScratchTop()) : 0;
}

int16_t EvalInteger(Val text) {
  ScratchScope scope;
  if (Evaluate(text) != kResultNumber) return 0;
  int16_t v = 0;
  if (NumberToInteger(NumberOf(ScratchTop()), g_expr.scale, &v)) {
    ErrRecord(1, kAreaExpExec, kExpCalcError, 0);
    ErrReport(kExpCalcError, text, true);
    return 0;
  }
  return v;
}

Val EvalText(Val text) {
  ScratchScope scope;
  Status st = Evaluate(text);
  if (st == kResultText) return scope.Return(ScratchTop());
  if (st != kResultNumber) return ValError(st);
  return scope.Return(NumberToText(NumberOf(ScratchTop()), g_expr.precis));
}

Status Execute(Val text) {
  ScratchScope scope;
  Status st = Evaluate(text);
  return st >= kSerious ? st : kOk;
}

Status ExecuteFile(Val name, bool report_missing) {
  ScratchScope scope;
  Status st = ReadExpressionFile(name);
  if (!st && ScratchTop().len == 0) st = kFileNotFound;
  if (st == kFileNotFound) {
    if (!report_missing) return kOk;
    ErrRecord(1, kAreaExpExec, st, 0);
    return ErrReport(st, name, true);
  }
  if (st) return st;
  return Execute(ScratchTop());
}

Status TaskExpEval(Val params) { return Execute(params); }

}  // namespace orv
