// Assignment.
#include "expr/assign.h"

#include "core/scratch.h"
#include "core/status.h"
#include "expr/arrays.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/tokens.h"
#include "expr/varstore.h"

namespace orv {

namespace {

Status StoreIndexed(const ExprCursor& t, Val value, bool is_text) {
  int32_t subs[kMaxSubscripts];
  int count = 0;
  if (Status st = EvalSubscripts(t, subs, &count)) return st;
  Val name = t.token();
  if (IsSystemName(name)) {
    if (IndexedNameHookFn hook = IndexedHook()) {
      ScratchScope scope;
      if (Status st = ScratchPushCopy(value)) return st;
      Status st = ValCheck(hook(name, count ? int16_t(subs[0]) : int16_t(0), kHookWrite));
      if (st == kNone) st = kOk;
      if (st != kDataError) return st;
    }
  }
  return ArrayWrite(Val(name.ptr, uint16_t(name.len + 1)), subs, count, value, is_text);
}

// A field takes texts and numbers alike; a number is stored as its text.
Status StoreField(const ExprCursor& t, Val value, bool is_text) {
  if (!g_expr.fields.write) return ErrReport(kFeatureRemoved, t.token(), true);
  ScratchScope scope;
  Val text = is_text ? value : NumberToText(NumberOf(value), g_expr.precis);
  if (Status st = ValCheck(text)) return st;
  return g_expr.fields.write(t.token(), text);
}

}  // namespace

Status Assign(const ExprCursor& t, ExprCursor* v) {
  ExprNesting nest;
  if (!nest.ok()) return kOutOfMemory;
  if (v->op == kOpAssign) {
    ExprCursor r;
    RightOperand(*v, &r);
    Status st = r.status == kOk ? Assign(*v, &r) : r.status;
    *v = r;
    if (st) return st;
  }
  Val value = ScratchTop();
  bool is_text = v->cls & kClsText;
  if (t.cls & kClsCall) {
    BuiltinStoreFn store = BuiltinStore(t.fn);
    return store ? store(t, value, is_text) : kSyntaxError;
  }
  if (t.cls & kClsIndexed) return StoreIndexed(t, value, is_text);
  if (t.cls & kClsField) return StoreField(t, value, is_text);
  if (!(t.cls & kClsVar)) return kSyntaxError;
  if (bool(t.cls & kClsText) != is_text) return kIncompatibleTypes;
  return VarAssign(t.token(), VarTokenKind(t.cls), value);
}

}  // namespace orv
