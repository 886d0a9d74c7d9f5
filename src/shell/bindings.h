// Binds the engine's subsystems to the shell: the hooks of ShellHooks and the task handlers
// each subsystem provides. The process entry calls it once, before the engine starts.
#ifndef ORVALE_SHELL_BINDINGS_H
#define ORVALE_SHELL_BINDINGS_H

namespace orv {

// The expression language: its variable store and system variables, statement execution,
// variables read by name and the ExpEval task.
void BindExpressions();
// Every subsystem the engine holds so far.
void BindSubsystems();

}  // namespace orv

#endif  // ORVALE_SHELL_BINDINGS_H
