// Record commands by name.
#include "data/commands.h"

#include "core/list.h"
#include "core/scratch.h"
#include "core/text.h"
#include "data/datafile.h"

namespace orv {

namespace {

// The codes of the commands, in the order of kRecordCommands.
constexpr uint16_t kCodes[] = {0x0F01, 0x0F24, 0x0F16, 0x0000, 0x0F12, 0x0F20,
                               0x0040, 0x0F00, 0x0D00, 0x0642, 0x0042, 0x00FF,
                               0x0046, 0x00FF, 0x00FF, 0x00FF, 0x00FF, 0x00FF};
static_assert(sizeof kCodes / sizeof kCodes[0] == 18);

}  // namespace

uint16_t RecordCommandNumber(Val name) {
  ScratchScope scope;
  Val word = TextTrim(name, kTrimBoth);
  Val alias = TextKeyValue(kRecordCommandAliases, word, 0);
  if (!alias.empty()) word = alias;
  return ListWordIndex(kRecordCommands, TextCase(word, 1), ',');
}

uint16_t RecordCommandCode(Val name) {
  if (TextTrim(name, kTrimBoth).empty()) return kCodes[4];
  uint16_t k = RecordCommandNumber(name);
  return k ? kCodes[k - 1] : uint16_t(kCodeNone);
}

Status RecordCommand(uint16_t file, Val name) {
  uint16_t code = RecordCommandCode(name);
  if (code == kCodeDelete) return DataFileDelete(file, 0);
  return DataFileMove(file, code);
}

}  // namespace orv
