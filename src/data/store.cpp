// The open data file: records on disk, key orders in memory, the index written atomically.
#include "data/store.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "core/hostpath.h"
#include "core/scratch.h"
#include "core/status.h"
#include "data/state.h"

namespace orv {

namespace {

constexpr uint64_t kNoSeq = ~uint64_t(0);

std::string Leaf(const std::string& path) {
  size_t k = path.find_last_of('/');
  return k == std::string::npos ? path : path.substr(k + 1);
}

void Log(const std::string& line) { DataLog(ValOf(line.substr(0, kMaxValLen))); }

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "; ") + p;
  return out;
}

}  // namespace

FileStore::FileStore(Fs* fs, uint32_t record_len, std::vector<KeyDef> keys, StorePaths paths)
    : fs_(fs), record_len_(record_len), keys_(std::move(keys)), paths_(std::move(paths)) {
  size_t longest = 1;
  for (const KeyDef& k : keys_) longest = std::max<size_t>(longest, k.length);
  key_a_.resize(longest);
  key_b_.resize(longest);
  rank_key_.resize(longest);
  last_rank_.assign(keys_.size(), 0);
  old_.resize(std::max<uint32_t>(record_len_, 1));
}

FileStore::~FileStore() { Abandon(); }

bool FileStore::IsLive(uint32_t rec) const {
  if (rec >= slots_) return false;
  if (!has_index()) return true;
  return seq_.empty() || seq_[0][rec] != kNoSeq;
}

Status FileStore::OpenData() {
  if (flags_ & kReadOnly) {
    Status st = fs_->Open(paths_.data, kFsRead, &fd_);
    if (st != kFileNotFound) return st;
    // A missing file is created empty, so a read-only open of a new file finds no records.
    int fd = -1;
    if ((st = fs_->Open(paths_.data, kFsRead | kFsWrite | kFsCreate, &fd))) return st;
    fs_->Close(fd);
    return fs_->Open(paths_.data, kFsRead, &fd_);
  }
  return fs_->Open(paths_.data, kFsRead | kFsWrite | kFsCreate, &fd_);
}

Status FileStore::LockOpen() {
  if (flags_ & kNoMarker) return kOk;
  // Every program that has the file open holds a lock on it: exclusive use waits for no one.
  bool sole = (flags_ & kSoleWriter) != 0;
  Status st = fs_->Lock(fd_, sole ? FsLock::kExclusive : FsLock::kShared, false);
  if (st != kFileExists) return st;
  ScratchScope scope;
  return ErrReport(kPermissionDenied,
                   ValOf(Leaf(paths_.data) + (sole ? ": open in another program"
                                                   : ": in exclusive use by another program")),
                   false);
}

Status FileStore::Open(unsigned flags) {
  Abandon();
  flags_ = flags;
  rebuilt_ = false;
  changed_ = false;
  if (record_len_ == 0) return ErrReport(kDataOutBound, "record length 0"_v, false);
  if (Status st = CheckKeys(record_len_, keys_)) return st;
  FsStat work;
  if (!(flags & kIgnoreWork) && !paths_.work.empty() && fs_->Stat(paths_.work, &work) == kOk) {
    ScratchScope scope;
    return ErrReport(kFileExists,
                     ValOf("work copy " + Leaf(paths_.work) +
                           " of an interrupted reorganisation exists; reorganise the file "
                           "again to finish it"),
                     false);
  }
  if (Status st = OpenData()) {
    fd_ = -1;
    ScratchScope scope;
    return ErrReport(st, ValOf(paths_.data), false);
  }
  Status st = LockOpen();
  // The change count is read before the index, so a change made meanwhile is seen later.
  if (!st && Shared()) st = OpenSync(false);
  if (!st && sync_fd_ >= 0) sync_count_ = ReadCount();
  if (!st && has_index()) st = LoadIndex(false);
  if (!st && !has_index()) {
    uint64_t size = 0;
    st = fs_->Size(fd_, &size);
    slots_ = size / record_len_;
    tail_ = uint32_t(size % record_len_);
  }
  if (st) Abandon();
  return st;
}

