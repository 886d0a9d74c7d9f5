// Binds the engine's subsystems to the shell: the hooks of ShellHooks and the task handlers
// each subsystem provides. The process entry calls it once, before the engine starts.
#ifndef ORVALE_SHELL_BINDINGS_H
#define ORVALE_SHELL_BINDINGS_H

namespace orv {

// The expression language: its variable store and system variables, statement execution,
// variables read by name and the ExpEval task; and the procedure language, whose runner
// and commands are installed with the variable store, and its PrcExec task.
void BindExpressions();
// The data layer: bracket expansion of task commands, loading the application's
// dictionary, the loaded dictionary and closing the data files at shutdown; and, for the
// data layer, conditions, expression values, the system integers and the command-line
// options.
void BindData();
// Every subsystem the engine holds so far.
void BindSubsystems();

}  // namespace orv

#endif  // ORVALE_SHELL_BINDINGS_H
