// Rebuilding a data file without its deleted records, and copying a data file with its
// index to another folder.
#ifndef ORVALE_DATA_REORG_H
#define ORVALE_DATA_REORG_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Called once per record with the number of records done and the total; 122 stops.
using ReorgProgress = Status (*)(uint64_t done, uint64_t total);

// Rebuilds the file: the data file is renamed to its work copy (name.TMP), the live
// records are written back in their physical order into a new data file, the index is
// written fresh, and the work copy is removed. The file is taken exclusively for the time
// (175 when another program holds it or is changing it) and left closed. A work copy left
// by an interrupted run is the full copy and is resumed from; it is refused (165) when
// the data file holds more live records than it, as it then is no copy of this file.
// Cancelling (122) leaves the work copy, so the next run resumes.
Status DataFileReorg(uint16_t file, ReorgProgress progress);

// Called after each chunk copied with the bytes done and the total; 122 stops.
using CopyProgress = Status (*)(uint64_t done, uint64_t total);
// Copies the data and index files of `file` from one folder to another (a missing source
// file is skipped), in chunks of 12288 bytes; each target is replaced atomically. 175
// when a target cannot be written.
Status DataFileCopy(uint16_t file, Val from_folder, Val to_folder, CopyProgress progress);

}  // namespace orv

#endif  // ORVALE_DATA_REORG_H
