// Slot 1: data records and structures.
#include "core/status.h"
#include "proc/commands.h"
#include "proc/keywords.h"

namespace orv {

Status DataCommands(uint16_t slot, uint16_t op, const CommandArgs& args) {
  switch (op) {
    case kOpLoadStruct:
    case kOpRcDelete:
    case kOpRcInsert:
    case kOpRcWrite:
    case kOpFileStruct:
      return CommandNotAvailable(op);
    case kOpRcUpdate:
      // RC_UPDATE has no operation: it always stops the procedure.
      return kNone;
    default:
      return CommandPass(slot, op, args);
  }
}

}  // namespace orv
