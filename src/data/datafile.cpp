// Data files: open and close with the lock file, refresh, inserts, updates and deletes, and
// the record buffer.
#include "data/datafile.h"

#include <algorithm>
#include <cstring>

#include "core/files.h"
#include "core/hostpath.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/tempfiles.h"
#include "data/state.h"

namespace orv {

namespace {

DataFile& Ctrl(uint16_t n) {
  if (g_data.files.size() < n) g_data.files.resize(n);
  std::unique_ptr<DataFile>& p = g_data.files[n - 1];
  if (!p) p = std::make_unique<DataFile>();
  return *p;
}

}  // namespace

Status DataFileRefused(Status st, uint16_t n, const char* what) {
  ScratchScope scope;
  Val name = ValOf(DictFile(n).name);
  return ErrReport(st, ValFormat(uint16_t(name.len + std::strlen(what) + 8), "%.*s: %s", int(name.len), name.ptr, what),
                   false);
}

namespace {

Status HostOf(Val engine, std::string* host) {
  if (Status st = ValCheck(engine)) return st;
  return HostPath(engine, host);
}

}  // namespace

Status DataFilePaths(uint16_t n, StorePaths* paths) {
  ScratchScope scope;
  Val data = DictFilePath(n, kPathData);
  Val index = DictFilePath(n, kPathIndex);
  if (Status st = ValCheck(index)) return st;
  paths->index_name = index.str();
  Val base = PathPart(data, kPartDir | kPartName);
  if (Status st = HostOf(data, &paths->data)) return st;
  if (Status st = HostOf(index, &paths->index)) return st;
  if (Status st = HostOf(DictFilePath(n, kPathWork), &paths->work)) return st;
  if (Status st = HostOf(ValConcat(base, ".sync"_v), &paths->sync)) return st;
  return HostOf(ValConcat(base, ".dirty"_v), &paths->marker);
}

Status DataFileLockPath(uint16_t n, std::string* host) {
  ScratchScope scope;
  return HostOf(ValConcat(DictFilePath(n, kPathLock), ".lock"_v), host);
}

namespace {

// Two new temporary files for a virtual file's data and index.
Status VirtualPaths(DataFile& f, StorePaths* paths) {
  ScratchScope scope;
  Val data = TempPath(Val());
  Val index = TempPath(Val());
  if (Status st = ValCheck(data)) return st;
  if (Status st = ValCheck(index)) return st;
  paths->index_name = index.str();
  if (Status st = HostOf(data, &paths->data)) return st;
  if (Status st = HostOf(index, &paths->index)) return st;
  paths->marker = paths->data + ".dirty";
  f.temp_files = {paths->data, paths->index};
  return kOk;
}

void RemoveTemps(DataFile& f) {
  for (const std::string& p : f.temp_files) g_files.fs->Remove(p);
  f.temp_files.clear();
}

// Back to the closed state (the store must be closed or abandoned).
void Reset(DataFile& f) {
  f.store.reset();
  f.lock.Release();
  RemoveTemps(f);
  f.current_key = 1;
  f.last_status = kEndOfFile;
  f.selection = 0;
  f.mode = 0;
  f.open = false;
  f.pos = 0;
  f.cur_rec = -1;
  f.buf.clear();
  f.is_virtual = false;
}

void ReadInto(DataFile& f, int which, const char* rec) {
  uint32_t r = f.record_len();
  if (which & kCurrent) std::memcpy(f.current(), rec, r);
  if (which & kSaved) std::memcpy(f.saved(), rec, r);
}

// The position of the current record (whose bytes are `rec`) in the current key.
void FollowRecord(DataFile& f, const char* rec) {
  if (f.cur_rec < 0 || !f.store->has_index()) return;
  size_t rank = f.store->RankOf(size_t(f.current_key - 1), uint32_t(f.cur_rec), rec);
  if (rank != KeyOrder::kNotFound) f.pos = int64_t(rank);
}

// After the index was read again: the current record, if it is still live, keeps its place.
void FollowReload(DataFile& f) {
  if (f.cur_rec >= 0 && !f.store->IsLive(uint32_t(f.cur_rec))) f.cur_rec = -1;
  if (f.cur_rec < 0) return;
  std::vector<char> rec(f.record_len());
  if (f.store->Read(uint32_t(f.cur_rec), rec.data()) == kOk) FollowRecord(f, rec.data());
}

}  // namespace

uint16_t DataFileNumber(uint16_t file) {
  if (file == 0) file = uint16_t(DataSys(sysvar::kCurFil));
  return file >= 1 && file <= DictFileCount() ? file : 0;
}

DataFile* DataFileOpened(uint16_t file, Status* st) {
  uint16_t n = DataFileNumber(file);
  if (!n) {
    *st = DictCheckField(file, -1);
    return nullptr;
  }
  if (g_data.files.size() < n || !g_data.files[n - 1] || !g_data.files[n - 1]->is_open()) {
    *st = kFileNotInit;
    return nullptr;
  }
  *st = kOk;
  return g_data.files[n - 1].get();
}

Status DataFileOpen(uint16_t file, uint8_t mode) {
  uint16_t n = DataFileNumber(file);
  if (!n) return DictCheckField(file, -1);
  if (mode & kModeCurrent) DataSysSet(sysvar::kCurFil, n);
  DataFile& f = Ctrl(n);
  if (f.is_open() && f.mode == mode) return kOk;
  if (f.is_open()) {
    if (Status st = DataFileClose(n)) return st;
  }
  Reset(f);
  const FileDef& def = DictFile(n);
  if (def.record_length == 0) return DataFileRefused(kDataOutBound, n, "record length 0");
  f.is_virtual = DataSysBits(sysvar::kUpStat, 2);
  StorePaths paths;
  unsigned flags = 0;
  if (mode & kModeReadOnly) flags |= FileStore::kReadOnly;
  if (mode & kModeNoIndex) flags |= FileStore::kNoIndex;
  if (mode & kModeExclusive) flags |= FileStore::kSoleWriter;
  Status st = f.is_virtual ? VirtualPaths(f, &paths) : DataFilePaths(n, &paths);
  if (f.is_virtual) flags |= FileStore::kNoMarker;
  if (!st && (mode & kModeExclusive) && !f.is_virtual) {
    std::string lock;
    st = DataFileLockPath(n, &lock);
    if (!st) st = f.lock.Acquire(g_files.fs, lock, true);
    if (st == kPermissionDenied) st = DataFileRefused(st, n, "in use by another program (locked)");
  }
  if (!st) {
    f.store = std::make_unique<FileStore>(g_files.fs, def.record_length, def.keys, paths);
    st = f.store->Open(flags);
  }
  if (!st && !(mode & kModeExclusive) && !f.is_virtual) {
    // Taken after the store's own lock, so that an exclusive user (who takes the lock file
    // first and then looks for other users) and this open never both go ahead.
    std::string lock;
    st = DataFileLockPath(n, &lock);
    if (!st && ProbeLock(g_files.fs, lock) == LockState::kLive)
      st = DataFileRefused(kPermissionDenied, n, "in exclusive use by another program (locked)");
    if (st) f.store->Abandon();
  }
  if (st) {
    Reset(f);
    return st;
  }
  f.buf.assign(size_t(def.record_length) * 2, ' ');
  f.mode = mode;
  f.open = true;
  DataFileMove(n, kMoveFirst);
  return kOk;
}

DataFileSync::DataFileSync(uint16_t file, bool create) {
  DataFile* f = DataFileOpened(file, &st_);
  if (!f) return;
  bool reloaded = false;
  if ((st_ = f->store->SyncBegin(create, &reloaded))) return;
  file_ = DataFileNumber(file);
  if (reloaded) FollowReload(*f);
}

DataFileSync::~DataFileSync() {
  // Closing the file meanwhile ended the section with it (and a store opened since has
  // none to end).
  Status st;
  if (DataFile* f = file_ ? DataFileOpened(file_, &st) : nullptr) f->store->SyncEnd();
}

Status DataFileClose(uint16_t file) {
  uint16_t n = DataFileNumber(file);
  if (!n || g_data.files.size() < n || !g_data.files[n - 1]) return kOk;
  DataFile& f = *g_data.files[n - 1];
  if (!f.is_open()) return kOk;
  if (f.is_virtual) {
    f.store->Abandon();
  } else {
    // The index is written in turn with the other programs that change the file.
    Status st;
    {
      DataFileSync sync(n, false);
      st = sync.status();
      if (!st) st = f.store->Flush();
    }
    if (!st) st = f.store->Close();
    if (st) return st;
  }
  Reset(f);
  return kOk;
}

Status DataFileRefresh(uint16_t file) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  // Another program's index is read before this one's is written, never written over.
  DataFileSync sync(file, false);
  if ((st = sync.status())) return st == kReadError ? kFileIo : st;
  return f->store->Flush();
}

