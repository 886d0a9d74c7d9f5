// The command-handler chain: sixteen slots, each holding a handler routine or nothing.
//
// A command statement reaches the handler of the lowest filled slot with its opcode and its
// arguments. Each handler serves its own commands and passes any other to the next filled
// slot above its own (CommandPass); when no slot is left the command gives 147. Slots 0 to
// 5 are filled at start-up: 0 devices and system commands, 1 data records and structures,
// 2 screens and windows, 3 reports, 4 transfers, 5 utilities and file scans.
#ifndef ORVALE_PROC_CHAIN_H
#define ORVALE_PROC_CHAIN_H

#include <cstdint>

#include "core/val.h"

namespace orv {

inline constexpr uint16_t kCommandSlots = 16;
inline constexpr uint16_t kMaxCommandArgs = 16;

// The evaluated arguments of a command, each in two forms: the integer form (a number
// divided by the scale with rounding, saturated to 16 bits; 0 for a text) and the text form
// (a text as it is; a number with _PRECIS decimals, so that 0 is the empty text unless
// _PRECIS is 0). Missing arguments read as 0 and the empty text. The texts live on the
// scratch stack while the handler runs.
struct CommandArgs {
  uint16_t count = 0;
  int16_t ints[kMaxCommandArgs] = {};
  Val texts[kMaxCommandArgs];
  bool is_text[kMaxCommandArgs] = {};

  int16_t Int(uint16_t n) const { return n >= 1 && n <= count ? ints[n - 1] : 0; }
  Val Text(uint16_t n) const { return n >= 1 && n <= count ? texts[n - 1] : Val(); }
  bool IsText(uint16_t n) const { return n >= 1 && n <= count && is_text[n - 1]; }
};

// Serves a command (opcode of proc/keywords.h) or passes it on with CommandPass. A non-zero
// result stops the procedure.
using CommandHandler = Status (*)(uint16_t slot, uint16_t op, const CommandArgs& args);

struct CommandChain {
  CommandHandler slots[kCommandSlots] = {};
};

// Fills a slot (null empties it); false for a slot beyond 15.
bool CommandHandlerInstall(uint16_t slot, CommandHandler fn);
// The first filled slot from `slot` up, or 0xFFFF.
uint16_t CommandHandlerNext(uint16_t slot);
// Gives the command to the lowest filled slot: 148 (FEATUREREMOVED) when none is filled.
Status CommandDispatch(uint16_t op, const CommandArgs& args);
// Gives the command to the next filled slot above `slot`: 147 with the command word as
// detail when there is none.
Status CommandPass(uint16_t slot, uint16_t op, const CommandArgs& args);
// Ends a command whose subsystem is not built yet: 163 with the command word as detail.
Status CommandNotAvailable(uint16_t op);

}  // namespace orv

#endif  // ORVALE_PROC_CHAIN_H
