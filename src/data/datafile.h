// The data files of the dictionary: open and close, the record buffer, finds and moves in
// key order, inserts, updates and deletes.
//
// A file is named by its dictionary number; 0 means the current file (_CURFIL). A number
// beyond the dictionary is refused with 168 rather than taken for the current file. Every
// open file has a record buffer of 2R bytes: the current record, then the saved copy of the
// record as last read, from which the engine tells whether the record changed and which of
// its keys moved.
#ifndef ORVALE_DATA_DATAFILE_H
#define ORVALE_DATA_DATAFILE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/val.h"
#include "data/lockfile.h"
#include "data/store.h"

namespace orv {

// Open modes.
enum : uint8_t {
  kModeReadOnly = 0x01,
  kModeExclusive = 0x02,  // hold the lock file name.lock in the current folder
  kModeCurrent = 0x08,    // make the file the current file
  kModeNoIndex = 0x10,    // records by number only
};

// Move flags (flags & 0x34 chooses the direction).
enum : int {
  kMoveBlank = 0x01,     // prepare a blank record instead (status 3)
  kMoveReadEdge = 0x02,  // moving before the first record reads the first record
  kMoveBackward = 0x04,
  kMoveNext = 0x10,
  kMovePrevious = 0x14,
  kMoveLast = 0x20,
  kMoveFirst = 0x24,
  kMoveDirection = 0x34,
};

// Find flags.
enum : int {
  kFindBlank = 0x01,  // not found: a blank record carrying the key value
  kFindNext = 0x02,   // not found: read the next greater record
};

// Result statuses of finds and moves.
enum : Status {
  kFound = 0,
  kNotFound = 1,     // positioned on the next greater key, or moved before the first
  kEndOfFile = 2,    // no record at or beyond the position
  kBlankRecord = 3,  // a blank record was prepared
  kBadKey = 5,       // a save refused: key 1 exists already, or there is no record to delete
  kDuplicateKey = 6,
  kRecordChanged = 7,  // a save refused: another program changed or deleted the record
};

// Which half of the record buffer.
enum : int { kCurrent = 1, kSaved = 2, kCurrentAndSaved = 3 };

// The control record of a data file.
class DataFile {
 public:
  uint16_t current_key = 1;
  Status last_status = kEndOfFile;
  uint16_t selection = 0;      // the result set of the document store
  uint8_t mode = 0;            // the mode it was opened with
  bool open = false;
  int64_t pos = 0;             // the current entry in the current key's order
  int64_t cur_rec = -1;        // the record the current half was read from; -1 none
  std::vector<char> buf;       // 2R bytes
  std::unique_ptr<FileStore> store;
  LockFile lock;
  bool is_virtual = false;
  std::vector<std::string> temp_files;  // host paths of a virtual file's data and index

  bool is_open() const { return open; }
  uint32_t record_len() const { return uint32_t(buf.size() / 2); }
  char* current() { return buf.data(); }
  char* saved() { return buf.data() + record_len(); }
};

// The file number that `file` stands for (0: _CURFIL); 0 when it is not defined.
uint16_t DataFileNumber(uint16_t file);
// The control record of an open file, or null with *st set: 168 for a number that is not
// defined, 169 for a file that is not open.
DataFile* DataFileOpened(uint16_t file, Status* st);

// The host paths of a file's data, index, work copy and unclean-close marker.
Status DataFilePaths(uint16_t n, StorePaths* paths);
// The host path of its lock file, name.lock in the current folder.
Status DataFileLockPath(uint16_t n, std::string* host);
// Sets the detail text to "name: what" and returns `st`.
Status DataFileRefused(Status st, uint16_t n, const char* what);

// Opens the file in `mode` (see above). Refused: 175 when another live process holds the
// lock file; 165 while the work copy of an interrupted reorganisation exists; 168 for a key
// beyond the record. Opening rebuilds an index that does not match its data and reports it
// in the trace log. Then moves to the first record.
Status DataFileOpen(uint16_t file, uint8_t mode);
// Syncs the data, writes the index if it changed (atomically), releases the lock file. When
// the index cannot be written the file stays open with its index in memory and the status
// is returned. A closed file is left alone.
Status DataFileClose(uint16_t file);
// Reads the index again when another program changed the file, then writes this
// program's index if it changed; in turn with the programs that change the file.
Status DataFileRefresh(uint16_t file);

// For as long as it lives, this program changes the file in turn with the other programs
// that change it (FileStore::SyncBegin, creating the sync file when `create`): the index is
// read again first when another program changed the file, and the current record keeps
// its place. status() tells whether the section began (175 when the wait was too long,
// 169 for a file that is not open). Closing the file ends the section early.
class DataFileSync {
 public:
  explicit DataFileSync(uint16_t file, bool create = true);
  ~DataFileSync();
  DataFileSync(const DataFileSync&) = delete;
  DataFileSync& operator=(const DataFileSync&) = delete;
  Status status() const { return st_; }

