// Accumulators: the accumulator array _#( and FN#ACUM.
#include <algorithm>
#include <cstring>

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "expr/args.h"
#include "expr/arrays.h"
#include "expr/builtins.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/sysvars.h"
#include "expr/tokens.h"
#include "expr/varstore.h"

namespace orv {

namespace {

constexpr Val kAccumArray = "_#("_v;
// The elements a store makes when the array does not exist yet (0 to 256).
constexpr int32_t kAccumStoreSize = 256;

// The element number named by the arguments of _#: a number, or an accumulator name of
// _ACUMX$ (0-based), plus the second argument. *known is false for a name not in the list.
Status ElementOf(const CallArgs& a, int32_t* element, bool* known) {
  int16_t offset;
  if (Status st = a.Int(2, 0, &offset)) return st;
  *known = true;
  if (a.IsText(1)) {
    uint16_t pos = ListWordIndex(SysTextGet(kSysAcumX), a.values[0], ',');
    *known = pos != 0;
    *element = int32_t(pos) - 1 + offset;
    return kOk;
  }
  int16_t n;
  if (Status st = a.Int(1, 0, &n)) return st;
  *element = int32_t(n) + offset;
  return kOk;
}

// Reads an element. An array that does not exist yet is made with the elements 0 up to
// the one read, at least 0 to 256 (the store's size: the left side of `_#(n)=v` is read
// before it is stored, so both must make the same array), or exactly 0 to n for DIM.
Status ReadElement(int32_t element, bool exact) {
  if (!ArrayFind(kAccumArray) && element >= 0) {
    int32_t size = exact ? std::max(element, 1) : std::max(element, kAccumStoreSize);
    if (Status st = ArrayDim(kAccumArray, &size, 1, Val())) return st;
  }
  return ArrayRead(kAccumArray, &element, 1);
}

// _#('CLS'; to; from): elements from..to-1 (default: all) become 0.
Status Clear(const CallArgs& a) {
  ArrayDesc* arr = ArrayFind(kAccumArray);
  if (!arr) return kOk;
  int16_t to, from;
  if (Status st = a.Int(2, -1, &to)) return st;
  if (Status st = a.Int(3, 0, &from)) return st;
  int32_t end = to < 0 || to > arr->total ? arr->total : to;
  for (int32_t i = from < 0 ? 0 : from; i < end; ++i)
    memset(arr->data + size_t(i) * arr->elem_size, 0, arr->elem_size);
  return kOk;
}

Status AccumArrayCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  if (Status st = ArgsLoad(call, 1, 3, kAllArgs, &a)) return st;
  if (a.IsText(1) && a.values[0].sv() == "CLS") {
    if (Status st = Clear(a)) return st;
    return ReturnNumber(scope, 0);
  }
  int32_t element;
  bool known, dim = a.IsText(1) && a.values[0].sv() == "DIM";
  if (dim) {
    int16_t n;
    if (Status st = a.Int(2, 0, &n)) return st;
    element = n;
  } else {
    if (Status st = ElementOf(a, &element, &known)) return st;
    if (!known) return ReturnNumber(scope, 0);
  }
  if (Status st = ReadElement(element, dim)) return st;
  return ReturnText(scope, ScratchTop());
}

Status AccumArrayStore(const ExprCursor& target, Val value, bool is_text) {
  if (is_text) return kIncompatibleTypes;
  ScratchScope scope;
  CallArgs a;
  if (Status st = ArgsLoad(target, 1, 2, kAllArgs, &a)) return st;
  int32_t element;
  bool known;
  if (Status st = ElementOf(a, &element, &known)) return st;
  if (!known) return kOk;
  if (!ArrayFind(kAccumArray)) {
    int32_t size = std::max(element, kAccumStoreSize);
    if (Status st = ArrayDim(kAccumArray, &size, 1, Val())) return st;
  }
  return ArrayWrite(kAccumArray, &element, 1, value, false);
}

// FN#ACUM ---------------------------------------------------------------------------------

// An element without the parentheses that enclose it whole.
Val Unwrapped(Val e) {
  if (e.len >= 2 && e.ptr[0] == '(' && BracketLength(e, 0) == e.len - 2u)
    return Val(e.ptr + 1, uint16_t(e.len - 2));
  return e;
}

// 1 (true), 0 (false) or a status of 122 or more; an empty text is true.
Status Condition(Val text) {
  if (text.len == 0) return 1;
  ScratchScope scope;
  Status st = EvaluatePrepared(text);
  if (st == kResultText) return 0;
  if (st != kResultNumber) return st;
  return NumberOf(ScratchTop()) != 0 ? 1 : 0;
}

// Adds the value of an expression (a text converted to a number) to the sum.
Status AddValue(Val expr, Int128* sum) {
  ScratchScope scope;
  Status st = EvaluatePrepared(expr);
  int64_t v = NumberOf(ScratchTop());
  if (st == kResultText) {
    if (Status cst = TextToNumber(ScratchTop(), g_expr.precis, &v)) return cst;
  } else if (st != kResultNumber) {
    return st;
  }
  *sum += v;
  return FitsInt64(*sum) ? kOk : kExpCalcError;
}

// The counted form: counter = start; while counter <= limit: add; counter += 1.
Status CountedSum(Val expr, Val counter, Val start, Val limit, Int128* sum) {
  if (TokenClassOf(counter, counter.len ? counter.at(0) : -1) != kClsVar)
    return ErrReport(kSyntaxError, counter, true);
  {
    ScratchScope scope;
    Val init = ValConcat(ValConcat(counter, "="_v), start);
    if (Status st = ValCheck(init)) return st;
    Status st = EvaluatePrepared(init);
    if (st > kResultText) return st;
  }
  int64_t last;
  {
    ScratchScope scope;
    Status st = EvaluatePrepared(limit);
    if (st == kResultText) return kIncompatibleTypes;
    if (st != kResultNumber) return st;
    int16_t n;
    if (Status cst = NumberToInteger(NumberOf(ScratchTop()), g_expr.scale, &n)) return cst;
    last = n;
  }
  for (uint32_t pass = 0;; ++pass) {
    int64_t value;
    {
      ScratchScope scope;
      if (Status st = VarRead(counter)) return st;
      if (!RoundedDiv(NumberOf(ScratchTop()), g_expr.scale, &value)) return kExpCalcError;
    }
    if (value > last) return kOk;
    if (pass == g_expr.loop_limit) return kLoopFailure;
    if (Status st = AddValue(expr, sum)) return st;
    {
      ScratchScope scope;
      if (Status st = VarRead(counter)) return st;
      if (!RoundedDiv(NumberOf(ScratchTop()), g_expr.scale, &value)) return kExpCalcError;
      if (Status st = VarAssignInt(counter, value + 1)) return st;
    }
  }
}

// The conditional form: when the condition holds, add, then go on while the continuation
// holds. Without any condition the expression is added once.
Status ConditionalSum(Val expr, Val condition, Val continuation, Int128* sum) {
  Status c = Condition(condition);
  for (uint32_t pass = 0; c == 1; ++pass) {
    if (pass == g_expr.loop_limit) return kLoopFailure;
    if (Status st = AddValue(expr, sum)) return st;
    if (continuation.len == 0) return kOk;
    c = Condition(continuation);
  }
  return c;
}

Status AccumulateCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  if (Status st = ArgsLoad(call, 1, 4, 0, &a)) return st;
  Val e[4];
  for (uint16_t i = 0; i < 4; ++i) e[i] = Unwrapped(a.Source(uint16_t(i + 1)));
  Int128 sum = 0;
  Status st = a.count == 4 ? CountedSum(e[0], e[1], e[2], e[3], &sum)
                           : ConditionalSum(e[0], e[1], e[2].len ? e[2] : e[1], &sum);
  if (st > 1) return st;
  return ReturnNumber(scope, int64_t(sum));
}

}  // namespace

void AccumFunctionsInstall() {
  BuiltinInstall(kFnAccumArray, BuiltinEntry{AccumArrayCall, AccumArrayStore});
  BuiltinInstall(kFnAccumulate, BuiltinEntry{AccumulateCall, nullptr});
}

}  // namespace orv
