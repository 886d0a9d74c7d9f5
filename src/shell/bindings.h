// Binds the engine's subsystems to the shell: the hooks of ShellHooks and the task handlers
// each subsystem provides. The process entry calls it once, before the engine starts.
#ifndef ORVALE_SHELL_BINDINGS_H
#define ORVALE_SHELL_BINDINGS_H

namespace orv {

// The expression language: its variable store and system variables, statement execution,
// variables read by name and the ExpEval task; the data layer's binding to the language and
// the procedure runner and commands, installed with the variable store; the PrcExec task.
void BindExpressions();
// The data layer: bracket expansion of task commands, loading the application's
// dictionary, the loaded dictionary and closing the data files at shutdown; the
// command-line options for the data layer.
void BindData();
// Every subsystem the engine holds so far.
void BindSubsystems();

}  // namespace orv

#endif  // ORVALE_SHELL_BINDINGS_H
