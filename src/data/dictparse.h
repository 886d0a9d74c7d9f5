// Pieces of the dictionary grammar shared by the loader and the structures defined at run
// time.
#ifndef ORVALE_DATA_DICTPARSE_H
#define ORVALE_DATA_DICTPARSE_H

#include <cstdint>

#include "core/val.h"
#include "data/dict.h"

namespace orv {

// Gives a file without keys its default key: one part from offset 0 to the end of its
// field N_LINE, or of its first field when it has none.
void DictDefaultKey(uint16_t file);
// The parts of a key from the text after "<": groups of four digits (1-based start) and
// three digits (length), read while a group starts before the text's last character, at
// most kMaxKeyParts. 147 for a group that is cut short or not digits, or a start of 0.
Status ParseKeyGroups(Val groups, KeyDef* key);

}  // namespace orv

#endif  // ORVALE_DATA_DICTPARSE_H
