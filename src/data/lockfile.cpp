// Lock files with advisory locks.
#include "data/lockfile.h"

#include "core/status.h"

namespace orv {

namespace {

// Attempts before giving up when the file keeps being replaced under us.
constexpr int kLockTries = 16;

bool SameFile(Fs* fs, const std::string& path, int fd) {
  FsStat a, b;
  return fs->Stat(path, &a) == kOk && fs->StatFd(fd, &b) == kOk && a.dev == b.dev &&
         a.ino == b.ino;
}

}  // namespace

Status LockFile::Acquire(Fs* fs, const std::string& path, bool exclusive) {
  Release();
  for (int attempt = 0; attempt < kLockTries; ++attempt) {
    int fd = -1;
    bool created = true;
    Status st = fs->Open(path, kFsRead | kFsWrite | kFsCreate | kFsExclusive, &fd);
    if (st == kFileExists) {
      created = false;
      st = fs->Open(path, kFsRead | kFsWrite, &fd);
      if (st == kFileNotFound) continue;  // removed meanwhile: try creating it again
    }
    if (st) return st;
    st = fs->Lock(fd, exclusive ? FsLock::kExclusive : FsLock::kShared, false);
    if (st) {
      fs->Close(fd);
      if (created) fs->Remove(path);
      return st == kFileExists ? kPermissionDenied : st;
    }
    // The holder we waited for may have removed the file between our open and our lock;
    // then the lock we got is on a file nobody will see again.
    if (!SameFile(fs, path, fd)) {
      fs->Close(fd);
      continue;
    }
    if (created) {
      size_t put = 0;
      st = fs->WriteAt(fd, 0, " ", 1, &put);
      if (st) {
        fs->Remove(path);
        fs->Close(fd);
        return st;
      }
    }
    fs_ = fs;
    path_ = path;
    fd_ = fd;
    exclusive_ = exclusive;
    return kOk;
  }
  return kPermissionDenied;
}

void LockFile::Release() {
  if (fd_ < 0) return;
  // Only a holder of the exclusive lock removes the file, so nobody removes a file that
  // another process still holds.
  if (exclusive_ || fs_->Lock(fd_, FsLock::kExclusive, false) == kOk) fs_->Remove(path_);
  fs_->Close(fd_);
  fd_ = -1;
  path_.clear();
}

void LockFile::Abandon() {
  if (fd_ < 0) return;
  fs_->Close(fd_);
  fd_ = -1;
  path_.clear();
}

LockState ProbeLock(Fs* fs, const std::string& path) {
  int fd = -1;
  Status st = fs->Open(path, kFsRead, &fd);
  if (st) return st == kFileNotFound ? LockState::kAbsent : LockState::kLive;
  st = fs->Lock(fd, FsLock::kExclusive, false);
  fs->Close(fd);
  return st ? LockState::kLive : LockState::kStale;
}

void RemoveStaleLock(Fs* fs, const std::string& path) {
  int fd = -1;
  if (fs->Open(path, kFsRead, &fd)) return;
  if (fs->Lock(fd, FsLock::kExclusive, false) == kOk && SameFile(fs, path, fd)) fs->Remove(path);
  fs->Close(fd);
}

}  // namespace orv