Status FileStore::LoadIndex(bool quiet) {
  orders_.clear();
  seq_.clear();
  free_.clear();
  DataScan scan;
  if (Status st = ScanData(fs_, fd_, record_len_, keys_, &scan)) return st;
  IndexImage image;
  bool missing = false;
  std::vector<std::string> problems;
  if (Status st = ReadIndex(fs_, paths_.index, keys_.size(), &image, &missing, &problems))
    return st;
  if (missing && scan.slots > 0) problems.push_back("the index file is missing");
  if (!missing && problems.empty()) VerifyIndex(image, scan, keys_, &problems);
  if (missing && scan.slots == 0 && scan.tail) problems.push_back("partial record");
  LockState marker = (flags_ & kNoMarker) ? LockState::kAbsent : ProbeLock(fs_, paths_.marker);
  if (marker == LockState::kStale) problems.push_back("it was not closed cleanly");
  if (flags_ & kForceRebuild) problems.push_back("a rebuild was asked for");
  rebuilt_ = !problems.empty();
  // While another program changes the file, its index lags behind the data as a matter of
  // course: reading the file again then rebuilds without a word.
  bool expected = quiet && marker == LockState::kLive;
  if (rebuilt_) {
    image = RebuildIndex(scan, keys_);
    if (!expected)
      Log(Leaf(paths_.data) + ": index rebuilt from the data file (" + Join(problems) + ")");
  }
  image.orders.resize(keys_.size());
  slots_ = scan.slots;
  tail_ = scan.tail;
  live_ = image.live;
  free_ = image.free;
  orders_.reserve(keys_.size());
  seq_.assign(keys_.size(), std::vector<uint64_t>(slots_, kNoSeq));
  for (size_t k = 0; k < keys_.size(); ++k) {
    orders_.emplace_back(keys_[k].length);
    KeyOrder& o = orders_.back();
    const std::vector<uint32_t>& order = image.orders[k];
    for (uint32_t i = 0; i < order.size(); ++i) {
      o.BuildPush(scan.key(k, order[i], keys_[k].length), i, order[i]);
      seq_[k][order[i]] = i;
    }
    o.EndBuild();
  }
  next_seq_ = live_;
  scan = DataScan();
  if (rebuilt_ || missing) {
    if (tail_ && !(flags_ & kReadOnly)) {
      // The torn end of a record whose write never completed: no record to keep.
      if (fs_->Truncate(fd_, slots_ * record_len_) == kOk) {
        Log(Leaf(paths_.data) + ": dropped a partial record of " + std::to_string(tail_) +
            " bytes at the end");
        tail_ = 0;
      }
    }
    if (marker == LockState::kLive) {
      // Another program is changing the file; its own index write will follow.
      if (!expected)
        Log(Leaf(paths_.data) + ": index kept in memory while another program changes the file");
    } else {
      changed_ = true;
      if (Flush() == kOk) {
        if (marker == LockState::kStale) RemoveStaleLock(fs_, paths_.marker);
      } else {
        Log(Leaf(paths_.data) + ": the rebuilt index could not be written; it is kept in memory");
      }
    }
  }
  Remember();
  return kOk;
}

void FileStore::Remember() {
  if (fs_->Stat(paths_.index, &index_seen_) != kOk) index_seen_ = FsStat();
}

bool FileStore::DiskChanged() { return DataSizeChanged() || IndexReplaced(); }

bool FileStore::DataSizeChanged() {
  uint64_t size = 0;
  if (!is_open() || fs_->Size(fd_, &size) != kOk) return is_open();
  return size != slots_ * record_len_ + tail_;
}

bool FileStore::IndexReplaced() {
  FsStat now;
  if (fs_->Stat(paths_.index, &now) != kOk) now = FsStat();
  return now.dev != index_seen_.dev || now.ino != index_seen_.ino ||
         now.size != index_seen_.size || now.written != index_seen_.written;
}

Status FileStore::Reload() {
  if (!is_open()) return kFileNotInit;
  if (!has_index()) {
    uint64_t size = 0;
    if (Status st = fs_->Size(fd_, &size)) return st;
    slots_ = size / record_len_;
    tail_ = uint32_t(size % record_len_);
    return kOk;
  }
  return LoadIndex(true);
}

bool FileStore::Shared() const {
  return is_open() && !(flags_ & (kSoleWriter | kNoMarker)) && !paths_.sync.empty();
}

Status FileStore::OpenSync(bool create) {
  if (sync_fd_ >= 0) return kOk;
  bool writer = !(flags_ & kReadOnly);
  unsigned mode = writer ? kFsRead | kFsWrite : kFsRead;
  if (create && writer) mode |= kFsCreate;
  Status st = fs_->Open(paths_.sync, mode, &sync_fd_);
  if (st) sync_fd_ = -1;
  // Without a sync file nobody changes the file through sections: nothing to wait for.
  if (st == kFileNotFound && !(mode & kFsCreate)) return kOk;
  // A reader that may not open it falls back on DiskChanged.
  if (st == kPermissionDenied && !writer) return kOk;
  if (st) {
    ScratchScope scope;
    return ErrReport(st, ValOf("cannot open the sync file " + paths_.sync), false);
  }
  return kOk;
}

