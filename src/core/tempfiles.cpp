// Temporary file names with exclusive creation.
#include "core/tempfiles.h"

#include <random>

#include "core/files.h"
#include "core/hostpath.h"
#include "core/pathkeys.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/status.h"

namespace orv {

namespace {

std::string FreshName() {
  static constexpr char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::random_device rd;  // the kernel's random source: no state of ours to reset
  std::string s(8, '0');
  for (char& c : s) c = kChars[rd() % 36];
  return s;
}

}  // namespace

Val TempName() { return ValCopy(ValOf(FreshName())); }

Status CreateUniqueHost(const std::string& dir, std::string_view prefix,
                        std::string_view suffix, std::string* host, FsFile* file) {
  std::string base = dir.empty() || dir == "." ? "" : dir.back() == '/' ? dir : dir + "/";
  for (int i = 0; i < kTempTries; ++i) {
    *host = base + std::string(prefix) + FreshName() + std::string(suffix);
    Status st = file->Open(*host, kFsRead | kFsWrite | kFsCreate | kFsExclusive);
    if (st != kFileExists) return st;
  }
  return kFileExists;
}

Val TempCreate(Val folder, Val ext) {
  if (!folder.ok()) return folder;
  if (!ext.ok()) return ext;
  ScratchScope scope;
  std::string dir;
  if (!folder.empty())
    if (Status st = HostPath(folder, &dir)) return scope.Return(ValError(st));
  std::string suffix = ext.empty() ? "" : "." + ext.str();
  std::string host;
  FsFile file(g_files.fs);
  if (Status st = CreateUniqueHost(dir, "", suffix, &host, &file))
    return scope.Return(ValError(st));
  if (Status st = file.Close()) return scope.Return(ValError(st));
  std::string leaf = host.substr(host.find_last_of('/') + 1);  // npos + 1 is 0
  return scope.Return(PathJoin(folder, ValOf(leaf)));
}

Val TempFile(Val ext) { return TempCreate(Val(), ext); }

Val TempPath(Val ext) {
  ScratchScope scope;
  return scope.Return(TempCreate(EnvValue("TEMP"_v), ext));
}

}  // namespace orv
