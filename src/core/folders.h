// Folders and directory entries, by engine path.
#ifndef ORVALE_CORE_FOLDERS_H
#define ORVALE_CORE_FOLDERS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Attribute bits of FileAttributes, as the engine's callers know them.
enum : uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,   // the host name starts with "."
  kAttrFolder = 0x10,
  kAttrArchive = 0x20,  // every plain file
};
inline constexpr uint32_t kNoAttributes = 0xFFFFFFFF;

// Makes `path` the current folder.
Status FolderChange(Val path);
// Makes one folder; 165 when something of that name exists.
Status FolderMake(Val path);
// Makes the folder and every missing parent; 0 when it exists already. 163 (the path
// becomes the detail text) for a path without folder and name.
Status FolderCreatePath(Val path);
// The current folder as an engine path; empty on failure.
Val FolderCurrent();

// The names (without folder, in CP1252) of the entries that match the pattern's last
// component ("*" and "?", ignoring ASCII case; "*.*" matches every name), folders
// included, sorted ignoring case and joined with NUL bytes. The error value 164 when
// nothing matches.
Val FileList(Val pattern);
// 0 when the path exists (or, with "*" or "?" in its name, when something matches); 164.
Status FileFind(Val path);
// Whether a file or folder of that path exists.
bool PathExists(Val path);
// The size from the directory entry.
Status FileSizeOf(Val path, uint64_t* size);
// The entry's local time: which 0 created (the last write where the file system does not
// keep it), 1 accessed, 2 written; form 0 the date YYYYMMDD, 1 the time HH:MM:SS. Empty
// for a missing entry.
Val FileTimeText(Val path, int which, int form);
// The attribute bits, kNoAttributes for a missing entry.
uint32_t FileAttributes(Val path);

// Whether `name` matches a wildcard pattern, ignoring ASCII case.
bool WildcardMatch(Val pattern, Val name);

}  // namespace orv

#endif  // ORVALE_CORE_FOLDERS_H