uint64_t FileStore::ReadCount() {
  unsigned char b[8] = {};
  size_t got = 0;
  if (fs_->ReadAt(sync_fd_, 0, b, sizeof b, &got) != kOk || got != sizeof b) return 0;
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | b[i];
  return v;
}

Status FileStore::LockSync() {
  // Waits by polling, so that two programs that each hold one file and want the other's
  // give up with a status instead of waiting for ever.
  auto start = std::chrono::steady_clock::now();
  int step_us = 200;
  for (;;) {
    Status st = fs_->Lock(sync_fd_, FsLock::kExclusive, false);
    if (st != kFileExists) return st;
    auto waited = std::chrono::steady_clock::now() - start;
    if (waited >= std::chrono::milliseconds(kSyncWaitMs)) {
      ScratchScope scope;
      return ErrReport(kPermissionDenied,
                       ValOf(Leaf(paths_.data) + ": busy, another program is changing it"),
                       false);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(step_us));
    step_us = std::min(step_us * 2, 10000);
  }
}

Status FileStore::SyncBegin(bool create, bool* reloaded) {
  *reloaded = false;
  if (sync_depth_++ > 0 || !Shared()) return kOk;
  Status st = OpenSync(create);
  if (!st && sync_fd_ >= 0) {
    st = LockSync();
    sync_locked_ = st == kOk;
  }
  if (st) {
    --sync_depth_;
    return st;
  }
  sync_wrote_ = false;
  // Under the lock the change count tells of every change made in turn, index writes
  // included; the data file's size still tells of records added by a program that writes
  // without taking turns.
  uint64_t count = sync_locked_ ? ReadCount() : sync_count_;
  if (sync_locked_ ? count != sync_count_ || DataSizeChanged() : DiskChanged()) {
    if ((st = Reload())) {
      SyncEnd();
      return st;
    }
    *reloaded = true;
  }
  sync_count_ = count;
  return kOk;
}

void FileStore::SyncEnd() {
  if (sync_depth_ == 0 || --sync_depth_ > 0) return;
  if (!sync_locked_) return;
  if (sync_wrote_) {
    unsigned char b[8];
    uint64_t v = ++sync_count_;
    for (unsigned char& c : b) {
      c = uint8_t(v);
      v >>= 8;
    }
    size_t put = 0;
    if (fs_->WriteAt(sync_fd_, 0, b, sizeof b, &put) != kOk || put != sizeof b)
      Log(Leaf(paths_.data) + ": cannot count a change in " + Leaf(paths_.sync) +
          "; other programs see it when its index is written");
  }
  fs_->Lock(sync_fd_, FsLock::kUnlock, false);
  sync_locked_ = false;
  sync_wrote_ = false;
}

Status FileStore::MarkDirty() {
  if ((flags_ & kNoMarker) || marker_.held()) return kOk;
  if (Status st = marker_.Acquire(fs_, paths_.marker, false)) {
    ScratchScope scope;
    return ErrReport(st, ValOf("cannot create the marker " + paths_.marker), false);
  }
  // The marker must be on disk before the first change it stands for.
  return fs_->SyncDir(HostParent(paths_.marker));
}

Status FileStore::Flush() {
  if (!is_open()) return kOk;
  if (changed_ || marker_.held()) {
    if (Status st = fs_->Sync(fd_)) return st;
  }
  if (changed_ && has_index()) {
    std::vector<const KeyOrder*> orders;
    for (const KeyOrder& o : orders_) orders.push_back(&o);
    ScratchScope scope;
    if (Status st = WriteIndex(ValOf(paths_.index_name), free_, orders, live_)) {
      return ErrReport(st, ValOf("cannot write the index " + paths_.index), false);
    }
    sync_wrote_ = true;
  }
  changed_ = false;
  Remember();
  // Records changed without the index leave it behind the data: the marker stays for the
  // next open with the index to rebuild it.
  if (has_index()) marker_.Release();
  return kOk;
}

Status FileStore::Close() {
  if (!is_open()) return kOk;
  if (Status st = Flush()) return st;
  Abandon();
  return kOk;
}

