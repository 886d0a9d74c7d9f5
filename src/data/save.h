// The save pipeline: writing a record and keeping dependent files in step through the
// relational updates, and the save that maintenance screens ask for.
#ifndef ORVALE_DATA_SAVE_H
#define ORVALE_DATA_SAVE_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Whether the current record's key is void: key 1, blanks removed, is empty; or, with a
// key check expression, that expression gives the same value over an all-blank record as
// over the current one. *is_void gets the answer; the status of a failing evaluation.
Status DataFileKeyVoid(uint16_t file, Val key_check, bool* is_void);

// Runs the save pipeline for an operation code (data/commands.h) on the file (0: the
// current file), in one turn with the other programs that change it:
// 1. With kSaveKeyCheck the key is tested: a void key skips the write and the updates; an
//    insert of a key 1 value that exists gives 5 and writes nothing (unless _UPSTAT has bit
//    64).
// 2. The write: an insert, or an update of a changed record. An update or a delete of a
//    record that another program changed or deleted since it was read gives 7 and writes
//    nothing.
// 3. The update list (data/relup.h) from `option`, unless kSaveNoRelations.
// 4. With kSaveTakeBack: a delete (mode 0x0600; with bit 0x02 its place is found again),
//    and the updates of the record as it was read are taken back (evaluated over it with
//    _SGN = -1).
// 5. With kSaveApply and the key not void: the updates of the record as written are applied
//    (_SGN = +1).
// Updates run only while _UPSTAT has bit 1; meanwhile _UPSTAT bit 32 mirrors _AUXSTAT bit
// 2048, and _SGN and that bit are 0 afterwards. The file's record buffer and position are
// as after the write whatever the updates read. An update that fails (122 or more) stops
// the pipeline with its status, the record's key added to the detail text and the writes
// already made (which stay) listed in the trace log. Returns the write's status (0, or 6
// for a duplicate key in the current key, the record being inserted all the same).
Status DataFileSave(uint16_t code, uint16_t file, Val option, Val key_check);

// What a maintenance screen calls. When the file has no current record (last status above
// 1), a code that takes back loses that bit when it also applies (SVE becomes INS) and
// otherwise (DEL) gives 5 and does nothing. A code of 0x0100 or more runs the pipeline,
// except an update (bits 0x0300 both set) of an unchanged record, which does nothing. In
// every case DataFileRefresh follows, in the same turn, so the index reaches the disk and
// other programs' changes are read; when all went well `saved` (the task's SAVED$) is
// evaluated, its status of 122 or more becoming the result.
Status MaintenanceSave(uint16_t code, uint16_t file, Val option, Val key_check, Val saved);

}  // namespace orv

#endif  // ORVALE_DATA_SAVE_H
