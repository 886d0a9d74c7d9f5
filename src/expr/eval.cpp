// Evaluation of expression texts.
#include "expr/eval.h"

#include <cassert>

#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/arrays.h"
#include "expr/assign.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/numtext.h"
#include "expr/operators.h"
#include "expr/prepare.h"
#include "expr/sysvars.h"
#include "expr/tokens.h"
#include "expr/varstore.h"

namespace orv {

namespace {

// Whether evaluation goes on after a status: not after a cancel or a serious status.
bool Going(Status st) { return st != kCancelled && st < kSerious; }

// A string literal: trimmed and unquoted, or in upper case when neither shortened it.
Status PushLiteral(Val token) {
  Val t = TextUnquote(TextTrim(token, kTrimBoth));
  if (t.len == token.len) return ValCheck(TextCase(token, 1));
  return ScratchPushCopy(t);
}

// A number literal, or a named constant (.top), or the number after the dot of an unknown
// .name.
Status PushNumberLiteral(Val token) {
  int64_t v;
  if (NamedConstant(token, &v)) return PushNumber(v * g_expr.scale);
  Val digits = token;
  if (token.len > 1 && token.ptr[0] == '.' && token.at(1) > '@') digits = ValTail(token, 1);
  if (Status st = TextToNumber(digits, g_expr.precis, &v)) return st;
  return PushNumber(v);
}

// A field's value: its stored text, converted to a number for a field of no text type.
// Without a dictionary a field reads as unknown: the number 0.
Status ReadField(const ExprCursor& r) {
  Val v = g_expr.fields.read ? g_expr.fields.read(r.token()) : Val();
  if (Status st = ValCheck(v)) return st;
  if (r.cls & kClsText) return ScratchPushCopy(v);
  int64_t n = 0;
  if (Status st = TextToNumber(v, g_expr.precis, &n)) return st;
  return PushNumber(n);
}

// An array element, or an indexed name served by the indexed-name hook.
Status ReadIndexed(const ExprCursor& r) {
  int32_t subs[kMaxSubscripts];
  int count = 0;
  if (Status st = EvalSubscripts(r, subs, &count)) return st;
  Val name = r.token();
  if (IsSystemName(name)) {
    if (IndexedNameHookFn hook = IndexedHook()) {
      Val v = hook(name, count ? int16_t(subs[0]) : int16_t(0), kHookRead);
      if (v.ok()) return PushNameValue(NameKind(name), v);
      if (ValCheck(v) != kDataError) return ValCheck(v);
    }
  }
  return ArrayRead(Val(name.ptr, uint16_t(name.len + 1)), subs, count);
}

// Pushes the value of the operand token r describes, by its class.
Status Fetch(ExprCursor* r) {
  uint16_t cls = r->cls;
  if (cls & kClsGroup) {
    Status st = EvaluatePrepared(r->content());
    if (st > kResultText) return st;
    r->cls = st;
    return kOk;
  }
  if (r->tok_len == 0) {
    Status st = PushNumber(0);
    return st ? st : kNullExpression;
  }
  if (cls & kClsIndexed) return ReadIndexed(*r);
  if (cls & kClsCall) return BuiltinCall(*r);
  if (cls & kClsField) return ReadField(*r);
  if (cls & kClsVar) return VarRead(r->token(), VarTokenKind(cls));
  if (cls & kClsText) return PushLiteral(r->token());
  if (cls == 0) return PushNumberLiteral(r->token());
  return kSyntaxError;
}

// Moves r to the token at r->next and pushes its value; exactly one value is left above the
// mark. The cursors of an evaluation are moved in place rather than copied: a copy right
// after the cursor's fields were stored would stall on reading them back.
void ReadOperand(ExprCursor* r, bool assign_rhs) {
  NextToken(r);
  uint16_t mark = ScratchMark();
  Status st = r->status;
  if (st < kSerious) st = Fetch(r);
  if (assign_rhs && st == kAtypicalType) st = kIncompatibleTypes;
  uint16_t top = ScratchMark();
  if (st >= kSerious || top == mark) {
    ScratchRelease(mark);
    Status pushed = PushNumber(0);
    if (pushed && st < kSerious) st = pushed;
  } else if (top > mark + 1) {
    ScratchReturn(mark, ScratchTop());
  }
  if (st >= kSerious) ErrReport(st, r->written(), true);
  r->status = st;
}

// Applies the operator of lc to L (value l) and R (on top of the stack, cursor r); the
// result is pushed. Returns the result's status; *cls (R's class on entry) becomes its class.
Status Apply(const ExprCursor& lc, Val l, ExprCursor* r, uint16_t* cls) {
  uint8_t op = lc.op;
  if (op == kOpAssign) {
    Status st = Assign(lc, r);
    *cls = r->cls;
    return st;
  }
  Val rv = ScratchTop();
  bool lt = lc.cls & kClsText, rt = r->cls & kClsText;
  Status st = kOk;
  if (lt && rt) {
    bool is_text = true;
    bool patterns = !SysTestBits(kSysAuxStat, kAuxNoPatterns);
    st = TextOp(op, l, rv, g_expr.scale, patterns, &is_text);
    if (!is_text) *cls = 0;
  } else {
    int64_t a = NumberOf(l), b = NumberOf(rv), v = 0;
    // A text beside a number is taken as a number only right of a numeric field.
    if (lt != rt) st = !lt && (lc.cls & kClsField) ? TextToNumber(rv, g_expr.precis, &b)
                                                    : kIncompatibleTypes;
    if (!st) st = NumericOp(op, a, b, g_expr.precis, &v);
    if (!st) st = PushNumber(v);
    *cls = 0;
  }
  return st;
}

// Applies operators from c on while they bind at least as tightly as `min`. The left
// operand is on top of the stack; the result replaces it.
void Climb(ExprCursor* c, uint8_t min) {
  ExprNesting nest;
  uint16_t top = ScratchMark();
  uint16_t mark = top ? uint16_t(top - 1) : 0;
  if (!nest.ok() && Going(c->status)) c->status = kOutOfMemory;
  while (Going(c->status) && c->op != kOpNone && c->prec >= min) {
    Val l = ScratchMark() == mark + 1 ? ScratchTop() : ScratchReturn(mark, ScratchTop());
    if (Status st = ValCheck(l)) {
      c->status = st;
      break;
    }
    ExprCursor r;
    RightOperand(*c, &r);
    Status st = r.status;
    uint16_t cls = r.cls;
    if (st == kOk) st = Apply(*c, l, &r, &cls);
    // The result's status and class are stored after the copy, not just before it.
    *c = r;
    c->status = st;
    c->cls = cls;
  }
  if (ScratchMark() > mark + 1) ScratchReturn(mark, ScratchTop());
  c->cls &= kClsText;
}

}  // namespace

void RightOperand(const ExprCursor& c, ExprCursor* r) {
  assert(r != &c);
  r->text = c.text;
  r->len = c.len;
  r->next = c.next;
  ReadOperand(r, c.op == kOpAssign);
  if (r->status == kNullExpression && ((c.cls & kClsText) || r->op == kOpNone)) {
    r->status = kSyntaxError;
    return;
  }
  // An operator that binds tighter, or an empty operand (which stands for 0 before its
  // operator: 2*-3+1 is 2 * (0 - 3 + 1)), extends the operand.
  while (Going(r->status) && (r->prec > c.prec || r->empty_operand())) {
    if (r->op == kOpNone) {
      r->status = kSyntaxError;
      break;
    }
    Climb(r, r->prec);
  }
}

Status EvalSubscripts(const ExprCursor& t, int32_t* subs, int* count) {
  Val list = t.content();
  Span spans[kMaxSubscripts + 1];
  uint16_t n = ExprListSplit(list, spans, kMaxSubscripts + 1);
  if (n > kMaxSubscripts) return kDimStructError;
  for (uint16_t i = 0; i < n; ++i) {
    ScratchScope scope;
    Status st = EvaluatePrepared(Val(list.ptr + spans[i].off, spans[i].len));
    if (st == kResultText) return kIncompatibleTypes;
    if (st != kResultNumber) return st;
    int16_t v;
    if (NumberToInteger(NumberOf(ScratchTop()), g_expr.scale, &v)) return kDataOutBound;
    subs[i] = v;
  }
  *count = n;
  return kOk;
}

Status EvaluatePrepared(Val text) {
  ExprNesting nest;
  uint16_t base = ScratchMark();
  if (Status st = ScratchPushCopy(Val())) return st;
  if (!nest.ok()) {
    ErrRecord(1, kAreaExpExec, kOutOfMemory, 0);
    return ErrReport(kOutOfMemory, text, true);
  }
  // The provisional result is the empty text.
  ExprCursor c = CursorOver(text);
  c.cls = kClsText;
  uint16_t sub = 0;
  do {
    sub = c.next;
    ReadOperand(&c, false);
    Climb(&c, 0);
    ScratchReturn(base, ScratchTop());
  } while (c.next < text.len && Going(c.status));
  Status st = c.status;
  bool is_text = c.cls & kClsText;
  if (is_text && st == kAtypicalType) {
    ScratchReturn(base, Val());
    st = kOk;
  }
  if (st >= kCancelled) ErrRecord(1, kAreaExpExec, st, 0);
  if (st >= kSerious) ErrReport(st, ValTail(text, sub), true);
  if (st < kCancelled || st == kNullExpression) return is_text ? kResultText : kResultNumber;
  return st;
}

Status Evaluate(Val text) {
  uint16_t mark = ScratchMark();
  Val prepared;
  if (Status st = ExprPrepare(text, &prepared)) {
    ErrRecord(1, kAreaExpExec, st, 0);
    ScratchPushCopy(Val());
    return st;
  }
  Status st = EvaluatePrepared(prepared);
  ScratchReturn(mark, ScratchTop());
  return st;
}

}  // namespace orv