void FileStore::Abandon() {
  if (fd_ >= 0) fs_->Close(fd_);
  fd_ = -1;
  if (sync_fd_ >= 0) fs_->Close(sync_fd_);
  sync_fd_ = -1;
  sync_locked_ = false;
  sync_depth_ = 0;
  sync_wrote_ = false;
  sync_count_ = 0;
  // A marker still held means unwritten changes: leave the file for the next open to
  // rebuild from (closing the descriptor lets go of the lock without removing the file).
  marker_.Abandon();
  orders_.clear();
  seq_.clear();
  free_.clear();
  live_ = 0;
  slots_ = 0;
  changed_ = false;
}

Status FileStore::Read(uint32_t rec, char* buf) const {
  if (!is_open()) return kFileNotInit;
  size_t got = 0;
  Status st = fs_->ReadAt(fd_, uint64_t(rec) * record_len_, buf, record_len_, &got);
  if (st) return st;
  return got == record_len_ ? kOk : kReadError;
}

Status FileStore::WriteAt(uint64_t off, const char* p, size_t n) {
  size_t put = 0;
  Status st = fs_->WriteAt(fd_, off, p, n, &put);
  if (!st && put != n) st = kWriteError;
  return st;
}

Status FileStore::CheckFree(uint32_t rec, bool reuse) {
  // One byte tells whether the slot is still free: the deleted mark, or the end of the
  // file. Anything else is a record another program wrote since this index was read.
  char b = 0;
  size_t got = 0;
  Status st = fs_->ReadAt(fd_, uint64_t(rec) * record_len_, &b, 1, &got);
  if (st) return st;
  if (reuse ? (got == 1 && b == kDeletedMark) : got == 0) return kOk;
  ScratchScope scope;
  return ErrReport(kDataError,
                   ValOf(Leaf(paths_.data) + ": record " + std::to_string(rec) +
                         " was written by another program; refresh the file"),
                   false);
}

Status FileStore::Insert(const char* rec, uint32_t* recno) {
  if (!is_open()) return kFileNotInit;
  if (flags_ & kReadOnly) return kPermissionDenied;
  if (rec[0] == kDeletedMark) return ErrReport(kDataError, "record starts with ESC"_v, false);
  bool reuse = has_index() && !free_.empty();
  if (!reuse && slots_ >= kMaxSlots) return kDataOutBound;
  uint32_t r = reuse ? free_.back() : uint32_t(slots_);
  if (Status st = MarkDirty()) return st;
  if (!(flags_ & kSoleWriter)) {
    if (Status st = CheckFree(r, reuse)) return st;
  }
  if (Status st = WriteAt(uint64_t(r) * record_len_, rec, record_len_)) {
    // Leave the slot as it was: free (deleted mark back in front) or beyond the end.
    if (reuse) WriteAt(uint64_t(r) * record_len_, &kDeletedMark, 1);
    else fs_->Truncate(fd_, slots_ * record_len_);
    return st == kWriteError || st == kDiskIo ? kWriteError : st;
  }
  if (reuse) {
    free_.pop_back();
  } else {
    ++slots_;
    for (std::vector<uint64_t>& s : seq_) s.push_back(kNoSeq);
  }
  if (has_index()) {
    for (size_t k = 0; k < keys_.size(); ++k) {
      MakeKey(keys_[k], rec, key_a_.data());
      uint64_t seq = next_seq_++;
      last_rank_[k] = orders_[k].Insert(key_a_.data(), seq, r);
      seq_[k][r] = seq;
    }
    ++live_;
  }
  changed_ = true;
  sync_wrote_ = true;
  *recno = r;
  return kOk;
}

size_t FileStore::RankOf(size_t k, uint32_t rec, const char* record) const {
  if (!has_index() || !IsLive(rec)) return KeyOrder::kNotFound;
  MakeKey(keys_[k], record, rank_key_.data());
  return orders_[k].Find(rank_key_.data(), seq_[k][rec]);
}

// The record as the index knows it: `was` when its keys are where the index says, else the
// record read from disk; null (with *st set) when neither matches the index, which means
// another program changed the record.
const char* FileStore::OldRecord(uint32_t recno, const char* was, Status* st) {
  *st = kOk;
  auto indexed = [&](const char* rec) {
    for (size_t k = 0; has_index() && k < keys_.size(); ++k)
      if (RankOf(k, recno, rec) == KeyOrder::kNotFound) return false;
    return true;
  };
  if (was && was[0] != kDeletedMark && indexed(was)) return was;
  if ((*st = Read(recno, old_.data()))) return nullptr;
  if (old_[0] != kDeletedMark && indexed(old_.data())) return old_.data();
  ScratchScope scope;
  *st = ErrReport(kDataError,
                  ValOf(Leaf(paths_.data) + ": record " + std::to_string(recno) +
                        " was changed by another program; refresh the file"),
                  false);
  return nullptr;
}

