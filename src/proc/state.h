// The procedure language's state: the table of loaded procedures, the command-handler chain,
// the hooks through which the window layer takes part in runs, and the bounds of a run.
//
// Everything lives in the one ProcState below; ProcReset unloads every procedure and puts
// every default back, so tests start each case from a fresh state.
#ifndef ORVALE_PROC_STATE_H
#define ORVALE_PROC_STATE_H

#include <cstdint>
#include <memory>
#include <vector>

#include "core/val.h"
#include "proc/chain.h"
#include "proc/procedure.h"

namespace orv {

// Loaded procedures beyond which loading gives 141: a procedure's number must stay below
// the statuses, which start at 122.
inline constexpr uint16_t kMaxProcedures = 121;
// Runs nested through CALL and EXEC$ beyond which a run gives 133 (PRCSTACKERROR).
inline constexpr uint16_t kMaxRunDepth = 64;
// GOSUB levels of one run beyond which GOSUB gives 133.
inline constexpr uint16_t kMaxGosubDepth = 64;

// The window layer's part in a run. Each hook may be empty (nothing to do).
struct ProcHooks {
  // Between statements: processes pending window messages; 122 when the user asked to
  // cancel through the progress window, else 0.
  Status (*poll)() = nullptr;
  // Notes the windows open when a run starts, and closes the ones the run opened since
  // (the progress window and the procedure windows) when it ends.
  uint32_t (*windows_note)() = nullptr;
  Status (*windows_restore)(uint32_t note) = nullptr;
};

struct ProcState {
  // The loaded procedures, in order of loading; a procedure's number is its index.
  std::vector<std::unique_ptr<Procedure>> table;
  CommandChain chain;
  ProcHooks hooks;
  // Runs in progress (CALL and EXEC$ nest them).
  uint16_t depth = 0;
  // With `bounded`, the statements that may still run, all runs together; when none is left
  // the run stops with 129, so that tests and fuzzing can run procedures that never end.
  bool bounded = false;
  uint64_t budget = 0;
};

extern ProcState g_proc;

// Unloads every procedure and puts the chain, the hooks and the bounds back to their
// defaults (an empty chain: commands give 148).
void ProcReset();

}  // namespace orv

#endif  // ORVALE_PROC_STATE_H
