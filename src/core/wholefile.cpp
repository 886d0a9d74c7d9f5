// Whole files by name.
#include "core/wholefile.h"

#include <algorithm>
#include <string>

#include "core/block.h"
#include "core/files.h"
#include "core/hostpath.h"
#include "core/replacer.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"

namespace orv {

namespace {

// Opens `name` through the current file system.
Status OpenByName(Val name, unsigned mode, FsFile* file) {
  std::string host;
  if (Status st = HostPath(name, &host)) return st;
  return file->Open(host, mode);
}

// The bytes available from `offset` for a count, or 0xFFFF past the end.
Status Available(FsFile& file, uint64_t offset, uint64_t count, uint64_t* n) {
  uint64_t size;
  if (Status st = g_files.fs->Size(file.fd(), &size)) return st;
  if (offset >= size && count) return kNone;
  *n = std::min(count, size - std::min(offset, size));
  return kOk;
}

}  // namespace

uint64_t FileSizeByName(Val name) {
  FsFile file(g_files.fs);
  uint64_t size = 0;
  if (OpenByName(name, kFsRead, &file) || g_files.fs->Size(file.fd(), &size)) return 0;
  return size;
}

Status FileReadPart(Val name, uint64_t offset, uint64_t count, char* buf, size_t size,
                    size_t* got) {
  *got = 0;
  FsFile file(g_files.fs);
  uint64_t n;
  if (Status st = OpenByName(name, kFsRead, &file)) return st;
  if (Status st = Available(file, offset, count, &n)) return st;
  if (n > size) return kStringTooLong;
  return g_files.fs->ReadAt(file.fd(), offset, buf, size_t(n), got);
}

Val FileReadAll(Val name, uint64_t offset, uint64_t count) {
  FsFile file(g_files.fs);
  uint64_t n;
  if (Status st = OpenByName(name, kFsRead, &file)) return ValError(st);
  Status st = Available(file, offset, count, &n);
  if (st == kNone) return Val();
  if (st) return ValError(st);
  if (n > kMaxValLen) return ValError(kStringTooLong);
  if (Status s = ScratchAlloc(size_t(n), kNoFill)) return ValError(s);
  Val v = ScratchTop();
  size_t got = 0;
  st = g_files.fs->ReadAt(file.fd(), offset, const_cast<char*>(v.ptr), size_t(n), &got);
  if (st || got != n) {
    ScratchRelease(ScratchMark() - 1);
    return ValError(st ? st : kDiskIo);
  }
  return v;
}

Val FileReadAllJoined(Val name, Val sep) {
  ScratchScope scope;
  Val text = FileReadAll(name, 0, kFileAll);
  if (text.ok() && text.len && text.ptr[text.len - 1] == 0x1A) --text.len;
  text = TextReplace(text, "\r\n"_v, sep, kPlain);
  text = TextReplace(text, "\n"_v, sep, kPlain);
  text = TextReplace(text, "\r"_v, sep, kPlain);
  return scope.Return(text);
}

Status FileWriteAll(Val name, uint64_t offset, Val data, size_t* written) {
  *written = 0;
  if (Status st = ValCheck(data)) return st;
  if (offset == kFileReplace) {
    FileReplacer out;
    Status st = out.Begin(name);
    if (!st) st = out.Write(data);
    if (!st) st = out.Commit();
    if (!st) *written = data.len;
    return st;
  }
  FsFile file(g_files.fs);
  unsigned mode = kFsRead | kFsWrite | kFsCreate | (offset == kFileEnd ? unsigned(kFsAppend) : 0u);
  if (Status st = OpenByName(name, mode, &file)) return st;
  if (offset == kFileEnd)
    if (Status st = g_files.fs->Size(file.fd(), &offset)) return st;
  Status st = g_files.fs->WriteAt(file.fd(), offset, data.ptr, data.len, written);
  Status closed = file.Close();
  return st ? st : closed;
}

Status FileWriteAllChecked(Val name, uint64_t offset, Val data) {
  size_t written = 0;
  Status st = FileWriteAll(name, offset, data, &written);
  if (!st) return written == data.len ? kOk : kFileIo;
  return written ? kFileIo : st;  // a write that stopped midway is a short write
}

Status FileRename(Val old_name, Val new_name) {
  std::string from, to;
  if (Status st = HostPath(old_name, &from)) return st;
  if (Status st = HostPath(new_name, &to)) return st;
  if (Status st = g_files.fs->Rename(from, to)) return st;
  return g_files.fs->SyncDir(HostParent(to));  // the new name survives a crash
}

Status FileDelete(Val name) {
  std::string host;
  if (Status st = HostPath(name, &host)) return st;
  return g_files.fs->Remove(host);
}

}  // namespace orv
