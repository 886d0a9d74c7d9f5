// Whole-file replacement through a new file and a rename.
#include "core/replacer.h"

#include "core/files.h"
#include "core/hostpath.h"
#include "core/status.h"
#include "core/tempfiles.h"

namespace orv {

FileReplacer::FileReplacer() : fs_(g_files.fs), file_(g_files.fs) {}

Status FileReplacer::Begin(Val name) {
  Abandon();
  failed_ = 0;
  size_ = 0;
  if (Status st = HostPath(name, &target_)) return failed_ = st;
  size_t slash = target_.find_last_of('/');
  std::string leaf = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  // A hidden name beside the target, so the rename stays within one file system.
  Status st = CreateUniqueHost(HostParent(target_), "." + leaf + ".", ".new", &temp_, &file_);
  if (st) temp_.clear();
  return failed_ = st;
}

Status FileReplacer::Write(const void* data, size_t len) {
  if (failed_) return failed_;
  if (!file_.is_open()) return failed_ = kFileNotInit;
  size_t put = 0;
  Status st = fs_->WriteAt(file_.fd(), size_, data, len, &put);
  size_ += put;
  if (!st && put != len) st = kFileIo;
  return failed_ = st;
}

Status FileReplacer::Write(Val v) {
  if (Status st = ValCheck(v)) return failed_ ? failed_ : failed_ = st;
  return Write(v.ptr, v.len);
}

Status FileReplacer::Commit() {
  if (failed_) return failed_;
  if (!file_.is_open()) return failed_ = kFileNotInit;
  Status st = fs_->Sync(file_.fd());
  if (!st) st = file_.Close();
  FsStat old;
  if (!st && fs_->Stat(target_, &old) == kOk) st = fs_->SetPermissions(temp_, old.perm);
  if (!st) st = fs_->Rename(temp_, target_);
  if (st) return failed_ = st;
  temp_.clear();
  return fs_->SyncDir(HostParent(target_));
}

void FileReplacer::Abandon() {
  file_.Close();
  if (!temp_.empty()) fs_->Remove(temp_);
  temp_.clear();
}

}  // namespace orv
