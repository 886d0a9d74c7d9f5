// The POSIX file system behind the Fs interface.
#include "core/fs.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "core/status.h"

namespace orv {

Status FsStatusOfErrno(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return kFileNotFound;
    case EEXIST:
    case ENOTEMPTY:
    case EWOULDBLOCK:
      return kFileExists;
    case EACCES:
    case EPERM:
    case EROFS:
      return kPermissionDenied;
    case EMFILE:
    case ENFILE:
      return kFileOpenError;
    default:
      return kDiskIo;
  }
}

namespace {

Status Fail() { return FsStatusOfErrno(errno); }

void Fill(const struct statx& sx, FsStat* st) {
  st->is_dir = S_ISDIR(sx.stx_mode);
  st->perm = sx.stx_mode & 07777;
  st->writable = (sx.stx_mode & S_IWUSR) != 0;
  st->size = sx.stx_size;
  st->dev = (uint64_t(sx.stx_dev_major) << 32) | sx.stx_dev_minor;
  st->ino = sx.stx_ino;
  st->accessed = sx.stx_atime.tv_sec;
  st->written = sx.stx_mtime.tv_sec;
  st->created = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : 0;
}

class Posix final : public Fs {
 public:
  Status Open(const std::string& path, unsigned mode, int* fd) override {
    int flags = O_CLOEXEC;
    if ((mode & kFsRead) && (mode & kFsWrite)) flags |= O_RDWR;
    else if (mode & kFsWrite) flags |= O_WRONLY;
    else flags |= O_RDONLY;
    if (mode & kFsCreate) flags |= O_CREAT;
    if (mode & kFsExclusive) flags |= O_EXCL;
    if (mode & kFsTruncate) flags |= O_TRUNC;
    if (mode & kFsAppend) flags |= O_APPEND;
    int r;
    do r = ::open(path.c_str(), flags, 0666);
    while (r < 0 && errno == EINTR);
    if (r < 0) return Fail();
    // A folder opens for reading on Linux; the engine's files are never folders.
    struct stat sb;
    if (fstat(r, &sb) == 0 && S_ISDIR(sb.st_mode)) {
      ::close(r);
      return kFileNotFound;
    }
    *fd = r;
    return kOk;
  }

  Status Close(int fd) override { return ::close(fd) == 0 ? kOk : Fail(); }

  Status ReadAt(int fd, uint64_t off, void* buf, size_t n, size_t* done) override {
    *done = 0;
    while (*done < n) {
      if (off + *done > uint64_t(LLONG_MAX)) return kDiskIo;
      ssize_t r = ::pread(fd, static_cast<char*>(buf) + *done, n - *done, off_t(off + *done));
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return Fail();
      if (r == 0) break;
      *done += size_t(r);
    }
    return kOk;
  }

  Status WriteAt(int fd, uint64_t off, const void* buf, size_t n, size_t* done) override {
    *done = 0;
    while (*done < n) {
      if (off + *done > uint64_t(LLONG_MAX)) return kDiskIo;
      ssize_t r = ::pwrite(fd, static_cast<const char*>(buf) + *done, n - *done, off_t(off + *done));
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return Fail();
      if (r == 0) return kDiskIo;
      *done += size_t(r);
    }
    return kOk;
  }

  Status Read(int fd, void* buf, size_t n, size_t* done) override {
    ssize_t r;
    do r = ::read(fd, buf, n);
    while (r < 0 && errno == EINTR);
    *done = r > 0 ? size_t(r) : 0;
    return r < 0 ? Fail() : kOk;
  }

  Status Write(int fd, const void* buf, size_t n, size_t* done) override {
    *done = 0;
    while (*done < n) {
      ssize_t r = ::write(fd, static_cast<const char*>(buf) + *done, n - *done);
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) return r < 0 ? Fail() : kDiskIo;
      *done += size_t(r);
    }
    return kOk;
  }

  Status Sync(int fd) override { return ::fsync(fd) == 0 ? kOk : Fail(); }

  Status Truncate(int fd, uint64_t size) override {
    if (size > uint64_t(LLONG_MAX)) return kDiskIo;
    return ::ftruncate(fd, off_t(size)) == 0 ? kOk : Fail();
  }

  Status Size(int fd, uint64_t* size) override {
    struct stat sb;
    if (fstat(fd, &sb) != 0) return Fail();
    *size = uint64_t(sb.st_size);
    return kOk;
  }

  Status StatFd(int fd, FsStat* st) override {
    struct statx sx;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return Fail();
    Fill(sx, st);
    return kOk;
  }

  Status Lock(int fd, FsLock how, bool wait) override {
    int op = how == FsLock::kUnlock ? LOCK_UN : how == FsLock::kShared ? LOCK_SH : LOCK_EX;
    if (!wait && how != FsLock::kUnlock) op |= LOCK_NB;
    int r;
    do r = ::flock(fd, op);
    while (r < 0 && errno == EINTR);
    return r == 0 ? kOk : Fail();
  }

  Status Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0 ? kOk : Fail();
  }

  Status Remove(const std::string& path) override {
    return ::remove(path.c_str()) == 0 ? kOk : Fail();
  }

  Status Stat(const std::string& path, FsStat* st) override {
    struct statx sx;
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return Fail();
    Fill(sx, st);
    return kOk;
  }

  Status SetPermissions(const std::string& path, uint32_t perm) override {
    return ::chmod(path.c_str(), mode_t(perm & 07777)) == 0 ? kOk : Fail();
  }

  Status List(const std::string& dir, std::vector<std::string>* names) override {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return Fail();
    names->clear();
    errno = 0;
    while (const dirent* e = ::readdir(d)) {
      std::string_view n(e->d_name);
      if (n != "." && n != "..") names->emplace_back(n);
    }
    Status st = errno ? Fail() : kOk;
    ::closedir(d);
    return st;
  }

  Status MakeDir(const std::string& path) override {
    return ::mkdir(path.c_str(), 0777) == 0 ? kOk : Fail();
  }

  Status SyncDir(const std::string& dir) override {
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Fail();
    Status st = ::fsync(fd) == 0 ? kOk : Fail();
    ::close(fd);
    return st;
  }

  Status CurrentDir(std::string* path) override {
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return Fail();
    *path = buf;
    return kOk;
  }

  Status ChangeDir(const std::string& path) override {
    return ::chdir(path.c_str()) == 0 ? kOk : Fail();
  }
};

}  // namespace

Fs* PosixFs() {
  static Posix fs;
  return &fs;
}

}  // namespace orv