 private:
  uint16_t file_ = 0;
  Status st_ = 0;
};
// Closes (without writing anything that fails) and forgets the files numbered above
// `from`.
void DataFilesDrop(uint16_t from);

// Finds `value` by key `key` (cut to the key length; an empty value is one blank): 0 found
// (the first record of the run of equal keys, read into both halves), 1 not found and
// positioned on the next greater key (read with kFindNext), 2 nothing at or after it.
// Not found without a read: kFindBlank blanks the buffer and stores the value in the key's
// fields; otherwise the buffer stays. The key becomes the current key.
Status DataFileFind(uint16_t file, int key, Val value, int flags);
// Moves in the current key's order (see the flags): 0 moved and read; 1 before the first
// (read with kMoveReadEdge, else blank); 2 beyond the last or an empty file (blank); 3 a
// blank record prepared.
Status DataFileMove(uint16_t file, int flags);
// Inserts the current record as a new record: 0, or 6 when another record has its key in
// the current key (files without a field N_LINE; the record stays inserted). The new
// record becomes the current one.
Status DataFileInsert(uint16_t file);
// Writes back the current record if it differs from its saved copy. 163 when there is no
// current record (nothing read, or it was deleted).
Status DataFileUpdate(uint16_t file);
// Deletes the current record; with 0x02 the position is found again by its key, which
// lands on the record that followed it. 163 when there is no current record.
Status DataFileDelete(uint16_t file, int flags);
// 148 with the detail "DataFileDeleteAll"; deletes nothing.
Status DataFileDeleteAll(uint16_t file);

// Fills both halves with blanks; kind 2 puts 27 in the first byte.
Status DataFileBlank(uint16_t file, int kind);
// Copies the current half to the saved half (1) or back (2).
Status DataFileKeep(uint16_t file, int direction);
// 1 when the current half differs from the saved half, else 0 (also for a closed file).
int DataFileChanged(uint16_t file);
// Whether the record the buffer was read from is no longer on disk as the saved half holds
// it: another program changed or deleted it since. False without a current record.
bool DataFileStale(uint16_t file);
// Reads record number `record` into the current (1) or saved (2) half, or both (3).
Status DataFileReadAt(uint16_t file, int32_t record, int which);
// Physical order: from `record` (after it with 0x10) the first record not deleted is read
// into both halves and its number put in *found; 2 at the end of the data file.
Status DataFileScanNext(uint16_t file, int32_t record, int flags, int32_t* found);
// The record buffer's half as a view (valid until the buffer changes).
Val DataFileRecord(uint16_t file, int which);
// Puts a whole record image into the current half, padded with blanks or cut to R.
Status DataFileSetRecord(uint16_t file, Val image);

// Called with each record's key by DataFileScan; 122 cancels.
using ScanProgress = Status (*)(Val key);
// Moves through the current key's order until a record satisfies `condition`: the current
// record first (unless flags 0x80), then moves in the direction of flags & 0x34. 0 when
// one satisfies it; 2 when a move fails or the key passes `last` (compared over the length
// of `last`; below it when moving backward); 122 when the progress routine cancels; a
// status of 122 or more from the condition.
Status DataFileScan(uint16_t file, int flags, Val condition, Val last, ScanProgress progress);
// The number of records whose current key lies from `from` to `to` (each compared over its
// own length; empty: no bound) and that satisfy `condition` (empty: all); for a file opened
// without index, the number of slots. The position and buffer are kept.
Status DataFileCount(uint16_t file, Val from, Val to, Val condition, uint32_t* count);

// The record numbers of the records whose key `key` begins with `value` (cut to the key
// length), in key order, at most `max` of them; nothing is read and the position stays.
Status DataFileKeyRun(uint16_t file, int key, Val value, size_t max, std::vector<int32_t>* recs);

// A copy of a file's position and buffers.
struct DataFileSnapshot {
  uint16_t file = 0;
  uint16_t current_key = 1;
  Status last_status = kEndOfFile;
  int64_t pos = 0;
  int64_t cur_rec = -1;
  std::vector<char> buf;
};
Status DataFileSaveState(uint16_t file, DataFileSnapshot* out);
// Puts the snapshot back; the position follows its record when records moved meanwhile.
Status DataFileRestoreState(uint16_t file, const DataFileSnapshot& snapshot);

}  // namespace orv

#endif  // ORVALE_DATA_DATAFILE_H
