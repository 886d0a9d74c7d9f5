// Loading procedure files into the procedure table, and unloading them.
#ifndef ORVALE_PROC_LOAD_H
#define ORVALE_PROC_LOAD_H

#include <cstdint>
#include <memory>

#include "core/val.h"
#include "proc/procedure.h"

namespace orv {

// Loads and compiles a procedure file and adds it to the table; *number is its number.
// The name (extension included) is taken as given, else searched in the definition folders
// (settings item 5). A file that is missing or gives no line: 164 with the name as detail.
// A line longer than 65535 bytes: 146. A compilation failure keeps its status and detail,
// the file's name appended. Loading the same file twice gives two entries; a failure adds
// nothing.
Status ProcLoad(Val file, uint16_t* number);
// Adds a compiled procedure to the table: 141 when the table is full.
Status ProcAdd(std::unique_ptr<Procedure> proc, uint16_t* number);
// Removes procedure `number` from the table (later ones move down). A number of 122 or more
// is a status and comes back as it is; an unknown number gives 141.
Status ProcUnload(uint16_t number);
// The number of the procedure, or 0xFFFF when it is not loaded.
uint16_t ProcNumber(const Procedure* proc);
// The most recently loaded procedure that defines the label (exact name), or with an empty
// label the most recently loaded one; null when none.
Procedure* ProcFind(Val label);

}  // namespace orv

#endif  // ORVALE_PROC_LOAD_H
