// The PrcExec task and the binding of the procedure language to the engine.
#ifndef ORVALE_PROC_TASK_H
#define ORVALE_PROC_TASK_H

#include "core/val.h"

namespace orv {

// Runs the PrcExec task. Its parameters are a comma list: field 1 the procedure files,
// separated by ";"; field 2 the entry label (may be empty); fields 3 and on expression
// files. The expression files are executed first, in order (a missing one gives 164); the
// procedure files from the last to the second are loaded; the first file runs, from the
// entry label or from its start, with local variables; then every procedure the task
// loaded is unloaded again.
Status ProcTask(Val params);

// Installs the procedure runner in the expression language's hook slot and the command
// handlers of slots 0 to 5. The expression state must exist (ExprInit).
void ProcInstall();

}  // namespace orv

#endif  // ORVALE_PROC_TASK_H
