// Reorganisation and copying of data files.
#include "data/reorg.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/files.h"
#include "core/hostpath.h"
#include "core/paths.h"
#include "core/replacer.h"
#include "core/scratch.h"
#include "core/status.h"
#include "data/datafile.h"
#include "data/indexfile.h"
#include "data/lockfile.h"
#include "data/state.h"

namespace orv {

namespace {

// Bytes moved at a time when the records are written back.
constexpr size_t kChunk = 1 << 20;
constexpr size_t kCopyChunk = 12288;

// The number of live records in a data file (0 when it is missing).
Status LiveRecords(Fs* fs, const std::string& path, uint32_t r, uint64_t* live) {
  *live = 0;
  FsFile f(fs);
  Status st = f.Open(path, kFsRead);
  if (st == kFileNotFound) return kOk;
  if (st) return st;
  DataScan scan;
  if ((st = ScanData(fs, f.fd(), r, {}, &scan))) return st;
  for (uint8_t d : scan.deleted) *live += !d;
  return kOk;
}

// Writes the live records of the work copy into a new data file.
Status CopyLive(Fs* fs, const StorePaths& p, uint32_t r, ReorgProgress progress) {
  FsFile in(fs), out(fs);
  if (Status st = in.Open(p.work, kFsRead)) return st;
  if (Status st = out.Open(p.data, kFsRead | kFsWrite | kFsCreate | kFsTruncate)) return st;
  uint64_t size = 0;
  if (Status st = fs->Size(in.fd(), &size)) return st;
  uint64_t total = size / r;
  size_t per = std::max<size_t>(1, kChunk / r);
  std::vector<char> buf(per * r), kept;
  kept.reserve(buf.size());
  uint64_t written = 0;
  for (uint64_t first = 0; first < total; first += per) {
    size_t n = size_t(std::min<uint64_t>(per, total - first));
    size_t got = 0;
    if (Status st = fs->ReadAt(in.fd(), first * r, buf.data(), n * r, &got)) return st;
    if (got != n * r) return kFileIo;
    kept.clear();
    for (size_t i = 0; i < n; ++i) {
      if (progress && progress(first + i + 1, total) == kCancelled) return kCancelled;
      const char* rec = buf.data() + i * r;
      if (rec[0] != kDeletedMark) kept.insert(kept.end(), rec, rec + r);
    }
    size_t put = 0;
    Status st = fs->WriteAt(out.fd(), written, kept.data(), kept.size(), &put);
    if (st || put != kept.size()) return kWriteError;
    written += kept.size();
  }
  return fs->Sync(out.fd());
}

// Writes a fresh index for the new data file.
Status IndexFresh(Fs* fs, const StorePaths& p, uint32_t r, const std::vector<KeyDef>& keys) {
  FsFile data(fs);
  if (Status st = data.Open(p.data, kFsRead)) return st;
  DataScan scan;
  if (Status st = ScanData(fs, data.fd(), r, keys, &scan)) return st;
  ScratchScope scope;
  return WriteIndex(ValOf(p.index_name), RebuildIndex(scan, keys));
}

}  // namespace

Status DataFileReorg(uint16_t file, ReorgProgress progress) {
  uint16_t n = DataFileNumber(file);
  if (!n) return DictCheckField(file, -1);
  if (Status st = DataFileClose(n)) return st;
  const FileDef& def = DictFile(n);
  uint32_t r = def.record_length;
  if (r == 0) return DataFileRefused(kDataOutBound, n, "record length 0");
  if (Status st = CheckKeys(r, def.keys)) return st;
  Fs* fs = g_files.fs;
  StorePaths p;
  std::string lock_path;
  if (Status st = DataFilePaths(n, &p)) return st;
  if (Status st = DataFileLockPath(n, &lock_path)) return st;
  LockFile lock;
  if (Status st = lock.Acquire(fs, lock_path, true))
    return DataFileRefused(st, n, "in use by another program (locked)");
  if (ProbeLock(fs, p.marker) == LockState::kLive)
    return DataFileRefused(kPermissionDenied, n, "being changed by another program");
  {
    // Nobody else may have the file open: every open holds a lock on the data file.
    FsFile data(fs);
    Status st = data.Open(p.data, kFsRead);
    if (st == kOk && fs->Lock(data.fd(), FsLock::kExclusive, false) != kOk)
      return DataFileRefused(kPermissionDenied, n, "open in another program");
  }
  FsStat work;
  if (fs->Stat(p.work, &work) == kOk) {
    uint64_t in_work = 0, in_data = 0;
    if (Status st = LiveRecords(fs, p.work, r, &in_work)) return st;
    if (Status st = LiveRecords(fs, p.data, r, &in_data)) return st;
    if (in_data > in_work)
      return DataFileRefused(kFileExists, n, "the work copy holds fewer records than the file");
    DataLog(ValOf(def.name + ": resuming an interrupted reorganisation"));
  } else {
    FsFile data(fs);
    Status st = data.Open(p.data, kFsRead | kFsWrite);
    if (st == kFileNotFound) return kOk;
    if (st || (st = fs->Sync(data.fd()))) return st;
    data.Close();
    if ((st = fs->Rename(p.data, p.work)) || (st = fs->SyncDir(HostParent(p.work)))) return st;
  }
  if (Status st = CopyLive(fs, p, r, progress)) return st;
  if (Status st = IndexFresh(fs, p, r, def.keys)) return st;
  if (Status st = fs->Remove(p.work)) return st;
  fs->SyncDir(HostParent(p.work));
  RemoveStaleLock(fs, p.marker);
  return kOk;
}

Status DataFileCopy(uint16_t file, Val from_folder, Val to_folder, CopyProgress progress) {
  uint16_t n = DataFileNumber(file);
  if (!n) return DictCheckField(file, -1);
  // This program's own changes reach the disk before the copy.
  Status st = kOk;
  if (DataFileOpened(n, &st)) {
    if ((st = DataFileRefresh(n))) return st;
  }
  Fs* fs = g_files.fs;
  for (int kind : {kPathData, kPathIndex}) {
    ScratchScope scope;
    Val leaf = PathPart(DictFilePath(n, kind), kPartFile);
    std::string src;
    if ((st = HostPath(PathJoin(from_folder, leaf), &src))) return st;
    FsFile in(fs);
    st = in.Open(src, kFsRead);
    if (st == kFileNotFound) continue;
    if (st) return st;
    uint64_t size = 0;
    if ((st = fs->Size(in.fd(), &size))) return st;
    FileReplacer out;
    if ((st = out.Begin(PathJoin(to_folder, leaf)))) return st;
    std::vector<char> buf(kCopyChunk);
    for (uint64_t done = 0; done < size;) {
      size_t got = 0;
      if ((st = fs->ReadAt(in.fd(), done, buf.data(), buf.size(), &got))) return st;
      if (got == 0) return kFileIo;
      if ((st = out.Write(buf.data(), got))) return st;
      done += got;
      if (progress && progress(done, size) == kCancelled) return kCancelled;
    }
    if ((st = out.Commit())) return st;
  }
  return kOk;
}

}  // namespace orv
