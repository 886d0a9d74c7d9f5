// A file system that refuses every call, for fuzz targets: the built-in functions read,
// write and execute files, and fuzzed input must never reach the disk.
#ifndef ORVALE_FUZZ_DENY_FS_H
#define ORVALE_FUZZ_DENY_FS_H

#include "core/fs.h"
#include "core/status.h"

namespace orv {

class DenyFs final : public Fs {
 public:
  Status Open(const std::string&, unsigned, int*) override { return kPermissionDenied; }
  Status Close(int) override { return kPermissionDenied; }
  Status ReadAt(int, uint64_t, void*, size_t, size_t* done) override { return Denied(done); }
  Status WriteAt(int, uint64_t, const void*, size_t, size_t* done) override { return Denied(done); }
  Status Read(int, void*, size_t, size_t* done) override { return Denied(done); }
  Status Write(int, const void*, size_t, size_t* done) override { return Denied(done); }
  Status Sync(int) override { return kPermissionDenied; }
  Status Truncate(int, uint64_t) override { return kPermissionDenied; }
  Status Size(int, uint64_t*) override { return kPermissionDenied; }
  Status StatFd(int, FsStat*) override { return kPermissionDenied; }
  Status Lock(int, FsLock, bool) override { return kPermissionDenied; }
  Status Rename(const std::string&, const std::string&) override { return kPermissionDenied; }
  Status Remove(const std::string&) override { return kPermissionDenied; }
  Status Stat(const std::string&, FsStat*) override { return kPermissionDenied; }
  Status SetPermissions(const std::string&, uint32_t) override { return kPermissionDenied; }
  Status List(const std::string&, std::vector<std::string>*) override { return kPermissionDenied; }
  Status MakeDir(const std::string&) override { return kPermissionDenied; }
  Status SyncDir(const std::string&) override { return kPermissionDenied; }
  Status CurrentDir(std::string*) override { return kPermissionDenied; }
  Status ChangeDir(const std::string&) override { return kPermissionDenied; }

 private:
  static Status Denied(size_t* done) {
    *done = 0;
    return kPermissionDenied;
  }
};

}  // namespace orv

#endif  // ORVALE_FUZZ_DENY_FS_H
