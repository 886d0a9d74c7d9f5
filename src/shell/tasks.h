// Tasks: the nineteen task names, task commands, and their two-stage dispatch.
//
// A task command is a task name and its parameters: "MantAuto 3,1", "Reorg". TaskRun gives
// it to the task callback (the application layer's, registered at start), which handles
// MantMain, MantAuto, LnManMain and Report itself and passes every other task to the
// engine dispatcher, TaskDispatch. Other subsystems register the handlers of both stages;
// a task whose handler is not registered ends like the tasks the engine does not provide:
// status 163 with the detail "Proceso no definido" (message "0031").
#ifndef ORVALE_SHELL_TASKS_H
#define ORVALE_SHELL_TASKS_H

#include <cstdint>

#include "core/val.h"
#include "shell/state.h"

namespace orv {

inline constexpr Val kTaskNames =
    "Menu,Accept,AcceptRun,MantAux,MantMain,MantAuto,MantMovs,LnManMain,LnNavMain,PrcExec,"
    "Report,Reorg,Copy,FileTrans,Help,Perform,FontSet,WizzSelect,ExpEval"_v;

constexpr uint32_t TaskCode(uint16_t index) {
  return uint32_t(index) << 16;
}
constexpr uint16_t TaskIndexOf(uint32_t code) {
  return uint16_t(code >> 16);
}

// Registers the engine dispatcher's handler of a task (null removes it); false for an
// index outside 1 to 19. The PrcExec handler runs one named procedure: the dispatcher
// offers the matches of a pattern itself.
bool TaskRegister(uint16_t index, TaskHandler fn);
// Registers the application layer's handler of MantMain, MantAuto, LnManMain or Report;
// false for any other task. MantAuto's handler receives the generated maintenance
// screen's window parameters (MaintenanceScreenMake) as its parameters; Report's handles zero or one
// parameter (the report definition, a report menu), more go to the engine's Report.
bool AppTaskRegister(uint16_t index, TaskHandler fn);
// Makes `fn` the first stage of TaskRun (null: the engine dispatcher).
void TaskCallbackSet(TaskHandler fn);

// Ends a task that nobody provides: ErrReport(163, text of "0031").
Status TaskNotProvided();
// The task code of a command (index << 16, or 163 when the first field is no task name,
// or the status of a failed expansion) and its parameters (a view into the expanded
// command, which is pushed). The command's bracketed expressions are expanded first; its
// separator is a blank when it holds one, else a comma; names are compared exactly.
uint32_t TaskParse(Val command, Val* params);
// Parses the command and gives it to the task callback.
Status TaskRun(Val command);
// The engine dispatcher.
Status TaskDispatch(uint32_t code, Val params);
// The text itself when its first field is a task name, else the default task's name, a
// blank and the text. Pushed.
Val TaskCommandWithDefault(Val text, uint16_t default_task);
// Runs the commands of a comma list (each may be quoted) from *position (0: 1) straight
// through the dispatcher; a command whose task index is the code of a character of
// `excluded` is refused with 124. Stops at the first status that is not 0; *position is
// then the number of the last command run.
Status TaskRunList(Val list, uint16_t* position, Val excluded);

}  // namespace orv

#endif  // ORVALE_SHELL_TASKS_H
