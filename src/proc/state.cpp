// The procedure language's state.
#include "proc/state.h"

namespace orv {

ProcState g_proc;

void ProcReset() { g_proc = ProcState{}; }

}  // namespace orv
