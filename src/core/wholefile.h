// Whole files by name: sizes, reads into the scratch stack, writes, renames and deletes.
// These open the file for the call only and never take a slot of the open-file table.
#ifndef ORVALE_CORE_WHOLEFILE_H
#define ORVALE_CORE_WHOLEFILE_H

#include <cstddef>
#include <cstdint>

#include "core/val.h"

namespace orv {

// FileWriteAll offset: remove what the file held and write the data as its whole content
// (through a new file renamed over the old one).
inline constexpr uint64_t kFileReplace = ~uint64_t(0) - 1;

// The size of the file, 0 when it cannot be opened.
uint64_t FileSizeByName(Val name);
// Reads `count` bytes (kFileAll: to the end) from `offset` into buf. 0 with *got set,
// 146 when they do not fit `size`, 0xFFFF when offset is at or past the end.
Status FileReadPart(Val name, uint64_t offset, uint64_t count, char* buf, size_t size,
                    size_t* got);
// The bytes from `offset` (count kFileAll: to the end) as a value on the scratch stack.
// The error value 164 for a missing file, 146 when they exceed a value's 65535 bytes,
// 145 when the scratch stack lacks room (checked before reading), 130 when the read
// comes out short.
Val FileReadAll(Val name, uint64_t offset, uint64_t count);
// The whole file with every CR LF, then every LF, then every lone CR replaced by `sep`;
// a trailing Ctrl-Z is dropped.
Val FileReadAllJoined(Val name, Val sep);
// Writes `data` at `offset` of the file, creating it when missing and never truncating
// it: kFileEnd appends, kFileReplace replaces the whole content atomically. *written
// tells how many bytes reached the file.
Status FileWriteAll(Val name, uint64_t offset, Val data, size_t* written);
// The same; 131 when the write stopped short (the status of the failure when nothing
// was written).
Status FileWriteAllChecked(Val name, uint64_t offset, Val data);
// Renames a file (the new name is resolved like any path; an existing file of that name
// is replaced) and syncs the folder it now lives in.
Status FileRename(Val old_name, Val new_name);
Status FileDelete(Val name);

}  // namespace orv

#endif  // ORVALE_CORE_WHOLEFILE_H
