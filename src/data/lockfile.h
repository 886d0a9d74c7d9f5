// Lock files held with an advisory lock for as long as they are in use.
//
// A lock file that exists but whose advisory lock nobody holds was left by a process that
// died: it is stale and is taken over. One whose lock is held belongs to a live process.
// The exclusive kind marks a data file opened for exclusive use (name.lock); the shared kind
// marks a data file changed since its index was last written (the unclean-close marker),
// held by every process that changes the file.
#ifndef ORVALE_DATA_LOCKFILE_H
#define ORVALE_DATA_LOCKFILE_H

#include <string>

#include "core/fs.h"
#include "core/val.h"

namespace orv {

class LockFile {
 public:
  LockFile() = default;
  ~LockFile() { Release(); }
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;

  // Takes the lock file at the host path, creating it (exclusively, with one blank as
  // content) when missing. 175 when a live process holds it in a conflicting way; the
  // file-system status of any other failure (a file it created is removed again).
  Status Acquire(Fs* fs, const std::string& path, bool exclusive);
  // Removes the file when no other process holds it, and lets go of it.
  void Release();
  // Lets go of the lock but leaves the file where it is.
  void Abandon();
  bool held() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

 private:
  Fs* fs_ = nullptr;
  std::string path_;
  int fd_ = -1;
  bool exclusive_ = false;
};

enum class LockState { kAbsent, kStale, kLive };

// Whether a lock file exists and, if so, whether a live process holds it. Changes nothing.
LockState ProbeLock(Fs* fs, const std::string& path);
// Removes a stale lock file (one that nobody holds); a live one stays.
void RemoveStaleLock(Fs* fs, const std::string& path);

}  // namespace orv

#endif  // ORVALE_DATA_LOCKFILE_H
