// Bracket expansion of texts: "[expression]" replaced by its value, and the "[$]" marker.
#ifndef ORVALE_DATA_EXPAND_H
#define ORVALE_DATA_EXPAND_H

#include "core/val.h"

namespace orv {

// Flags of TextExpand.
enum : int {
  kExpandPlainBrackets = 0x01,  // brackets inside quotes count too
  kExpandKeepBlanks = 0x02,     // do not trim the values
  kExpandNames = 0x04,          // look contents up in `names`, the options, the environment
  kExpandEmptyNumber = 0x10,    // an empty numeric value stays empty (else "0")
  kExpandQuote = 0x20,          // enclose values in quotes ...
  kExpandDoubleQuote = 0x40,    // ... double ones
  kExpandRescan = 0x80,         // scan again from the start after each replacement
  kExpandEscapes = 0x100,       // finally turn "\{" into "[" and "\}" into "]"
};
// Replacements after which a rescanning expansion is taken for a loop (129).
inline constexpr int kMaxExpansions = 1000;

// The text with every bracketed content replaced by its value, pushed on the scratch stack;
// an error value with the status of a failing evaluation (128 or more), 129 after
// kMaxExpansions replacements, 146 when the text outgrows a value. `names` holds entries
// name=value for kExpandNames.
Val TextExpand(Val text, int flags, Val names);
// Every "[$]" of the text replaced by `value` (no evaluation).
Val TextExpandMarker(Val text, Val value);

}  // namespace orv

#endif  // ORVALE_DATA_EXPAND_H
