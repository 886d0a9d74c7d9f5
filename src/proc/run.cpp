// The interpreter: runs, statements, GOSUB, CALL and LOCALVARS, the trace.
#include "proc/run.h"

#include <string>

#include "core/list.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "core/files.h"
#include "core/wholefile.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/sysvars.h"
#include "expr/tokens.h"
#include "expr/varstore.h"
#include "proc/args.h"
#include "proc/chain.h"
#include "proc/env.h"
#include "proc/keywords.h"
#include "proc/load.h"
#include "proc/procedure.h"
#include "proc/state.h"

namespace orv {

namespace {

// Internal flag: no entry label was given, so the environment is restored at the end.
constexpr int kRunRestore = 0x200;

struct Run {
  Procedure* proc = nullptr;
  uint32_t pos = 0;  // the next statement
  uint32_t cur = 0;  // the statement executing, for the error detail
  int flags = 0;
  uint16_t arg_base = 0;  // LOCALVARS takes no argument below it
  uint16_t returns_used = 0;
  uint32_t returns[kMaxGosubDepth];
  std::string result;  // the last expression statement's value, with kRunKeepResult
};

Status RunProcedure(Val entry, Val file, int flags, uint16_t arg_base);

// A failure inside a run: Execute records it with the statement that failed.
Status Fail(Status st, Val detail) { return ErrReport(st, detail, true); }

// The statement's text as it is used: expanded when it holds brackets. Pushed or a view.
Val UsedText(const Run& r, uint32_t n) {
  Val text = r.proc->Text(n);
  return r.proc->statements[n].brackets ? StatementExpand(text) : text;
}

// Evaluates an expression or condition statement; the value is pushed (see Evaluate).
Status EvaluateStatement(const Run& r, uint32_t n) {
  if (r.proc->statements[n].prepared) return EvaluatePrepared(r.proc->Prepared(n));
  Val text = UsedText(r, n);
  if (Status st = ValCheck(text)) {
    ScratchPushCopy(Val());
    return st;
  }
  return Evaluate(text);
}

// 1 (true) or 0, or a status of 122 or more. An empty condition is true.
Status Condition(const Run& r, uint32_t n) {
  ScratchScope scope;
  const Statement& s = r.proc->statements[n];
  if (s.text_len == 0) return 1;
  Status st = EvaluateStatement(r, n);
  if (st == kResultText) return 0;
  if (st != kResultNumber) return st;
  return NumberOf(ScratchTop()) != 0 ? 1 : 0;
}

void Trace(const Run& r, uint32_t n) {
  ScratchScope scope;
  Val text = r.proc->Text(n);
  Val line = ValFormat(uint16_t(text.len < 60000 ? text.len + 64 : 65535), "%u\t%.*s %.*s\r\n",
                       unsigned(n + 1), int(KeywordName(r.proc->statements[n].op).len),
                       KeywordName(r.proc->statements[n].op).ptr, int(text.len), text.ptr);
  size_t written = 0;
  if (line.ok()) FileWriteAll(kTraceFile, kFileEnd, line, &written);
}

// LOCALVARS: the names, from the last to the first, take the arguments on top of the
// argument stack. Names beyond the arguments the caller gave start empty (0), so LOCALVARS
// also declares local variables.
Status TakeArguments(const Run& r, Val names) {
  for (uint16_t i = ListCount(names, ','); i >= 1; --i) {
    ScratchScope scope;
    Val name = TextTrim(ListField(names, ',', i), kTrimBoth);
    VarKind kind = NameKind(name);
    if (name.empty() || (kind != kKindInt && kind != kKindNum && kind != kKindText))
      return Fail(kIncompatibleTypes, ValConcat("LOCALVARS "_v, name));
    Val arg;
    if (SlotCount(kArgStackGroup) > r.arg_base) {
      arg = ValCopy(SlotLast(kArgStackGroup));
      SlotPop(kArgStackGroup);
    }
    if (Status st = ValCheck(arg)) return st;
    Status st;
    if (kind == kKindText) {
      st = VarAssign(name, arg);
    } else {
      int64_t v = 0;
      st = TextToNumber(arg, g_expr.precis, &v);
      if (!st) st = PushNumber(v);
      if (!st) st = VarAssign(name, ScratchTop());
    }
    if (st >= kSerious) return st;
  }
  return kOk;
}

// CALL entry,file,local arguments: the arguments (separated by ";" or ",") are pushed on the
// argument stack, the entry runs, and it must have taken them all (147, "LOCALVARS").
Status Call(Val text) {
  ScratchScope scope;
  uint16_t blank = TextFindChar(text, ' ', kQuoteAware);
  Val head = blank == kNone ? text : ValHead(text, blank);
  Val list = blank == kNone ? Val() : ValTail(text, blank + 1u);
  Val entry = TextTrim(ListField(head, ',', 1), kTrimBoth);
  Val file = TextTrim(ListField(head, ',', 2), kTrimBoth);
  bool local = true;
  if (ListCount(head, ',') >= 3) {
    ScratchScope each;
    Status st = Evaluate(ListField(head, ',', 3));
    if (st >= kCancelled) return st;
    local = st == kResultNumber && NumberOf(ScratchTop()) != 0;
  }
  uint16_t depth = SlotCount(kArgStackGroup);
  Span spans[kMaxCommandArgs];
  uint16_t count = ArgsSplit(list, ";,"_v, spans, kMaxCommandArgs);
  if (count > kMaxCommandArgs) return Fail(kSyntaxError, "CALL: more than 16 arguments"_v);
  Status st = kOk;
  for (uint16_t i = 0; i < count && !st; ++i) {
    ScratchScope each;
    Status ev = Evaluate(Val(list.ptr + spans[i].off, spans[i].len));
    if (ev >= kCancelled) {
      st = ev;
      break;
    }
    Val v = ev == kResultText ? ScratchTop() : NumberToText(NumberOf(ScratchTop()), g_expr.precis);
    st = ValCheck(v);
    if (!st) st = SlotPush(kArgStackGroup, v);
  }
  if (!st) st = RunProcedure(entry, file, local ? kRunLocal : 0, depth);
  if (!st && SlotCount(kArgStackGroup) != depth) st = Fail(kSyntaxError, "LOCALVARS"_v);
  SlotTrim(kArgStackGroup, depth);
  return st;
}

Status Command(const Run& r, uint32_t n) {
  ScratchScope scope;
  Val text = UsedText(r, n);
  if (Status st = ValCheck(text)) return st;
  CommandArgs args;
  if (Status st = CommandArgsLoad(text, &args)) return st;
  return CommandDispatch(r.proc->statements[n].op, args);
}

Status End(Run& r) {
  if (!(r.flags & kRunKeepResult)) return kOk;
  return SlotPush(kResultGroup, ValOf(r.result));
}

// Runs statements until END, the end of the procedure or a non-zero status.
Status Interpret(Run& r) {
  const Procedure& p = *r.proc;
  for (;;) {
    if (r.pos >= p.count()) return End(r);
    uint32_t n = r.pos++;
    r.cur = n;
    const Statement& s = p.statements[n];
    if (g_proc.bounded) {
      if (g_proc.budget == 0) return Fail(kLoopFailure, "statement budget used up"_v);
      --g_proc.budget;
    }
    if (SysGet(kSysTrace) & kTraceProcBit) Trace(r, n);
    if (g_proc.hooks.poll)
      if (Status st = g_proc.hooks.poll()) return st;
    Status st = kOk;
    switch (s.op) {
      case kOpExpression: {
        ScratchScope scope;
        st = EvaluateStatement(r, n);
        if (st < kSerious) {
          if (r.flags & kRunKeepResult) {
            Val v = st == kResultText ? ScratchTop()
                                      : NumberToText(NumberOf(ScratchTop()), g_expr.precis);
            r.result.assign(v.sv());
          }
          st = kOk;
        }
        break;
      }
      case kOpGoto:
        r.pos = s.target;
        break;
      case kOpGosub:
        if (r.returns_used >= kMaxGosubDepth) {
          st = Fail(kPrcStackError, "GOSUB nested deeper than 64"_v);
          break;
        }
        r.returns[r.returns_used++] = r.pos;
        r.pos = s.target;
        break;
      case kOpCall: {
        ScratchScope scope;
        Val text = UsedText(r, n);
        st = ValCheck(text);
        if (!st) st = Call(text);
        break;
      }
      case kOpReturn:
        if (r.returns_used) {
          r.pos = r.returns[--r.returns_used];
          break;
        }
        if ((r.flags & kRunTask) && (r.flags & kRunRestore))
          return Fail(kPrcStackError, "RETURN without GOSUB"_v);
        return End(r);
      case kOpEndif:
      case kOpDo:
      case kOpDefFn:
        break;
      case kOpLoop:
      case kOpElse:
        r.pos = s.target;
        break;
      case kOpLocalVars: {
        ScratchScope scope;
        Val text = UsedText(r, n);
        st = ValCheck(text);
        if (!st) st = TakeArguments(r, text);
        break;
      }
      case kOpEnd:
        return End(r);
      default:
        if (OpIsCommand(s.op)) {
          st = Command(r, n);
          if (!st) ErrRecord(2, 0, 0, 0);
          break;
        }
        // The conditions: LOOP_WHILE and LOOP_UNTIL jump back to their opener, the openers
        // forward past their block.
        st = Condition(r, n);
        if (st > 1) break;
        bool jump_when = s.op == kOpLoopWhile || s.op == kOpIfFalse || s.op == kOpDoUntil;
        if (bool(st) == jump_when) r.pos = s.target;
        st = kOk;
        break;
    }
    if (st) return st;
  }
}

// Runs from the run's position, restores the environment when asked, and reports a failure
// with the statement that failed.
Status Execute(Run& r) {
  RunEnvironment note = EnvironmentNote();
  ErrRecord(2, 0, 0, 0);
  Status st = Interpret(r);
  if (st <= kSerious && (r.flags & kRunRestore)) {
    Status restored = EnvironmentRestore(note);
    if (!st) st = restored;
  }
  if (st) {
    ScratchScope scope;
    bool known = r.cur < r.proc->count();
    Val word = known ? KeywordName(r.proc->statements[r.cur].op) : Val();
    Val text = known ? ValHead(r.proc->Text(r.cur), 1000) : Val();
    ErrRecord(1, kAreaMallocMemAcums, st, 0);
    ErrReport(st,
              ValFormat(1100, "Line: %u (+ remmarks):\r\n%.*s %.*s", unsigned(r.cur + 1),
                        int(word.len), word.ptr, int(text.len), text.ptr),
              true);
  }
  return st;
}

// Counts a run for as long as it lives.
class RunNesting {
 public:
  RunNesting() { ++g_proc.depth; }
  ~RunNesting() { --g_proc.depth; }
  RunNesting(const RunNesting&) = delete;
  RunNesting& operator=(const RunNesting&) = delete;
};

Status RunProcedure(Val entry, Val file, int flags, uint16_t arg_base) {
  if (g_proc.depth >= kMaxRunDepth) {
    ErrRecord(1, kAreaExecRunTime, kPrcStackError, 0);
    return Fail(kPrcStackError, "CALL nested deeper than 64"_v);
  }
  RunNesting nesting;
  ScratchScope scope;
  VarMark mark = VarMarkSave();
  entry = TextTrim(entry, kTrimBoth);
  file = TextTrim(file, kTrimBoth);
  Procedure* loaded = nullptr;
  if (file.len) {
    uint16_t number = 0;
    Status st = ProcLoad(file, &number);
    if (st >= kCancelled) return st;
    loaded = g_proc.table[number].get();
  }
  Run r;
  r.flags = flags;
  r.arg_base = arg_base;
  Status st = kOk;
  r.proc = ProcFind(entry);
  if (!r.proc) {
    ErrRecord(1, kAreaExecRunTime, kSyntaxError, 0);
    st = Fail(kSyntaxError, entry.len ? entry : "no procedure is loaded"_v);
  } else {
    if (entry.len) {
      r.proc->position = uint32_t(r.proc->Label(entry));
    } else {
      r.flags |= kRunRestore;
    }
    r.pos = r.proc->position;
    r.cur = r.pos;
    st = Execute(r);
  }
  if (loaded) {
    Status unloaded = ProcUnload(ProcNumber(loaded));
    if (!st) st = unloaded;
  }
  if (flags & kRunLocal) {
    Status restored = VarMarkRestore(mark);
    if (!st) st = restored;
  }
  return st;
}

}  // namespace

Status ProcRun(Val entry, Val file, int flags) {
  return RunProcedure(entry, file, flags, SlotCount(kArgStackGroup));
}

}  // namespace orv
