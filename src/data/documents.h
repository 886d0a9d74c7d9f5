// Documents: a file with a field N_LINE holds documents made of a header and lines. The
// records of one document share the key bytes before N_LINE (the document key); the header
// has N_LINE 0 (or blank) and the lines are numbered 1, 2, ... in N_LINE, so that a
// document reads in the order header, line 1, line 2, ... by a key that ends with N_LINE.
// The screens keep the lines of the open document; these are the record operations they
// build on.
#ifndef ORVALE_DATA_DOCUMENTS_H
#define ORVALE_DATA_DOCUMENTS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// The key by key 1 of line `line` (0: the header) of the document `document`: the document
// key cut to (or padded with blanks to) key 1's length less N_LINE's, followed by the line
// number as N_LINE holds it (a number right-aligned in its width; blanks for 0). Pushed on
// the scratch stack; the error value 163 when the file has no field N_LINE or key 1 does
// not end with it.
Val DocumentLineKey(uint16_t file, Val document, int line);
// Makes the current record line `line` (its N_LINE; blank for 0, the header) and inserts it
// through the save pipeline with the insert code 0x0500 and the relation option, so its
// updates apply.
Status DocumentSaveLine(uint16_t file, int line, Val option);
// Deletes every record of the document through the save pipeline with the delete code
// 0x0600, each taking back its own updates, and refreshes the file; all in one turn with
// the other programs that change it. 0 also when the document has no records; 163 for an
// empty document key.
Status DocumentDelete(uint16_t file, Val document, Val option);

}  // namespace orv

#endif  // ORVALE_DATA_DOCUMENTS_H