void DataFilesDrop(uint16_t from) {
  for (size_t i = from; i < g_data.files.size(); ++i) {
    std::unique_ptr<DataFile>& f = g_data.files[i];
    if (!f || !f->is_open()) continue;
    if (DataFileClose(uint16_t(i + 1)) != kOk) {
      f->store->Abandon();
      Reset(*f);
    }
  }
  if (g_data.files.size() > from) g_data.files.resize(from);
}

Status DataFileInsert(uint16_t file) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  uint16_t n = DataFileNumber(file);
  uint32_t rec = 0;
  if ((st = f->store->Insert(f->current(), &rec))) return st;
  std::memcpy(f->saved(), f->current(), f->record_len());
  f->cur_rec = rec;
  f->last_status = kFound;
  if (!f->store->has_index()) return kOk;
  size_t k = size_t(f->current_key - 1);
  f->pos = int64_t(f->store->LastRank(k));
  if (DictFieldByName(n, "N_LINE"_v) >= 0) return kOk;
  // Another record with the same key in the current key comes before the new one: the
  // entry just before it has an equal key.
  const KeyOrder& order = f->store->order(k);
  if (f->pos == 0) return kOk;
  const char* prev = order.At(size_t(f->pos - 1)).key;
  const char* mine = order.At(size_t(f->pos)).key;
  return std::memcmp(prev, mine, order.key_len()) == 0 ? Status(kDuplicateKey) : kOk;
}

