// The relational update pass: the relational updates of one data file's chosen options
// applied over a range of its records, accumulating into a target file; used to build
// statistics and to recompute what the updates keep in step.
#ifndef ORVALE_DATA_RELPASS_H
#define ORVALE_DATA_RELPASS_H

#include <cstdint>
#include <string>
#include <vector>

#include "core/val.h"

namespace orv {

// The records a pass visits: by key `key` (INDEX%), from `from` to `to` (LIMITS$; each
// compared over its own length, empty: no bound), that satisfy both conditions (COND$ and
// RD_COND$; empty: true).
struct PassRange {
  int key = 1;
  Val from, to;
  Val condition, read_condition;
};

// The pass for an item "file,options": the file (an expression giving its number) is opened
// read-only when it is closed, its relation-update definitions are loaded, and the options
// (";" read as ",") give the update list, which is evaluated with _SGN = +1 over every
// record of the range; without options each record takes its own default list (a header
// its option 1, a line its option 2). `target`, where the updates accumulate, must be
// open. Afterwards the definitions are unloaded and a file opened here is closed again (one
// that was open keeps its record and position). 163 with the detail "No RELOPT defined" for
// options that give an empty list, or a file without definitions; the first status of 122
// or more of a condition or an update.
Status RelationalUpdatePass(uint16_t target, Val item, const PassRange& range);

// The passes of a task: `reset` (RESET$, an expression giving the target's number) is
// opened as a virtual file for the duration unless it is open already; a number beyond the
// dictionary first loads the dictionary file named by `structure` (STRUCT$), removed again
// afterwards. Then the pass runs for each item of `steps` (STEPS$) in order, the first
// failure ending them. 161 for a target that is not defined.
Status RelationalUpdatePasses(const std::vector<std::string>& steps, Val reset, Val structure,
                              const PassRange& range);

}  // namespace orv

#endif  // ORVALE_DATA_RELPASS_H
