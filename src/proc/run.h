// Running compiled procedures: the procedure runner, CALL and LOCALVARS.
//
// A run executes statements from a start position until END, the end of the procedure, or a
// non-zero status: expression statements are evaluated (statuses below 128 are ignored),
// control statements jump, and commands are handed to the command-handler chain with their
// evaluated arguments. Every statement text is first expanded (proc/args.h). Each run keeps
// its own GOSUB return stack, so a procedure that calls itself returns correctly.
//
// A failing run records its status in the area Malloc-MemAcums and appends to the detail
// text "Line: N (+ remmarks):\r\nKEYWORD text", naming the statement that failed (N counts
// statements from 1; the keyword is empty for an expression statement).
#ifndef ORVALE_PROC_RUN_H
#define ORVALE_PROC_RUN_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Flags of ProcRun.
enum : int {
  kRunLocal = 1,       // the variables created during the run disappear at its end
  kRunKeepResult = 2,  // END pushes the last expression statement's value on stack group 30
  kRunTask = 0x100,    // the PrcExec task's run: a RETURN with nothing to return to is an error
};

// Stack group of the results of runs (EXEC$ takes its value from there).
inline constexpr uint16_t kResultGroup = 30;
// The trace file, appended in the current folder while _TRACE has bit 3.
inline constexpr Val kTraceFile = "PrcLog.txt"_v;
inline constexpr int16_t kTraceProcBit = 8;

// Runs a procedure: the procedure hook of the expression language (EXEC$).
// 1. When `file` is given it is loaded (a status of 122 or more ends the run).
// 2. With an entry label, the most recently loaded procedure that defines it runs from the
//    label, which also becomes its start position; without one, the most recently loaded
//    procedure runs from its start position, and at the end the environment it changed is
//    restored unless it failed above 128: open-files lists, structures, relation-update
//    definitions and windows go back to what they were at its start. No such procedure:
//    147 with the label as detail.
// 3. A procedure this run loaded is unloaded; with kRunLocal the variables created during
//    the run are removed.
// Runs nest at most kMaxRunDepth deep (133 beyond).
Status ProcRun(Val entry, Val file, int flags);

}  // namespace orv

#endif  // ORVALE_PROC_RUN_H
