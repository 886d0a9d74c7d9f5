// One open data file with its index: the records on disk and the key orders in memory.
//
// Writes go to the data file at once, one positioned write per record; the index lives in
// memory and reaches its file only at Flush or Close, after the data file was synced, and
// atomically. While the index on disk is behind the data, a marker file beside the data
// (held with a shared advisory lock by every process that changed the file) says so; a
// marker that nobody holds was left by a process that died, and the next open rebuilds the
// index from the data. Opening also checks the index against the data and rebuilds it when
// they disagree, so no record that reached the data file is ever lost to its index.
//
// Every program that opens the file holds an advisory lock on its data file: a shared one,
// or an exclusive one for the sole writer, so exclusive use is refused while anybody else
// has the file open and the other way round. Programs that change the same file take turns
// through its sync file (name.sync): an advisory lock held for each change, and a change
// count that tells the others when to read the index again.
#ifndef ORVALE_DATA_STORE_H
#define ORVALE_DATA_STORE_H

#include <cstdint>
#include <string>
#include <vector>

#include "core/fs.h"
#include "core/val.h"
#include "data/dict.h"
#include "data/indexfile.h"
#include "data/keyorder.h"
#include "data/lockfile.h"

namespace orv {

// The files of a data file: engine paths for the two that are written whole, host paths
// for all.
struct StorePaths {
  std::string index_name;  // engine path of the index (written through FileReplacer)
  std::string data, index, marker, work;
  std::string sync;  // empty: nobody else changes the file (a temporary file)
};

// How long a program waits for another one's change of a shared file before it gives up.
inline constexpr int kSyncWaitMs = 30000;

class FileStore {
 public:
  enum : unsigned {
    kReadOnly = 1,      // the data file is opened for reading only; changes are refused
    kNoIndex = 2,       // records by number only: no index is read or written
    kNoMarker = 4,      // a temporary file: no unclean-close marker
    kForceRebuild = 8,  // rebuild the index from the data whatever it holds
    kIgnoreWork = 16,   // open even though a work copy exists (the reorganisation itself)
    kSoleWriter = 32,   // exclusive use: nobody else opens the file while it is open
  };

  FileStore(Fs* fs, uint32_t record_len, std::vector<KeyDef> keys, StorePaths paths);
  ~FileStore();
  FileStore(const FileStore&) = delete;
  FileStore& operator=(const FileStore&) = delete;

  // Opens the data file (creating it when missing) and loads the index, rebuilding it when
  // it is missing beside records, fails the check against the data, or an unclean-close
  // marker was left. 165 when the work copy of an interrupted reorganisation exists; 175
  // when another program has the file open exclusively, or (kSoleWriter) has it open at
  // all; the file-system status when the data file cannot be opened; 168 for a key beyond
  // the record.
  Status Open(unsigned flags);
  // Syncs the data file, writes the index when it changed, and removes this process's
  // marker. On failure the index stays in memory (and the marker on disk).
  Status Flush();
  // Flush, then close. On failure the store stays open.
  Status Close();
  // Closes without writing anything (the marker, if any, stays for the next open).
  void Abandon();

  bool is_open() const { return fd_ >= 0; }
  bool has_index() const { return !(flags_ & kNoIndex); }
  uint32_t record_len() const { return record_len_; }
  size_t key_count() const { return keys_.size(); }
  const KeyDef& key(size_t k) const { return keys_[k]; }
  uint32_t live() const { return live_; }
  uint32_t free_count() const { return uint32_t(free_.size()); }
  uint64_t slots() const { return slots_; }
  const KeyOrder& order(size_t k) const { return orders_[k]; }
  const std::vector<uint32_t>& free_list() const { return free_; }
  bool changed() const { return changed_; }
  // Whether the last open rebuilt the index.
  bool rebuilt() const { return rebuilt_; }
  bool IsLive(uint32_t rec) const;

