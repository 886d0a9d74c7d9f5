// The environment of a run: what a procedure may change beyond its variables, noted when a
// run starts and put back when it ends.
#ifndef ORVALE_PROC_ENV_H
#define ORVALE_PROC_ENV_H

#include <cstdint>

#include "core/val.h"

namespace orv {

struct RunEnvironment {
  uint16_t structures = 0;  // structure levels of the dictionary (FILESTRUCT, LOADSTRUCT)
  uint32_t windows = 0;     // the window layer's note
};

RunEnvironment EnvironmentNote();
// Drops what was added since the note: structures, then the windows. The first failing
// status; everything is tried.
Status EnvironmentRestore(const RunEnvironment& note);

}  // namespace orv

#endif  // ORVALE_PROC_ENV_H
