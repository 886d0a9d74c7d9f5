// Task parsing and dispatch.
#include "shell/tasks.h"

#include <string>
#include <vector>

#include "core/appfolders.h"
#include "core/folders.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "platform/uihost.h"
#include "shell/catalog.h"

namespace orv {

namespace {

bool ValidIndex(uint16_t index) {
  return index >= 1 && index <= kTaskCount;
}

// The separator of a task command: a blank when it holds one, else a comma.
char SeparatorOf(Val command) {
  return TextFindChar(command, ' ', kPlain) == kNone ? ',' : ' ';
}

uint16_t IndexOfName(Val command) {
  return ListWordIndex(kTaskNames, ListField(command, SeparatorOf(command), 1), ',');
}

// PrcExec with "*" in its file list: the matches in the default folder are offered until
// the user cancels or a procedure fails; the chosen name replaces the pattern. The choice
// is the dispatcher's own work, so it is offered even before a procedure runner exists.
Status ProcedureChoice(TaskHandler run, uint32_t code, Val params) {
  ScratchScope scope;
  Val pattern = TextTrim(ListField(params, ',', 1), kTrimBoth);
  Val rest = ListRest(params, ',');
  Val folder = PathHasFolder(pattern) ? Val() : FolderOfKind(kFolderDefault);
  ValArray found = ListSplit(FileList(PathJoin(folder, pattern)), '\0');
  if (found.status || found.count == 0) {
    ErrRecord(1, kAreaExecRunTime, kFileNotFound, 0);
    return ErrReport(kFileNotFound, MessageText("0031"_v), false);
  }
  std::vector<std::string> names;
  for (uint16_t i = 0; i < found.count; ++i) names.emplace_back(found.items[i].sv());
  std::string title(MessageText("0088"_v).sv());
  Status st = kCancelled;
  for (;;) {
    size_t chosen = 0;
    if (Ui().Choose(title, names, &chosen) != kOk) return st;
    ScratchScope run_scope;
    Val name = ValOf(names[chosen]);
    st = run ? run(code, rest.len ? ValJoin(name, ","_v, rest) : name) : TaskNotProvided();
    if (st >= kSerious) return st;
  }
}

}  // namespace

bool TaskRegister(uint16_t index, TaskHandler fn) {
  if (!ValidIndex(index)) return false;
  g_shell.engine_tasks[index] = fn;
  return true;
}

bool AppTaskRegister(uint16_t index, TaskHandler fn) {
  if (index != kTaskMantMain && index != kTaskMantAuto && index != kTaskLnManMain &&
      index != kTaskReport)
    return false;
  g_shell.app_tasks[index] = fn;
  return true;
}

void TaskCallbackSet(TaskHandler fn) {
  g_shell.callback = fn;
}

Status TaskNotProvided() {
  ErrRecord(1, kAreaExecRunTime, kDataError, 0);
  return ErrReport(kDataError, MessageText("0031"_v), false);
}

uint32_t TaskParse(Val command, Val* params) {
  *params = Val();
  Val expanded = ExpandBrackets(TextTrim(command, kTrimBoth));
  if (!expanded.ok()) return ValCheck(expanded);
  uint16_t index = IndexOfName(expanded);
  if (!index) return kDataError;
  *params = ListRest(expanded, SeparatorOf(expanded));
  return TaskCode(index);
}

Status TaskRun(Val command) {
  if (!g_shell.callback) g_shell.callback = TaskDispatch;
  ScratchScope scope;
  Val params;
  uint32_t code = TaskParse(command, &params);
  if (TaskIndexOf(code) == 0 && code != kDataError) return Status(code);
  return g_shell.callback(code, params);
}

Status TaskDispatch(uint32_t code, Val params) {
  uint16_t index = TaskIndexOf(code);
  TaskHandler fn = ValidIndex(index) ? g_shell.engine_tasks[index] : nullptr;
  if (index == kTaskPrcExec && TextFindChar(params, '*', kPlain) != kNone)
    return ProcedureChoice(fn, code, params);
  if (!fn) return TaskNotProvided();
  switch (index) {
    case kTaskHelp:
    case kTaskFontSet:
      fn(code, params);
      return kOk;
    default:
      return fn(code, params);
  }
}

Val TaskCommandWithDefault(Val text, uint16_t default_task) {
  if (!text.ok()) return text;
  if (IndexOfName(text)) return ValCopy(text);
  ScratchScope scope;
  Val name = ListField(kTaskNames, ',', default_task);
  return scope.Return(ValConcat(ValConcat(name, " "_v), text));
}

Status TaskRunList(Val list, uint16_t* position, Val excluded) {
  if (Status st = ValCheck(list)) return st;
  uint16_t count = ListCount(list, ',');
  for (uint16_t i = *position ? *position : 1; i <= count; ++i) {
    ScratchScope scope;
    *position = i;
    Val params;
    uint32_t code = TaskParse(TextUnquote(TextTrim(ListField(list, ',', i), kTrimBoth)), &params);
    uint16_t index = TaskIndexOf(code);
    Status st;
    if (index && excluded.ok() && CharInSet(excluded, char(index)))
      st = kUndefinedWarning;
    else if (!index && code != kDataError)
      st = Status(code);
    else
      st = TaskDispatch(code, params);
    if (st) return st;
  }
  return kOk;
}

}  // namespace orv
