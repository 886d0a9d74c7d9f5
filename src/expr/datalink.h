// The data layer as the built-in functions reach it: a table of routines that the data
// layer binds when it starts. Until then every data operation answers 169 (FILENOTINIT,
// the data layer's "not open"), the dictionary knows no file, and bracket expansion is not
// installed (148).
//
// A file number 0 means the current file (_CURFIL); a key number 0 the file's current key.
#ifndef ORVALE_EXPR_DATALINK_H
#define ORVALE_EXPR_DATALINK_H

#include <cstdint>

#include "core/val.h"

namespace orv {

struct DataLink {
  // The dictionary number of a data file by name; 0 when no data file has that name.
  uint16_t (*file_number)(Val name);
  // The number of records of a data file: DataFileCount over key 1, no range, no condition.
  Status (*count)(uint16_t file, uint32_t* count);
  // DataFileFind: 0 found, 1 not found (on the next greater key), 2 nothing at or after it.
  Status (*find)(uint16_t file, uint16_t key, Val value, int flags);
  // DataFileStoreKey: the key value written into the key's fields of the current record.
  Status (*store_key)(uint16_t file, uint16_t key, Val value);
  // DataFileInsert of the current record.
  Status (*insert)(uint16_t file);
  // DataFileMove with the move flags.
  Status (*move)(uint16_t file, int flags);
  // DataFileScan from the current record for one that satisfies a condition.
  Status (*scan)(uint16_t file, int flags, Val condition, Val last);
  // RecordCommand: a record command by name ("NXT" when empty, aliases included).
  Status (*command)(uint16_t file, Val name);
  // RelationApply with the flags and the assignments text.
  Status (*relation)(uint16_t file, uint16_t target, uint16_t relation, int flags,
                     Val assignments);
  // FileSetApply: an open-files list, or "RESTORE".
  Status (*file_set)(Val list);
  // The raw stored text of a field reference NAME{FILE} in the current (1) or saved (2)
  // record (DataFileReadField), or an error value.
  Val (*read_field)(Val ref, int which);
  // DataFileKeyValue of the current (1) or saved (2) record, limited to `fields` key
  // fields (0 or -1: all), pushed; an error value when there is no file or no key.
  Val (*key_value)(uint16_t file, uint16_t key, int which, int fields);
  // The status of the last operation on the file, kept in its control record.
  Status (*last_status)(uint16_t file, Status* out);
  // TextExpand: bracket expansion of a text with flags and a names list, pushed.
  Val (*expand)(Val text, int flags, Val names);
};

// The table that answers "not open" (169) everywhere.
DataLink DataLinkDefaults();
// Binds the data layer's routines (after ExprInit, which puts the defaults back).
void DataLinkInstall(const DataLink& link);

}  // namespace orv

#endif  // ORVALE_EXPR_DATALINK_H
