// The table of open text files: forty numbered slots, 0 to 2 the standard input, output
// and error (never closed), 3 to 39 given to files as they are opened (the lowest free
// one). Files are read by line or by block and written at an offset or at the end.
//
// Offsets and sizes are 64-bit. The 16-bit routines (FileRead, FileWrite, FileTell,
// FileSize) keep 0xFFFF for "none" and therefore never report a real value of 0xFFFF: a
// size or position that does not fit fails with 0xFFFF and records 161 (FILEOUTBOUND), and
// a 16-bit read or write moves at most 65534 bytes. Their 64-bit partners return a status.
//
// The state of the file layer (the table, the file system in use, the dialog host, the
// settings-key hook, the executable's path) lives in g_files; FilesReset closes every file
// and puts the defaults back.
#ifndef ORVALE_CORE_FILES_H
#define ORVALE_CORE_FILES_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/fs.h"
#include "core/scratch.h"
#include "core/val.h"

namespace orv {

inline constexpr uint16_t kOpenFiles = 40;
inline constexpr uint16_t kStdIn = 0, kStdOut = 1, kStdErr = 2;
// The longest file name FileOpen accepts, plus one.
inline constexpr size_t kMaxFileName = 384;

// Open flags.
enum : uint16_t {
  kOpenUpdate = 1,     // read and write, creating the file when missing (rb+)
  kOpenCreate = 2,     // create or truncate for reading and writing (wb+)
  kOpenAppend = 4,     // append, creating when missing (ab+)
  kOpenReadOnly = 8,   // without + ; alone: read only, never create (rb)
  kOpenQuiet = 0x80,   // on failure return the status, without recording it
};

// 64-bit offset sentinels: the current position (reads) and the end of the file (writes).
inline constexpr uint64_t kFileCurrent = ~uint64_t(0);
inline constexpr uint64_t kFileEnd = ~uint64_t(0);
// Count sentinels: one line (reads), everything up to the end (whole-file reads).
inline constexpr uint32_t kFileLine = ~uint32_t(0);
inline constexpr uint64_t kFileAll = ~uint64_t(0);

struct OpenFile {
  bool used = false;
  bool stream = false;  // a standard stream: no positions, never closed
  bool append = false;  // writes go to the end
  int fd = -1;
  uint64_t pos = 0;
  int pending = -1;     // a byte read ahead from a stream, or -1
};

// Replaces every settings key in percent signs of a text (the shell's expansion).
using SettingsKeyExpander = Val (*)(Val text);
class FileDialogHost;

struct FileState {
  FileState();  // the standard streams in slots 0 to 2, everything else free

  Fs* fs = PosixFs();
  OpenFile open[kOpenFiles];
  FileDialogHost* dialogs = nullptr;             // null: every dialog is cancelled
  SettingsKeyExpander expand_settings = nullptr; // null: unknown keys become empty
  std::string exe_path;                          // host path; empty: /proc/self/exe
};

extern FileState g_files;

// Closes every open file and restores the defaults (POSIX file system, no dialogs, no
// settings hook, the real executable).
void FilesReset();

// Opens `name` (an engine path; "CON" is the standard output for flags exactly 2, else the
// standard input). The open-file number, or 0xFFFF; with kOpenQuiet the status itself (163
// bad name, 168 no free number, 164 not found, 175 permission denied, 166 other failure),
// which callers tell apart from a number by testing for 128 or above. Without kOpenQuiet
// the failure is recorded in area 17 and the name appended to the detail text. Opening
// with creation never truncates a file unless the flags ask for it (2).
uint16_t FileOpen(Val name, uint16_t flags);
// Closes the file (0 to 2 stay open). 151 for a number that is not open.
Status FileClose(uint16_t n);
// Closes the file when it goes out of scope.
class FileCloser {
 public:
  explicit FileCloser(uint16_t n) : n_(n) {}
  ~FileCloser() { FileClose(n_); }
  FileCloser(const FileCloser&) = delete;
  FileCloser& operator=(const FileCloser&) = delete;

 private:
  uint16_t n_;
};

// Reads one line from the current position into buf. A line ends at CR LF, LF or CR; a
// Ctrl-Z that is the file's last byte ends the file. 0 with *len set; 0xFFFF at the end of
// the file; 146 when the line is longer than `size` (the position does not move); 151 bad
// number; 130 input/output failure.
Status FileReadLine(uint16_t n, char* buf, size_t size, size_t* len);
// Reads `count` bytes (fewer at the end) at `offset` (kFileCurrent: the position) into buf.
// 0xFFFF when nothing is left to read, 146 when count exceeds size.
Status FileReadBlock(uint16_t n, uint64_t offset, size_t count, char* buf, size_t size,
                     size_t* got);
// Writes len bytes at `offset` (kFileEnd: at the end; a file opened for appending always
// writes at the end). *put tells how many reached the file.
Status FileWriteAt(uint16_t n, uint64_t offset, const void* data, size_t len, size_t* put);
Status FileSeek(uint16_t n, uint64_t offset);
Status FileTell64(uint16_t n, uint64_t* pos);
// 151 for the standard streams, which have no size.
Status FileSize64(uint16_t n, uint64_t* size);
// 1 when the position is at or beyond the size.
int FileAtEnd(uint16_t n);
// Flushes the file to the disk.
Status FileSync(uint16_t n);

// The 16-bit interface. Offsets of 0xFFFF mean the current position (reads) or the end
// (writes); a count of 0xFFFF reads one line. Results: bytes read or written, or 0xFFFF.
uint16_t FileRead(uint16_t n, uint16_t offset, uint16_t count, char* buf, uint16_t size);
uint16_t FileWrite(uint16_t n, uint16_t offset, const void* data, uint16_t len);
uint16_t FileTell(uint16_t n);
uint16_t FileSize(uint16_t n);

// Reads a line (count kFileLine) or a block at `offset` into the scratch stack's free
// space and pushes it. The error value 130 at the end of the file; 146 or 145 when a line
// does not fit a value or the free space.
Val FileReadValue(uint16_t n, uint64_t offset, uint32_t count);
// Reads a line into the scratch stack's free space and pushes it as *line. 0, 0xFFFF at
// the end of the file, or the status of FileReadValue's failures.
Status FileReadLineValue(uint16_t n, Val* line);
// Calls fn(line) for each line from the current position on; each line lives on the
// scratch stack for its call only. 0 at the end of the file, else the first status other
// than 0 that fn returns or that reading a line gives.
template <typename Fn>
Status FileEachLine(uint16_t n, Fn&& fn) {
  for (;;) {
    ScratchScope scope;
    Val line;
    Status st = FileReadLineValue(n, &line);
    if (st == kNone) return 0;
    if (st || (st = fn(line))) return st;
  }
}
// Writes the value at `offset`. 0, or the status of the failure (131 for a short write).
Status FileWriteValue(uint16_t n, uint64_t offset, Val v);

}  // namespace orv

#endif  // ORVALE_CORE_FILES_H