Status FileStore::Update(uint32_t recno, const char* rec, const char* was) {
  if (!is_open()) return kFileNotInit;
  if (flags_ & kReadOnly) return kPermissionDenied;
  if (!IsLive(recno)) return kDataError;
  if (rec[0] == kDeletedMark) return ErrReport(kDataError, "record starts with ESC"_v, false);
  Status st;
  const char* old = OldRecord(recno, was, &st);
  if (!old) return st;
  if ((st = MarkDirty())) return st;
  if ((st = WriteAt(uint64_t(recno) * record_len_, rec, record_len_))) {
    WriteAt(uint64_t(recno) * record_len_, old, record_len_);
    return st == kWriteError || st == kDiskIo ? kWriteError : st;
  }
  changed_ = true;
  sync_wrote_ = true;
  for (size_t k = 0; has_index() && k < keys_.size(); ++k) {
    uint16_t klen = keys_[k].length;
    MakeKey(keys_[k], old, key_a_.data());
    MakeKey(keys_[k], rec, key_b_.data());
    if (std::memcmp(key_a_.data(), key_b_.data(), klen) == 0) {
      last_rank_[k] = orders_[k].Find(key_a_.data(), seq_[k][recno]);
      continue;
    }
    orders_[k].Erase(key_a_.data(), seq_[k][recno]);
    uint64_t seq = next_seq_++;
    last_rank_[k] = orders_[k].Insert(key_b_.data(), seq, recno);
    seq_[k][recno] = seq;
  }
  return kOk;
}

Status FileStore::Delete(uint32_t recno, const char* was) {
  if (!is_open()) return kFileNotInit;
  if (flags_ & kReadOnly) return kPermissionDenied;
  if (!IsLive(recno)) return kDataError;
  Status st;
  const char* old = OldRecord(recno, was, &st);
  if (!old) return st;
  if ((st = MarkDirty())) return st;
  // One byte marks the record deleted; the rest of it stays as it was.
  if ((st = WriteAt(uint64_t(recno) * record_len_, &kDeletedMark, 1))) {
    WriteAt(uint64_t(recno) * record_len_, old, 1);
    return st == kWriteError || st == kDiskIo ? kWriteError : st;
  }
  changed_ = true;
  sync_wrote_ = true;
  if (!has_index()) return kOk;
  for (size_t k = 0; k < keys_.size(); ++k) {
    MakeKey(keys_[k], old, key_a_.data());
    orders_[k].Erase(key_a_.data(), seq_[k][recno]);
    seq_[k][recno] = kNoSeq;
  }
  free_.push_back(recno);
  --live_;
  return kOk;
}

Status CheckStore(Fs* fs, uint32_t record_len, const std::vector<KeyDef>& keys,
                  const StorePaths& paths, std::vector<std::string>* problems) {
  if (record_len == 0) {
    problems->push_back("record length 0");
    return kOk;
  }
  if (CheckKeys(record_len, keys)) {
    problems->push_back("a key reaches beyond the record");
    return kOk;
  }
  FsStat st_work;
  if (!paths.work.empty() && fs->Stat(paths.work, &st_work) == kOk)
    problems->push_back("work copy " + Leaf(paths.work) +
                        " of an interrupted reorganisation exists");
  switch (ProbeLock(fs, paths.marker)) {
    case LockState::kStale:
      problems->push_back("unclean-close marker " + Leaf(paths.marker) +
                          " left by a run that did not close the file");
      break;
    case LockState::kLive:
      problems->push_back("another program is changing the file (its index is not written yet)");
      break;
    case LockState::kAbsent:
      break;
  }
  FsFile data(fs);
  Status st = data.Open(paths.data, kFsRead);
  DataScan scan;
  if (st == kFileNotFound) {
    scan.slots = 0;
  } else if (st) {
    return st;
  } else if ((st = ScanData(fs, data.fd(), record_len, keys, &scan))) {
    return st;
  }
  IndexImage image;
  bool missing = false;
  if ((st = ReadIndex(fs, paths.index, keys.size(), &image, &missing, problems))) return st;
  if (missing) {
    if (scan.slots) problems->push_back("the index file is missing");
    return kOk;
  }
  if (image.orders.size() == keys.size()) VerifyIndex(image, scan, keys, problems);
  return kOk;
}

}  // namespace orv
