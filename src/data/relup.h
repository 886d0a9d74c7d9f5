// Relation-update definitions: how saving a record of one file updates others.
//
// The application's prefix followed by "RELUP.DAT" (or "RELUPSQL.DAT" while _AUXSTAT has bit
// 2048) holds one definition per line: columns 0-1 the file number (blanks count as zeros),
// columns 2-3 the option number 00 to 99, the rest an update expression, typically a FILEREL
// call whose assignments add _SGN times a quantity to a field of another file. All lines of
// one file and option are joined with ";" in file order. A file that loads its definitions
// pushes the joined texts of its options 0 to its highest on the relation-update stack;
// nested screens stack theirs, and unloading pops back to the height before.
#ifndef ORVALE_DATA_RELUP_H
#define ORVALE_DATA_RELUP_H

#include <cstdint>

#include "core/val.h"

namespace orv {

inline constexpr int kMaxRelationOptions = 100;
// The relation option that means: no definitions, no updates.
inline constexpr Val kRelationsNone = "NONE"_v;

// Loads the file's definitions unless they are loaded already or `option` is "NONE". A
// missing definitions file, or one without lines for the file, loads nothing (0). 147 with
// the file, line number and text as detail for a line whose first four columns are not
// digits or blanks; 168 for a file number beyond the dictionary.
Status RelationsLoad(uint16_t file, Val option);
// The height of the stack: what a caller notes before loading, to unload back to it.
uint16_t RelationsDepth();
// Pops the stack back to `base`; every file whose definitions are removed so is no longer
// loaded. `file` names the caller's file (0: the current file) and is not otherwise needed.
void RelationsUnload(uint16_t file, uint16_t base);
// The highest option number the file loaded, -1 when it loaded none.
int RelationsHighest(uint16_t file);
// The relation option used when none is given: "1" when the highest option loaded is 0 or
// 1; "1+(N_LINE{f}>0)" when it is higher and the file has a field N_LINE (headers take
// option 1, lines option 2); otherwise empty (option 0 alone).
Val RelationOptionDefault(uint16_t file);
// The update list of a save, pushed on the scratch stack: the joined text of option 0, then
// those of the option numbers `option` gives, separated by ";" (each option at most once,
// numbers without definitions skipped). `option` is a comma list of numbers, or an
// expression that gives one (or a text holding such a list), evaluated with the file as the
// current file; empty takes the default above;
// "NONE" gives an empty list, and so does a file that loaded no definitions. A failing
// evaluation gives an error value with its status.
Val RelationUpdates(uint16_t file, Val option);
// Evaluates an update list over the file's current record with _SGN = `sign`, when _UPSTAT
// has bit 1; meanwhile the file is the current file (NAME{} names its fields) and _UPSTAT
// bit 32 mirrors _AUXSTAT bit 2048 (the updates then reach every partner); _SGN and that
// bit are 0 afterwards. The file's record buffer and
// position are put back, whatever the updates read into them. 0, or the status (122 or
// more) that stopped the evaluation.
Status RelationUpdatesRun(uint16_t file, Val list, int sign);

}  // namespace orv

#endif  // ORVALE_DATA_RELUP_H
