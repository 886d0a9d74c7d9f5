// A file system that passes every call on to another one and fails the calls a test asks it
// to fail: the nth call of an operation, a write that stops after a few bytes, a disk that
// fills up after so many bytes. It also counts the calls of each operation, so a test can
// check that a file was synced or a folder flushed.
#ifndef ORVALE_CORE_FAULTFS_H
#define ORVALE_CORE_FAULTFS_H

#include <array>
#include <cstdint>

#include "core/fs.h"

namespace orv {

enum class FsOp {
  kOpen, kClose, kReadAt, kWriteAt, kRead, kWrite, kSync, kTruncate, kSize, kLock,
  kRename, kRemove, kStat, kSetPermissions, kList, kMakeDir, kSyncDir, kCurrentDir,
  kChangeDir, kStatFd, kCount
};

class FaultFs final : public Fs {
 public:
  explicit FaultFs(Fs* base) : base_(base) {}

  // The nth call of `op` from now on (1 the next one) fails with `st`. For the two write
  // operations the failing call first writes `keep` bytes of its data, as a disk that fills
  // up midway does. One planned failure per operation; 0 cancels it.
  void FailAt(FsOp op, uint32_t nth, Status st = 130, size_t keep = 0);
  // Writes may add at most `bytes` more bytes in total; the write that crosses the limit
  // writes what fits and fails with 130. ~0 (the default) means no limit.
  void SetSpace(uint64_t bytes) { space_ = bytes; }
  // Calls of `op` so far, failed ones included.
  uint32_t Calls(FsOp op) const { return calls_[size_t(op)]; }
  // Forgets the counts, the planned failures and the space limit.
  void Reset() {
    calls_.fill(0);
    plans_.fill(Plan());
    space_ = ~uint64_t(0);
  }

  Status Open(const std::string& path, unsigned mode, int* fd) override;
  Status Close(int fd) override;
  Status ReadAt(int fd, uint64_t off, void* buf, size_t n, size_t* done) override;
  Status WriteAt(int fd, uint64_t off, const void* buf, size_t n, size_t* done) override;
  Status Read(int fd, void* buf, size_t n, size_t* done) override;
  Status Write(int fd, const void* buf, size_t n, size_t* done) override;
  Status Sync(int fd) override;
  Status Truncate(int fd, uint64_t size) override;
  Status Size(int fd, uint64_t* size) override;
  Status StatFd(int fd, FsStat* st) override;
  Status Lock(int fd, FsLock how, bool wait) override;
  Status Rename(const std::string& from, const std::string& to) override;
  Status Remove(const std::string& path) override;
  Status Stat(const std::string& path, FsStat* st) override;
  Status SetPermissions(const std::string& path, uint32_t perm) override;
  Status List(const std::string& dir, std::vector<std::string>* names) override;
  Status MakeDir(const std::string& path) override;
  Status SyncDir(const std::string& dir) override;
  Status CurrentDir(std::string* path) override;
  Status ChangeDir(const std::string& path) override;

 private:
  struct Plan {
    uint32_t at = 0;  // call number that fails; 0 none
    Status status = 0;
    size_t keep = 0;
  };
  // Counts a call of `op`; the status it must fail with, or 0.
  Status Count(FsOp op, size_t* keep = nullptr);
  // A write of n bytes through `write`, within the planned failure and the space left.
  template <class WriteFn>
  Status Written(FsOp op, size_t n, size_t* done, WriteFn write);

  Fs* base_;
  std::array<uint32_t, size_t(FsOp::kCount)> calls_{};
  std::array<Plan, size_t(FsOp::kCount)> plans_{};
  uint64_t space_ = ~uint64_t(0);
};

}  // namespace orv

#endif  // ORVALE_CORE_FAULTFS_H
