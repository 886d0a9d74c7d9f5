// The command-handler chain.
#include "proc/chain.h"

#include "core/scratch.h"
#include "core/status.h"
#include "proc/keywords.h"
#include "proc/state.h"

namespace orv {

bool CommandHandlerInstall(uint16_t slot, CommandHandler fn) {
  if (slot >= kCommandSlots) return false;
  g_proc.chain.slots[slot] = fn;
  return true;
}

uint16_t CommandHandlerNext(uint16_t slot) {
  for (uint16_t s = slot; s < kCommandSlots; ++s)
    if (g_proc.chain.slots[s]) return s;
  return kNone;
}

Status CommandDispatch(uint16_t op, const CommandArgs& args) {
  uint16_t first = CommandHandlerNext(0);
  if (first == kNone) {
    ErrRecord(1, kAreaExecRunTime, kFeatureRemoved, 0);
    return ErrReport(kFeatureRemoved, "no command handler installed"_v, true);
  }
  return g_proc.chain.slots[first](first, op, args);
}

Status CommandPass(uint16_t slot, uint16_t op, const CommandArgs& args) {
  uint16_t next = slot + 1u < kCommandSlots ? CommandHandlerNext(uint16_t(slot + 1)) : kNone;
  if (next == kNone) {
    ErrRecord(1, kAreaExecRunTime, kSyntaxError, 0);
    return ErrReport(kSyntaxError, KeywordName(op), true);
  }
  return g_proc.chain.slots[next](next, op, args);
}

Status CommandNotAvailable(uint16_t op) {
  ScratchScope scope;
  ErrRecord(1, kAreaExecRunTime, kDataError, 0);
  return ErrReport(kDataError, ValConcat(KeywordName(op), ": not available yet"_v), true);
}

}  // namespace orv
