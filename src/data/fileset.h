// Open-files lists: which data files are open, and how, while a screen or a procedure runs.
//
// A list is a text of comma-separated items, each a file (its number or name) optionally
// followed by ";" and a mode (DataFileOpen's bits). It becomes a mode string with one byte
// per dictionary file: a listed file gets its mode, or 1 (read-only) without one; the last
// file of the list becomes the current file (bit 0x08 added; without a mode it is opened
// for update); files not listed get 0 (closed). The lists applied so far are kept on a
// stack, so that "RESTORE" goes back to the one before.
#ifndef ORVALE_DATA_FILESET_H
#define ORVALE_DATA_FILESET_H

#include <cstdint>
#include <string>

#include "core/val.h"

namespace orv {

inline constexpr Val kFileSetRestore = "RESTORE"_v;

// The mode string of a list: 166 with the item as detail for a file that is not defined
// (or a mode outside 0 to 255), 163 for a list without files.
Status FileSetModes(Val list, std::string* modes);
// Pushes and applies a list: from the highest file number down to 1, a mode opens the file
// in it (reopening it when its mode differs) and 0 closes it; a status of 128 or more stops
// (the list stays pushed, so the caller can restore). "RESTORE" pops the top list and
// applies the one now on top, or closes every file when none is left; 141 with the text as
// detail when the stack is empty.
Status FileSetApply(Val list);
// The number of lists on the stack.
uint16_t FileSetDepth();
// "RESTORE" until `depth` lists remain (what a procedure that ends undoes); the first
// failing status.
Status FileSetTrim(uint16_t depth);

}  // namespace orv

#endif  // ORVALE_DATA_FILESET_H
