// The fault-injecting file system.
#include "core/faultfs.h"

#include <algorithm>

namespace orv {

void FaultFs::FailAt(FsOp op, uint32_t nth, Status st, size_t keep) {
  Plan& p = plans_[size_t(op)];
  p.at = nth ? calls_[size_t(op)] + nth : 0;
  p.status = st;
  p.keep = keep;
}

Status FaultFs::Count(FsOp op, size_t* keep) {
  uint32_t n = ++calls_[size_t(op)];
  Plan& p = plans_[size_t(op)];
  if (!p.at || n != p.at) return 0;
  p.at = 0;
  if (keep) *keep = p.keep;
  return p.status;
}

template <class WriteFn>
Status FaultFs::Written(FsOp op, size_t n, size_t* done, WriteFn write) {
  *done = 0;
  size_t keep = n;
  Status fail = Count(op, &keep);
  if (!fail) keep = n;
  if (space_ < keep) {
    keep = size_t(space_);
    if (!fail) fail = 130;
  }
  keep = std::min(keep, n);
  Status st = keep ? write(keep, done) : 0;
  if (space_ != ~uint64_t(0)) space_ -= *done;
  return st ? st : fail;
}

Status FaultFs::Open(const std::string& path, unsigned mode, int* fd) {
  if (Status st = Count(FsOp::kOpen)) return st;
  return base_->Open(path, mode, fd);
}

Status FaultFs::Close(int fd) {
  Status st = Count(FsOp::kClose);
  Status closed = base_->Close(fd);  // the descriptor is released whatever is reported
  return st ? st : closed;
}

Status FaultFs::ReadAt(int fd, uint64_t off, void* buf, size_t n, size_t* done) {
  *done = 0;
  if (Status st = Count(FsOp::kReadAt)) return st;
  return base_->ReadAt(fd, off, buf, n, done);
}

Status FaultFs::WriteAt(int fd, uint64_t off, const void* buf, size_t n, size_t* done) {
  return Written(FsOp::kWriteAt, n, done,
                 [&](size_t k, size_t* d) { return base_->WriteAt(fd, off, buf, k, d); });
}

Status FaultFs::Read(int fd, void* buf, size_t n, size_t* done) {
  *done = 0;
  if (Status st = Count(FsOp::kRead)) return st;
  return base_->Read(fd, buf, n, done);
}

Status FaultFs::Write(int fd, const void* buf, size_t n, size_t* done) {
  return Written(FsOp::kWrite, n, done,
                 [&](size_t k, size_t* d) { return base_->Write(fd, buf, k, d); });
}

Status FaultFs::Sync(int fd) {
  if (Status st = Count(FsOp::kSync)) return st;
  return base_->Sync(fd);
}

Status FaultFs::Truncate(int fd, uint64_t size) {
  if (Status st = Count(FsOp::kTruncate)) return st;
  return base_->Truncate(fd, size);
}

Status FaultFs::Size(int fd, uint64_t* size) {
  if (Status st = Count(FsOp::kSize)) return st;
  return base_->Size(fd, size);
}

Status FaultFs::StatFd(int fd, FsStat* st) {
  if (Status s = Count(FsOp::kStatFd)) return s;
  return base_->StatFd(fd, st);
}

Status FaultFs::Lock(int fd, FsLock how, bool wait) {
  if (Status st = Count(FsOp::kLock)) return st;
  return base_->Lock(fd, how, wait);
}

Status FaultFs::Rename(const std::string& from, const std::string& to) {
  if (Status st = Count(FsOp::kRename)) return st;
  return base_->Rename(from, to);
}

Status FaultFs::Remove(const std::string& path) {
  if (Status st = Count(FsOp::kRemove)) return st;
  return base_->Remove(path);
}

Status FaultFs::Stat(const std::string& path, FsStat* st) {
  if (Status s = Count(FsOp::kStat)) return s;
  return base_->Stat(path, st);
}

Status FaultFs::SetPermissions(const std::string& path, uint32_t perm) {
  if (Status st = Count(FsOp::kSetPermissions)) return st;
  return base_->SetPermissions(path, perm);
}

Status FaultFs::List(const std::string& dir, std::vector<std::string>* names) {
  if (Status st = Count(FsOp::kList)) return st;
  return base_->List(dir, names);
}

Status FaultFs::MakeDir(const std::string& path) {
  if (Status st = Count(FsOp::kMakeDir)) return st;
  return base_->MakeDir(path);
}

Status FaultFs::SyncDir(const std::string& dir) {
  if (Status st = Count(FsOp::kSyncDir)) return st;
  return base_->SyncDir(dir);
}

Status FaultFs::CurrentDir(std::string* path) {
  if (Status st = Count(FsOp::kCurrentDir)) return st;
  return base_->CurrentDir(path);
}

Status FaultFs::ChangeDir(const std::string& path) {
  if (Status st = Count(FsOp::kChangeDir)) return st;
  return base_->ChangeDir(path);
}

}  // namespace orv
