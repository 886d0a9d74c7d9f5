// Slot 2: screens and windows. WAIT with a number works without windows; the others wait
// for the window layer, after their argument checks.
#include <chrono>
#include <thread>

#include "core/status.h"
#include "core/text.h"
#include "proc/commands.h"
#include "proc/keywords.h"

namespace orv {

namespace {

Status ArgumentError(uint16_t op) {
  return ErrReport(kSyntaxError, KeywordName(op), true);
}

}  // namespace

Status ScreenCommands(uint16_t slot, uint16_t op, const CommandArgs& args) {
  switch (op) {
    case kOpWait:
      if (args.IsText(1) && args.Text(1).sv() == "KEY") return CommandNotAvailable(op);
      // The time passes asleep rather than in a busy loop: nothing else runs meanwhile.
      if (args.Int(1) > 0) std::this_thread::sleep_for(std::chrono::milliseconds(args.Int(1)));
      return kOk;
    case kOpAccept:
      if (args.count != 1 || args.Text(1).empty()) return ArgumentError(op);
      return CommandNotAvailable(op);
    case kOpWinOpen:
      if (args.count < 3) return ArgumentError(op);
      return CommandNotAvailable(op);
    case kOpBounds:
    case kOpColor:
    case kOpLocate:
    case kOpMessage:
    case kOpPrint:
    case kOpRead:
    case kOpWinMenu:
    case kOpWinClose:
    case kOpWinSelect:
    case kOpWinProg:
      return CommandNotAvailable(op);
    default:
      return CommandPass(slot, op, args);
  }
}

}  // namespace orv