  // Reads record `rec` (R bytes); 136 when the data file holds less.
  Status Read(uint32_t rec, char* buf) const;
  // Writes a new record into the last freed slot, or at the end, and adds it to every key
  // order after the records with an equal key. 137 when the write fails (the slot is left
  // free); 163 for a record that starts with the deleted mark, or (unless kSoleWriter) a
  // slot that another program has taken meanwhile.
  Status Insert(const char* rec, uint32_t* recno);
  // Rewrites live record `recno` and moves its entries in the keys that changed. 137 when
  // the write fails (the old record is written back). `was` is the record as last read,
  // when the caller has it; it saves reading it again when its keys are those indexed.
  Status Update(uint32_t recno, const char* rec, const char* was = nullptr);
  // Marks live record `recno` deleted on disk (its first byte becomes the deleted mark,
  // the rest stays), takes it out of the key orders and frees it.
  Status Delete(uint32_t recno, const char* was = nullptr);
  // The key bytes of a record for key k.
  void KeyOf(size_t k, const char* record, char* out) const { MakeKey(keys_[k], record, out); }
  // The rank in key k of live record `rec` whose bytes are `record`; KeyOrder::kNotFound
  // when they do not match the index.
  size_t RankOf(size_t k, uint32_t rec, const char* record) const;
  // The rank in key k of the record the last Insert or Update wrote.
  size_t LastRank(size_t k) const { return last_rank_[k]; }

  // Whether another program has written the index or the data since this store read or
  // wrote them: the index file was replaced, or the data file's size is not the one this
  // store knows.
  bool DiskChanged();
  // Reads the index again from disk. Changes of this store that are not in the index file
  // yet are in the data file, which the index is checked against, so none is lost.
  Status Reload();

  // A section in which this program changes the file while other programs may change it
  // too. The outermost SyncBegin takes the lock of the sync file (creating the file when
  // `create`; without it and without the file nothing is locked), waiting up to
  // kSyncWaitMs (175 after that), and reads the index again when another program changed
  // the file since this store last looked (its change count, or DiskChanged); *reloaded
  // tells. The outermost SyncEnd counts a change when records or the index were written
  // meanwhile, and lets the lock go. Sections nest. A sole writer and a temporary file need
  // no section: nothing happens.
  Status SyncBegin(bool create, bool* reloaded);
  void SyncEnd();

 private:
  Status OpenData();
  Status LockOpen();
  bool DataSizeChanged();
  bool IndexReplaced();
  Status LoadIndex(bool quiet);
  bool Shared() const;
  Status OpenSync(bool create);
  uint64_t ReadCount();
  Status LockSync();
  Status MarkDirty();
  Status WriteAt(uint64_t off, const char* p, size_t n);
  Status CheckFree(uint32_t rec, bool reuse);
  void Remember();
  const char* OldRecord(uint32_t recno, const char* was, Status* st);

  Fs* fs_;
  uint32_t record_len_;
  std::vector<KeyDef> keys_;
  StorePaths paths_;
  unsigned flags_ = 0;
  int fd_ = -1;
  LockFile marker_;
  std::vector<KeyOrder> orders_;
  std::vector<std::vector<uint64_t>> seq_;  // key k: the sequence number of each slot
  std::vector<uint32_t> free_;
  uint32_t live_ = 0;
  uint64_t slots_ = 0;
  uint32_t tail_ = 0;
  uint64_t next_seq_ = 0;
  bool changed_ = false;
  bool rebuilt_ = false;
  // What the index file looked like when last read or written.
  FsStat index_seen_;
  // The sync file, its lock, the nesting of sections, whether the current section wrote,
  // and the change count this store has caught up with.
  int sync_fd_ = -1;
  bool sync_locked_ = false;
  int sync_depth_ = 0;
  bool sync_wrote_ = false;
  uint64_t sync_count_ = 0;
  std::vector<char> key_a_, key_b_, old_;
  mutable std::vector<char> rank_key_;
  std::vector<size_t> last_rank_;
};

// Checks a data file and its index without changing anything: adds every problem found to
// `problems` (an unclean-close marker, a work copy and a lock held by another program
// included). The status of a failure to read them.
Status CheckStore(Fs* fs, uint32_t record_len, const std::vector<KeyDef>& keys,
                  const StorePaths& paths, std::vector<std::string>* problems);

}  // namespace orv

#endif  // ORVALE_DATA_STORE_H
