// The table of open text files, the line reader and positioned reads and writes.
#include "core/files.h"

#include <algorithm>
#include <cstring>

#include "core/block.h"
#include "core/hostpath.h"
#include "core/scratch.h"
#include "core/status.h"

namespace orv {

FileState g_files;

FileState::FileState() {
  for (uint16_t i = kStdIn; i <= kStdErr; ++i) {
    open[i].used = open[i].stream = true;
    open[i].fd = i;
  }
}

void FilesReset() {
  for (uint16_t n = kStdErr + 1; n < kOpenFiles; ++n) FileClose(n);
  g_files = FileState();
}

namespace {

constexpr char kCtrlZ = 0x1A;
// The piece in which the line reader reads ahead.
constexpr size_t kPiece = 512;

OpenFile* Entry(uint16_t n) {
  if (n >= kOpenFiles || !g_files.open[n].used) return nullptr;
  return &g_files.open[n];
}

// The mode of the C library's fopen for the engine's flags, as Fs modes. The "r" modes
// that may create the file ask for creation in the same call, without truncation, so an
// existing file is never emptied by a failed open.
unsigned ModeOf(uint16_t flags) {
  unsigned mode;
  if (flags & kOpenCreate) mode = kFsWrite | kFsCreate | kFsTruncate;
  else if (flags & kOpenAppend) mode = kFsWrite | kFsCreate | kFsAppend;
  else mode = (flags & kOpenReadOnly) ? kFsRead : kFsRead | kFsWrite | kFsCreate;
  if (!(flags & kOpenReadOnly)) mode |= kFsRead | kFsWrite;
  return mode;
}

Status OpenSlot(Val name, uint16_t flags, uint16_t* number) {
  if (!name.ok() || name.empty() || name.len >= kMaxFileName) return kDataError;
  uint16_t n = kStdErr + 1;
  while (n < kOpenFiles && g_files.open[n].used) ++n;
  if (n == kOpenFiles) return kDataOutBound;
  OpenFile f;
  if (name.sv() == "CON") {
    f.stream = true;
    f.fd = flags == kOpenCreate ? kStdOut : kStdIn;
  } else {
    std::string host;
    if (Status st = HostPath(name, &host)) return st;
    unsigned mode = ModeOf(flags);
    if (Status st = g_files.fs->Open(host, mode, &f.fd))
      return st == kFileNotFound || st == kPermissionDenied ? st : kFileOpenError;
    f.append = (mode & kFsAppend) != 0;
  }
  f.used = true;
  g_files.open[n] = f;
  *number = n;
  return kOk;
}

// Reads the byte at `off`; -1 at the end or on failure.
int ByteAt(const OpenFile& f, uint64_t off) {
  char c;
  size_t got = 0;
  if (g_files.fs->ReadAt(f.fd, off, &c, 1, &got) || got != 1) return -1;
  return uint8_t(c);
}

// The next byte of a stream, -1 at its end; a failure sets *st.
int StreamByte(OpenFile& f, Status* st) {
  if (f.pending >= 0) {
    int c = f.pending;
    f.pending = -1;
    return c;
  }
  char c;
  size_t got = 0;
  *st = g_files.fs->Read(f.fd, &c, 1, &got);
  return !*st && got == 1 ? uint8_t(c) : -1;
}

Status StreamLine(OpenFile& f, char* buf, size_t size, size_t* len) {
  size_t n = 0;
  Status st = kOk;
  for (;;) {
    int c = StreamByte(f, &st);
    if (st) return st;
    if (c < 0) {
      if (n && buf[n - 1] == kCtrlZ) --n;
      if (!n) return kNone;
      break;
    }
    if (c == '\n') break;
    if (c == '\r') {
      int d = StreamByte(f, &st);
      if (st) return st;
      if (d >= 0 && d != '\n') f.pending = d;
      break;
    }
    if (n == size) return kStringTooLong;
    buf[n++] = char(c);
  }
  *len = n;
  return kOk;
}

// Reads ahead from the position in pieces until a line end turns up; one read per line
// for lines that fit a piece. A read that comes back short has met the end of the file.
Status FileLine(OpenFile& f, char* buf, size_t size, size_t* len) {
  char piece[kPiece];
  size_t n = 0, got = kPiece;
  uint64_t at = f.pos;
  while (got == kPiece) {
    if (Status st = g_files.fs->ReadAt(f.fd, at, piece, kPiece, &got)) return st;
    size_t k = 0;
    while (k < got && piece[k] != '\r' && piece[k] != '\n') ++k;
    if (n + k > size) return kStringTooLong;
    memcpy(buf + n, piece, k);
    n += k;
    if (k < got) {
      uint64_t next = at + k + 1;
      // A CR LF pair may straddle two pieces: look at the byte after a final CR.
      if (piece[k] == '\r' &&
          (k + 1 < got ? piece[k + 1] == '\n' : ByteAt(f, next) == '\n'))
        ++next;
      f.pos = next;
      *len = n;
      return kOk;
    }
    at += got;
  }
  f.pos = at;
  if (n && buf[n - 1] == kCtrlZ) --n;  // the file's last byte
  if (!n) return kNone;
  *len = n;
  return kOk;
}

// Records that a real value did not fit a 16-bit result.
uint16_t OutOfBounds() {
  ErrRecord(1, kAreaStreams, kFileOutBound, 0);
  return kNone;
}

}  // namespace

uint16_t FileOpen(Val name, uint16_t flags) {
  uint16_t n = kNone;
  Status st = OpenSlot(name, flags, &n);
  if (!st) return n;
  if (flags & kOpenQuiet) return st;
  ErrReport(st, name, true);
  ErrRecord(1, kAreaStreams, st, 0);
  return kNone;
}

Status FileClose(uint16_t n) {
  if (n <= kStdErr) return kOk;
  OpenFile* f = Entry(n);
  if (!f) return kBadFileNumber;
  Status st = f->stream ? kOk : g_files.fs->Close(f->fd);
  *f = OpenFile();
  return st;
}

Status FileReadLine(uint16_t n, char* buf, size_t size, size_t* len) {
  *len = 0;
  OpenFile* f = Entry(n);
  if (!f) return kBadFileNumber;
  return f->stream ? StreamLine(*f, buf, size, len) : FileLine(*f, buf, size, len);
}

Status FileReadBlock(uint16_t n, uint64_t offset, size_t count, char* buf, size_t size,
                     size_t* got) {
  *got = 0;
  OpenFile* f = Entry(n);
  if (!f) return kBadFileNumber;
  if (count > size) return kStringTooLong;
  if (f->stream) {
    if (offset != kFileCurrent) return kDiskIo;
    Status st = kOk;
    while (*got < count) {
      int c = StreamByte(*f, &st);
      if (st) return st;
      if (c < 0) break;
      buf[(*got)++] = char(c);
    }
    return *got || !count ? kOk : kNone;
  }
  if (offset != kFileCurrent) f->pos = offset;
  if (Status st = g_files.fs->ReadAt(f->fd, f->pos, buf, count, got)) return st;
  f->pos += *got;
  return *got || !count ? kOk : kNone;
}

Status FileWriteAt(uint16_t n, uint64_t offset, const void* data, size_t len, size_t* put) {
  *put = 0;
  OpenFile* f = Entry(n);
  if (!f) return kBadFileNumber;
  if (!data) return kDataError;
  if (f->stream) return g_files.fs->Write(f->fd, data, len, put);
  if (f->append || offset == kFileEnd)
    if (Status st = g_files.fs->Size(f->fd, &offset)) return st;
  Status st = g_files.fs->WriteAt(f->fd, offset, data, len, put);
  f->pos = offset + *put;
  return st;
}

Status FileSeek(uint16_t n, uint64_t offset) {
  OpenFile* f = Entry(n);
  if (!f || f->stream) return kDiskIo;
  if (offset == kFileEnd)
    if (g_files.fs->Size(f->fd, &offset)) return kDiskIo;
  f->pos = offset;
  return kOk;
}

Status FileTell64(uint16_t n, uint64_t* pos) {
  OpenFile* f = Entry(n);
  if (!f) return kBadFileNumber;
  *pos = f->stream ? 0 : f->pos;
  return kOk;
}

Status FileSize64(uint16_t n, uint64_t* size) {
  OpenFile* f = Entry(n);
  if (!f || f->stream) return kBadFileNumber;
  return g_files.fs->Size(f->fd, size);
}

int FileAtEnd(uint16_t n) {
  OpenFile* f = Entry(n);
  uint64_t size;
  if (!f || f->stream || g_files.fs->Size(f->fd, &size)) return 0;
  return f->pos >= size ? 1 : 0;
}

Status FileSync(uint16_t n) {
  OpenFile* f = Entry(n);
  if (!f) return kBadFileNumber;
  return f->stream ? kOk : g_files.fs->Sync(f->fd);
}

uint16_t FileRead(uint16_t n, uint16_t offset, uint16_t count, char* buf, uint16_t size) {
  size_t cap = std::min<size_t>(size, kNone - 1);
  size_t got = 0;
  if (offset != kNone && FileSeek(n, offset)) return kNone;
  Status st = count == kNone ? FileReadLine(n, buf, cap, &got)
                             : FileReadBlock(n, kFileCurrent, count, buf, cap, &got);
  return st ? kNone : uint16_t(got);
}

uint16_t FileWrite(uint16_t n, uint16_t offset, const void* data, uint16_t len) {
  if (len == kNone) return kNone;
  size_t put = 0;
  Status st = FileWriteAt(n, offset == kNone ? kFileEnd : offset, data, len, &put);
  return st ? kNone : uint16_t(put);
}

uint16_t FileTell(uint16_t n) {
  uint64_t pos;
  if (FileTell64(n, &pos)) return kNone;
  return pos < kNone ? uint16_t(pos) : OutOfBounds();
}

uint16_t FileSize(uint16_t n) {
  uint64_t size;
  if (FileSize64(n, &size)) return kNone;
  return size < kNone ? uint16_t(size) : OutOfBounds();
}

namespace {

// Reads a line or a block into the scratch stack's free space and pushes it.
Status ReadIntoScratch(uint16_t n, uint64_t offset, uint32_t count, Val* out) {
  if (offset != kFileCurrent && FileSeek(n, offset)) return kDiskIo;
  Val space = ScratchFreeSpace();
  char* buf = const_cast<char*>(space.ptr);
  size_t got = 0;
  Status st = count == kFileLine ? FileReadLine(n, buf, space.len, &got)
                                 : FileReadBlock(n, kFileCurrent, count, buf, space.len, &got);
  if (st == kStringTooLong && space.len < kMaxValLen) st = kOutOfMemory;
  if (!st) st = ScratchAlloc(got, kNoFill);
  if (!st) *out = ScratchTop();
  return st;
}

}  // namespace

Val FileReadValue(uint16_t n, uint64_t offset, uint32_t count) {
  Val v;
  Status st = ReadIntoScratch(n, offset, count, &v);
  if (st == kNone) return ValError(kDiskIo);
  return st ? ValError(st) : v;
}

Status FileReadLineValue(uint16_t n, Val* line) {
  return ReadIntoScratch(n, kFileCurrent, kFileLine, line);
}

Status FileWriteValue(uint16_t n, uint64_t offset, Val v) {
  if (Status st = ValCheck(v)) return st;
  size_t put = 0;
  Status st = FileWriteAt(n, offset, v.ptr, v.len, &put);
  if (st) return st;
  return put == v.len ? kOk : kFileIo;
}

}  // namespace orv
