// Noting and restoring the environment of a run.
#include "proc/env.h"

#include "core/status.h"
#include "data/dict.h"
#include "proc/state.h"

namespace orv {

RunEnvironment EnvironmentNote() {
  RunEnvironment note;
  note.structures = DictStructDepth();
  if (g_proc.hooks.windows_note) note.windows = g_proc.hooks.windows_note();
  return note;
}

Status EnvironmentRestore(const RunEnvironment& note) {
  Status first = kOk;
  auto keep = [&first](Status st) {
    if (!first) first = st;
  };
  if (DictStructDepth() > note.structures) keep(DictStructTrim(note.structures));
  if (g_proc.hooks.windows_restore) keep(g_proc.hooks.windows_restore(note.windows));
  return first;
}

}  // namespace orv