Status DataFileUpdate(uint16_t file) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  if (!DataFileChanged(file)) return kOk;
  if (f->cur_rec < 0) return DataFileRefused(kDataError, DataFileNumber(file), "no current record to update");
  if ((st = f->store->Update(uint32_t(f->cur_rec), f->current(), f->saved()))) return st;
  std::memcpy(f->saved(), f->current(), f->record_len());
  if (f->store->has_index()) f->pos = int64_t(f->store->LastRank(size_t(f->current_key - 1)));
  return kOk;
}

Status DataFileDelete(uint16_t file, int flags) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  uint16_t n = DataFileNumber(file);
  if (f->cur_rec < 0) return DataFileRefused(kDataError, n, "no current record to delete");
  std::vector<char> old(f->saved(), f->saved() + f->record_len());
  if ((st = f->store->Delete(uint32_t(f->cur_rec), f->saved()))) return st;
  f->current()[0] = kDeletedMark;
  f->cur_rec = -1;
  f->last_status = kEndOfFile;
  if (flags & 0x02 && f->store->has_index()) {
    const KeyDef& key = f->store->key(size_t(f->current_key - 1));
    std::vector<char> value(key.length + 1u);
    MakeKey(key, old.data(), value.data());
    DataFileFind(n, f->current_key, ValMake(value.data(), key.length), 0);
  }
  return kOk;
}

Status DataFileDeleteAll(uint16_t) {
  return ErrReport(kFeatureRemoved, "DataFileDeleteAll"_v, false);
}

Status DataFileBlank(uint16_t file, int kind) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  std::memset(f->buf.data(), ' ', f->buf.size());
  if (kind == 2) f->buf[0] = kDeletedMark;
  return kOk;
}

Status DataFileKeep(uint16_t file, int direction) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  if (direction == 1) std::memcpy(f->saved(), f->current(), f->record_len());
  else if (direction == 2) std::memcpy(f->current(), f->saved(), f->record_len());
  return kOk;
}

int DataFileChanged(uint16_t file) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return 0;
  return std::memcmp(f->current(), f->saved(), f->record_len()) != 0;
}

bool DataFileStale(uint16_t file) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f || f->cur_rec < 0) return false;
  if (!f->store->IsLive(uint32_t(f->cur_rec))) return true;
  std::vector<char> rec(f->record_len());
  // A read that fails tells nothing; the write that follows reports the failure.
  if (f->store->Read(uint32_t(f->cur_rec), rec.data())) return false;
  return std::memcmp(rec.data(), f->saved(), f->record_len()) != 0;
}

Status DataFileReadAt(uint16_t file, int32_t record, int which) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  if (record < 0 || uint64_t(record) >= f->store->slots()) return kEndOfFile;
  std::vector<char> rec(f->record_len());
  if ((st = f->store->Read(uint32_t(record), rec.data()))) return st;
  ReadInto(*f, which, rec.data());
  if (which & kCurrent) {
    f->cur_rec = f->store->IsLive(uint32_t(record)) && rec[0] != kDeletedMark ? record : -1;
    FollowRecord(*f, rec.data());
  }
  return kOk;
}

Status DataFileScanNext(uint16_t file, int32_t record, int flags, int32_t* found) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  std::vector<char> rec(f->record_len());
  for (int64_t r = int64_t(record) + ((flags & 0x10) ? 1 : 0); r < int64_t(f->store->slots()); ++r) {
    if (r < 0) continue;
    if (f->store->Read(uint32_t(r), rec.data())) return kEndOfFile;
    if (rec[0] == kDeletedMark) continue;
    ReadInto(*f, kCurrentAndSaved, rec.data());
    f->cur_rec = r;
    FollowRecord(*f, rec.data());
    *found = int32_t(r);
    return kOk;
  }
  return kEndOfFile;
}

Val DataFileRecord(uint16_t file, int which) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return ValError(st);
  return ValMake(which == kSaved ? f->saved() : f->current(), f->record_len());
}

Status DataFileSetRecord(uint16_t file, Val image) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  if (!image.ok()) return ValCheck(image);
  size_t n = std::min<size_t>(image.len, f->record_len());
  std::memcpy(f->current(), image.ptr, n);
  std::memset(f->current() + n, ' ', f->record_len() - n);
  return kOk;
}

}  // namespace orv
