// The file-system interface: every byte the engine reads from or writes to a host file
// passes through an Fs, so that tests can put a fault-injecting one in its place.
//
// Paths here are host paths (see hostpath.h); offsets and sizes are 64-bit. Each call does
// one thing and returns a status: 0 success, 164 no such file or folder, 165 it exists
// already, 175 permission denied, 166 no descriptor left, 130 any other input/output
// failure (a full disk among them). A write either writes every byte or fails with a
// status; `*done` then tells how many bytes reached the file.
#ifndef ORVALE_CORE_FS_H
#define ORVALE_CORE_FS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/val.h"

namespace orv {

// Open modes, combined with |.
enum FsMode : unsigned {
  kFsRead = 1,
  kFsWrite = 2,
  kFsCreate = 4,     // create when missing
  kFsExclusive = 8,  // with kFsCreate: fail with 165 when it exists
  kFsTruncate = 16,
  kFsAppend = 32,    // every write goes to the end of the file
};

enum class FsLock { kShared, kExclusive, kUnlock };

struct FsStat {
  bool is_dir = false;
  bool writable = true;   // the owner may write it
  uint32_t perm = 0644;   // permission bits
  uint64_t size = 0;
  // The file's identity: two paths or descriptors name the same file when both are equal.
  uint64_t dev = 0, ino = 0;
  // Seconds since the epoch; `created` is 0 where the file system does not keep it.
  int64_t created = 0, accessed = 0, written = 0;
};

class Fs {
 public:
  virtual ~Fs() = default;

  virtual Status Open(const std::string& path, unsigned mode, int* fd) = 0;
  virtual Status Close(int fd) = 0;
  // Reads up to n bytes at `off`; fewer only at the end of the file.
  virtual Status ReadAt(int fd, uint64_t off, void* buf, size_t n, size_t* done) = 0;
  // Writes n bytes at `off` (at the end for a descriptor opened with kFsAppend).
  virtual Status WriteAt(int fd, uint64_t off, const void* buf, size_t n, size_t* done) = 0;
  // Reads and writes at the descriptor's own position: the standard streams.
  virtual Status Read(int fd, void* buf, size_t n, size_t* done) = 0;
  virtual Status Write(int fd, const void* buf, size_t n, size_t* done) = 0;
  virtual Status Sync(int fd) = 0;
  virtual Status Truncate(int fd, uint64_t size) = 0;
  virtual Status Size(int fd, uint64_t* size) = 0;
  // What Stat tells of a path, for an open descriptor.
  virtual Status StatFd(int fd, FsStat* st) = 0;
  // Advisory lock of the whole file; without `wait` a held lock gives 165.
  virtual Status Lock(int fd, FsLock how, bool wait) = 0;

  // Replaces `to` atomically when it exists.
  virtual Status Rename(const std::string& from, const std::string& to) = 0;
  virtual Status Remove(const std::string& path) = 0;
  virtual Status Stat(const std::string& path, FsStat* st) = 0;
  virtual Status SetPermissions(const std::string& path, uint32_t perm) = 0;
  // The names in a folder, "." and ".." left out, in no particular order.
  virtual Status List(const std::string& dir, std::vector<std::string>* names) = 0;
  virtual Status MakeDir(const std::string& path) = 0;
  // Makes the folder's entries (a rename into it) durable.
  virtual Status SyncDir(const std::string& dir) = 0;
  virtual Status CurrentDir(std::string* path) = 0;
  virtual Status ChangeDir(const std::string& path) = 0;
};

// The host's file system through the POSIX calls. Stateless: one instance serves everyone.
Fs* PosixFs();

// The status of a failed call's errno.
Status FsStatusOfErrno(int err);

// An open descriptor that closes itself.
class FsFile {
 public:
  FsFile() = default;
  explicit FsFile(Fs* fs) : fs_(fs) {}
  ~FsFile() { Close(); }
  FsFile(const FsFile&) = delete;
  FsFile& operator=(const FsFile&) = delete;

  Status Open(const std::string& path, unsigned mode) {
    Close();
    return fs_->Open(path, mode, &fd_);
  }
  Status Close() {
    Status st = fd_ >= 0 ? fs_->Close(fd_) : Status(0);
    fd_ = -1;
    return st;
  }
  int fd() const { return fd_; }
  bool is_open() const { return fd_ >= 0; }

 private:
  Fs* fs_ = nullptr;
  int fd_ = -1;
};

}  // namespace orv

#endif  // ORVALE_CORE_FS_H
