// Whole-file replacement that never leaves a half-written file behind.
//
// The new content goes to a new file created (exclusively) beside the target; only after
// every byte was written and synced is it renamed over the target, and the folder synced.
// Any failure before the rename leaves the target byte for byte as it was and removes the
// new file.
#ifndef ORVALE_CORE_REPLACER_H
#define ORVALE_CORE_REPLACER_H

#include <cstddef>
#include <string>

#include "core/fs.h"
#include "core/val.h"

namespace orv {

class FileReplacer {
 public:
  FileReplacer();
  ~FileReplacer() { Abandon(); }
  FileReplacer(const FileReplacer&) = delete;
  FileReplacer& operator=(const FileReplacer&) = delete;

  // Creates the new file beside `name` (an engine path).
  Status Begin(Val name);
  // Appends to the new file. After a failure every later call fails with the same status.
  Status Write(const void* data, size_t len);
  Status Write(Val v);
  // Syncs the new file, gives it the target's permissions, renames it over the target and
  // syncs the folder.
  Status Commit();
  // Closes and removes the new file (nothing happens after a Commit).
  void Abandon();

 private:
  Fs* fs_;
  FsFile file_;
  std::string target_, temp_;
  uint64_t size_ = 0;
  Status failed_ = 0;
};

}  // namespace orv

#endif  // ORVALE_CORE_REPLACER_H
