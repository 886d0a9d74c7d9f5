// Compiling procedure text.
#include "proc/compile.h"

#include <cstring>
#include <string>

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/prepare.h"
#include "proc/keywords.h"

namespace orv {

namespace {

bool IsRemarkChar(char c) { return c == ';' || c == '#' || c == '/'; }

// Whether the statement's text is evaluated as an expression or a condition.
bool Evaluates(uint16_t op) {
  switch (op) {
    case kOpExpression:
    case kOpLoopWhile:
    case kOpLoopUntil:
    case kOpIf:
    case kOpIfTrue:
    case kOpDoWhile:
    case kOpIfFalse:
    case kOpDoUntil:
      return true;
    default:
      return false;
  }
}

// Records a compilation failure with its detail line ("%s" is the 1-based statement number,
// after the label name when `name` is given).
Status Fail(Status st, const char* what, uint32_t statement, Val name = Val(nullptr, 0)) {
  ScratchScope scope;
  Val detail = name.ok() ? ValFormat(1024, what, int(name.len), name.ptr, unsigned(statement))
                         : ValFormat(1024, what, unsigned(statement));
  ErrRecord(1, kAreaExecCompiler, st, 0);
  return ErrReport(st, detail, true);
}

}  // namespace

int64_t Procedure::Label(Val name) const {
  for (size_t i = 0; i < labels.size(); ++i)
    if (labels[i] == name.sv()) return label_pos[i];
  return -1;
}

Status ProcCompiler::AddLabel(Val name) {
  uint32_t next = p_->count() + 1;
  if (p_->Label(name) >= 0)
    return Fail(kSyntaxError, "Label '%.*s' in line %u (+ remmarks) defined twice", next, name);
  if (p_->labels.size() >= kMaxLabels)
    return Fail(kOutOfMemory, "More than 128 labels: '%.*s' in line %u (+ remmarks)", next,
                name);
  p_->labels.push_back(name.str());
  p_->label_pos.push_back(p_->count());
  return kOk;
}

Status ProcCompiler::AddStatement(uint16_t op, Val text) {
  if (p_->count() >= kMaxStatements)
    return Fail(kOutOfMemory, "More than 1000000 statements in line %u (+ remmarks)",
                p_->count() + 1);
  Statement s;
  s.op = op;
  s.text_off = uint32_t(p_->texts.size());
  s.text_len = text.len;
  s.brackets = memchr(text.ptr, '[', text.len) != nullptr;
  p_->texts.append(text.ptr, text.len);
  p_->statements.push_back(s);
  return kOk;
}

Status ProcCompiler::Line(Val line) {
  if (Status st = ValCheck(line)) return st;
  line = TextTrim(line, kTrimBoth);
  if (line.empty() || IsRemarkChar(line.ptr[0])) return kOk;
  uint16_t blank = TextFindAnyOf(line, " \t"_v, kPlain);
  Val word = blank == kNone ? line : ValHead(line, blank);
  Val rest = blank == kNone ? Val() : TextTrim(ValTail(line, blank), kTrimBoth);
  if (word.ptr[0] == ':') return AddLabel(ValTail(word, 1));
  uint16_t op = KeywordOpcode(word);
  if (op == kOpDefFn) return AddLabel(rest);
  return AddStatement(op, op == kOpExpression ? line : rest);
}

Status ProcCompiler::Resolve() {
  std::vector<uint32_t> blocks;
  for (uint32_t i = 0; i < p_->count(); ++i) {
    Statement& s = p_->statements[i];
    uint32_t n = i + 1;
    if (s.op == kOpGoto || s.op == kOpGosub) {
      int64_t pos = p_->Label(p_->Text(i));
      if (pos < 0)
        return Fail(kSyntaxError, "Label '%.*s' in line %u (+ remmarks) not found", n,
                    p_->Text(i));
      s.target = uint32_t(pos);
    }
    if (OpClosesBlock(s.op)) {
      if (blocks.empty())
        return Fail(kSyntaxError,
                    "Final of Conditional or loop without \r\nBegin (Loop, Endif...) in line "
                    "%u (+ remmarks)",
                    n);
      uint32_t opener = blocks.back();
      blocks.pop_back();
      p_->statements[opener].target = n;
      s.target = opener;
    }
    if (OpOpensBlock(s.op)) {
      if (blocks.size() >= kMaxBlockDepth)
        return Fail(kOutOfMemory, "Blocks nested deeper than 16 in line %u (+ remmarks)", n);
      blocks.push_back(i);
    }
  }
  if (!blocks.empty())
    return Fail(kSyntaxError,
                "Conditional or loop without end (Endif, Loop...) in line %u (+ remmarks)",
                blocks.back() + 1);
  return kOk;
}

// Expressions and conditions without brackets are prepared once here instead of at every
// evaluation. A text that does not prepare is left to the evaluation, which reports it.
void ProcCompiler::Prepare() {
  ScratchScope scope;
  std::string detail(ErrDetail().sv());
  for (uint32_t i = 0; i < p_->count(); ++i) {
    Statement& s = p_->statements[i];
    if (s.brackets || !Evaluates(s.op)) continue;
    ScratchScope each;
    Val prepared;
    if (ExprPrepare(p_->Text(i), &prepared)) {
      ErrReport(kOk, ValOf(detail), false);
      continue;
    }
    s.prepared = true;
    s.prep_off = uint32_t(p_->prepared.size());
    s.prep_len = prepared.len;
    p_->prepared.append(prepared.ptr, prepared.len);
  }
}

Status ProcCompiler::Finish() {
  if (Status st = Resolve()) return st;
  Prepare();
  return kOk;
}

Status ProcCompileText(Val text, Procedure* out) {
  if (Status st = ValCheck(text)) return st;
  ProcCompiler compiler(out);
  uint32_t start = 0;
  while (start < text.len) {
    uint32_t end = start;
    while (end < text.len && text.ptr[end] != '\r' && text.ptr[end] != '\n') ++end;
    if (Status st = compiler.Line(Val(text.ptr + start, uint16_t(end - start)))) return st;
    if (end + 1 < text.len && text.ptr[end] == '\r' && text.ptr[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return compiler.Finish();
}

}  // namespace orv
