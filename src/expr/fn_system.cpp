// Functions over the engine's environment: ENVRON$, the environment table _$, EXEC$,
// MACRO$ and SQLCHILD.
#include "core/paths.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/args.h"
#include "expr/builtins.h"
#include "expr/execute.h"
#include "expr/funcs.h"
#include "expr/state.h"
#include "expr/sysvars.h"
#include "expr/varstore.h"

namespace orv {

namespace {

// Groups of the environment table: below 30 tables by item, 30 to 36 stacks, 37 and 38
// queues; the default group.
constexpr int16_t kFirstStackGroup = 30;
// The stack a procedure run leaves its result on (EXEC$).
constexpr uint16_t kResultGroup = 30;
// Procedure-run flags of EXEC$: keep a result, no local variables.
constexpr int kRunKeepResult = 2;
// MACRO$ flags: use the names list (and expand with 0x15), evaluate the expansion.
constexpr int16_t kMacroNames = 4, kMacroEvaluate = 8;
constexpr int kExpandWithNames = 0x15;
// SQLCHILD nesting limit.
constexpr int16_t kMaxSqlLevel = 8;

Status EnvironCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val name;
  int16_t n;
  if (Status st = ArgsLoad(call, 1, 2, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &name)) return st;
  if (Status st = a.Int(2, 1, &n)) return st;
  if (n < 0) return ReturnText(scope, Val());
  Val item = SlotGet(kSlotGroupSettings, uint16_t(n));
  return ReturnText(scope, n <= 1 ? TextKeyValue(item, name, kKeyUnquote) : item);
}

// The slots the engine keeps for itself, which _$ reads but never writes: the variable
// names and text values, the argument stack, the format descriptor and the function list.
bool EngineOwned(int16_t group, int16_t item) {
  return group == kNameGroup || group == kTextGroup || group == kArgStackGroup ||
         (group == kSlotGroupSettings && (item == 0 || item == kFnSettingsItem));
}

Status Refused(int16_t group, int16_t item) {
  ScratchScope scope;
  return ErrReport(kPermissionDenied, ValFormat(32, "_$(%d;%d)", group, item), true);
}

Status SlotsCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  int16_t group, item;
  Val value;
  if (Status st = ArgsLoad(call, 0, 3, kAllArgs, &a)) return st;
  if (Status st = a.Int(1, kFirstStackGroup, &group)) return st;
  if (Status st = a.Int(2, 0, &item)) return st;
  if (Status st = a.Text(3, Val(), &value)) return st;
  if (group < 0 || group >= int16_t(kSlotGroups)) return kStrOutBound;
  bool stack = group >= kFirstStackGroup;
  if (!stack && item < 0) return kSyntaxError;
  if ((a.Has(3) || item < 0) && EngineOwned(group, item)) return Refused(group, item);
  if (a.Has(3)) {
    Status st = stack ? SlotPush(uint16_t(group), value) : SlotSet(uint16_t(group), uint16_t(item), value);
    if (st) return st;
  }
  if (item >= 0)
    return ReturnText(scope, stack ? SlotLast(uint16_t(group)) : SlotGet(uint16_t(group), uint16_t(item)));
  // Removing from an empty group (127) is no error: the result is simply empty.
  for (int32_t k = 0; k < -int32_t(item) && SlotCount(uint16_t(group)); ++k)
    if (Status st = SlotPop(uint16_t(group))) return st;
  return ReturnText(scope, Val());
}

Status ExecCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val entry, file;
  if (Status st = ArgsLoad(call, 1, 2, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &entry)) return st;
  if (Status st = a.Text(2, Val(), &file)) return st;
  if (file.len == 0 && PathPart(entry, kPartExt).len) {
    if (Status st = ExecuteFile(entry, true)) return st;
    return ReturnText(scope, Val());
  }
  ProcRunnerFn run = ProcRunner();
  if (!run) return ErrReport(kFeatureRemoved, "EXEC$()"_v, false);
  // Only a value the run itself left is taken off the stack.
  uint16_t before = SlotCount(kResultGroup);
  if (Status st = run(entry, file, kRunKeepResult); st >= kSerious) return st;
  if (SlotCount(kResultGroup) <= before) return ReturnText(scope, Val());
  Val result = ValCopy(SlotLast(kResultGroup));
  if (Status st = ValCheck(result)) return st;
  SlotPop(kResultGroup);
  return ReturnText(scope, result);
}

Status MacroCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val text, names;
  int16_t flags;
  if (Status st = ArgsLoad(call, 1, 3, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &text)) return st;
  if (Status st = a.Int(2, 0, &flags)) return st;
  if (Status st = a.Text(3, Val(), &names)) return st;
  Val v = flags & kMacroNames ? g_expr.data.expand(text, kExpandWithNames, names)
                              : g_expr.data.expand(text, flags, Val());
  if (ValCheck(v) == kFeatureRemoved) return ErrReport(kFeatureRemoved, "MACRO$()"_v, false);
  if (Status st = ValCheck(v)) return st;
  if (flags & kMacroEvaluate) return ReturnText(scope, EvalText(TextTrim(v, kTrimBoth)));
  return ReturnText(scope, v);
}

// SQLCHILD: its arguments are evaluated one level deeper (_SQLSTK raised, _CURROW 0);
// _SQLSTK, _CURROW and _IER are restored afterwards.
Status SqlChildCall(const ExprCursor& call) {
  ScratchScope scope;
  int16_t level = SysGet(kSysSqlStk), row = SysGet(kSysCurRow), ier = SysGet(kSysIer);
  if (level + 1 >= kMaxSqlLevel) return kStrOutBound;
  SysSet(kSysSqlStk, level + 1);
  SysSet(kSysCurRow, 0);
  CallArgs a;
  Status st = ArgsLoad(call, 3, 3, kAllArgs, &a);
  SysSet(kSysSqlStk, level);
  SysSet(kSysCurRow, row);
  SysSet(kSysIer, ier);
  return st ? st : ReturnNumber(scope, 0);
}

}  // namespace

void SystemFunctionsInstall() {
  BuiltinInstall(kFnEnviron, BuiltinEntry{EnvironCall, nullptr});
  BuiltinInstall(kFnSlots, BuiltinEntry{SlotsCall, nullptr});
  BuiltinInstall(kFnExec, BuiltinEntry{ExecCall, nullptr});
  BuiltinInstall(kFnMacro, BuiltinEntry{MacroCall, nullptr});
  BuiltinInstall(kFnSqlChild, BuiltinEntry{SqlChildCall, nullptr});
}

}  // namespace orv
