// The token cursor and expression-list splitting.
#include "expr/cursor.h"

#include <cassert>
#include <cstring>

#include "core/status.h"
#include "expr/funcs.h"
#include "expr/state.h"
#include "expr/tokens.h"

namespace orv {

namespace {

// Where a token starting at p ends, without classifying it.
struct Cut {
  uint16_t tok_len = 0;
  uint16_t bracket = 0;
  bool paren = false;  // the token is directly followed by '('
  uint16_t end = 0;
  uint16_t next = 0;
  uint8_t op = kOpNone;
};

// Fills *k for the token at p. The result goes through a pointer: returned by value, the
// small struct travels packed in registers and every field read after it stalls.
void CutToken(Val t, uint16_t p, Cut* k) {
  assert(p <= t.len);
  uint16_t n = t.len;
  uint16_t i = FindOperatorChar(t, p);
  if (i == kNone) {
    k->tok_len = static_cast<uint16_t>(n - p);
    k->end = k->next = n;
    return;
  }
  k->tok_len = static_cast<uint16_t>(i - p);
  if (t.ptr[i] == '(') {
    k->paren = true;
    k->bracket = BracketLength(t, i);
    uint32_t after = uint32_t(i) + k->bracket + 2;  // past the matching ')'
    i = after <= n ? FindOperatorChar(t, after) : kNone;
    if (i == kNone) {
      k->end = k->next = n;
      return;
    }
  }
  k->end = i;
  char c = t.ptr[i];
  if (c == ';' || c == ',') {
    k->next = static_cast<uint16_t>(i + 1);
    return;
  }
  int op_len = i + 1 < n && IsSecondOperatorChar(t.at(i + 1)) ? 2 : 1;
  k->op = OperatorNumber(t.ptr + i, op_len);
  k->next = static_cast<uint16_t>(i + op_len);
}

}  // namespace

uint16_t FindOperatorChar(Val text, uint32_t from) {
  // One test per character finds both the operators and the quotes that hide them.
  static constexpr CharSet kStops("*/!%\xF7+-(;,:)=><&@|'\""_v);
  const char* p = text.ptr;
  for (uint32_t i = from; i < text.len; ++i) {
    uint8_t c = static_cast<uint8_t>(p[i]);
    if (!kStops.has(c)) continue;
    if (c == '\'' || c == '"') {
      const void* close = memchr(p + i + 1, c, text.len - i - 1);
      if (!close) return kNone;
      i = static_cast<uint32_t>(static_cast<const char*>(close) - p);
      continue;
    }
    return static_cast<uint16_t>(i);
  }
  return kNone;
}

uint16_t BracketLength(Val text, uint16_t open) {
  assert(open < text.len && text.ptr[open] == '(');
  const char* p = text.ptr;
  uint32_t depth = 1;
  for (uint32_t i = open + 1u; i < text.len; ++i) {
    char c = p[i];
    if (c == '\'' || c == '"') {
      const void* close = memchr(p + i + 1, c, text.len - i - 1);
      if (!close) break;
      i = static_cast<uint32_t>(static_cast<const char*>(close) - p);
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      return static_cast<uint16_t>(i - open - 1);
    }
  }
  return static_cast<uint16_t>(text.len - open - 1);
}

ExprCursor CursorOver(Val text) {
  ExprCursor c;
  c.text = text.ptr;
  c.len = text.len;
  return c;
}

void NextToken(ExprCursor* c) {
  uint16_t p = c->next;
  Cut k;
  CutToken(c->whole(), p, &k);
  c->start = p;
  c->tok_len = k.tok_len;
  c->bracket = k.bracket;
  c->end = k.end;
  c->next = k.next;
  c->op = k.op;
  c->prec = kOpPrecedence[k.op];
  c->fn = 0;
  c->status = 0;
  Val tok = c->token();
  uint16_t cls = TokenClassOf(tok, p < c->len ? c->text[p] : -1);
  if (k.paren && tok.len) {
    c->fn = BuiltinNumber(tok);
    cls |= c->fn ? kClsCall : kClsIndexed;
  }
  if (cls & kClsField) {
    uint16_t field = FieldClass(tok);
    if (field >= kSerious) {
      c->status = field;
      cls = 0;
    } else {
      cls |= field;
    }
  }
  c->cls = cls;
}

uint16_t ExprListSplit(Val list, Span* out, uint16_t max) {
  if (!list.ok() || list.len == 0) return 0;
  uint16_t count = 0;
  uint16_t start = 0;
  for (uint16_t p = 0;;) {
    Cut k;
    CutToken(list, p, &k);
    p = k.next;
    if (k.op != kOpNone) continue;  // at the end of the text the next cut has none
    if (count < max) out[count] = Span{start, static_cast<uint16_t>(k.end - start)};
    ++count;
    if (p >= list.len) return count;
    start = p;
  }
}

Val ExprListElement(Val list, uint16_t n) {
  if (!list.ok()) return list;
  Span spans[kMaxListElements];
  uint16_t count = ExprListSplit(list, spans, kMaxListElements);
  if (n == 0 || n > count || n > kMaxListElements) return Val();
  return Val(list.ptr + spans[n - 1].off, spans[n - 1].len);
}

}  // namespace orv
