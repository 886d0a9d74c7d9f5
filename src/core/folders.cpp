// Folders and directory entries.
#include "core/folders.h"

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/files.h"
#include "core/hostpath.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/status.h"

namespace orv {

namespace {

Status StatOf(Val path, FsStat* st) {
  std::string host;
  if (Status s = HostPath(path, &host)) return s;
  return g_files.fs->Stat(host, st);
}

// '*' and '?' over names, ignoring ASCII case; the usual backtracking over the last '*'.
bool Match(std::string_view p, std::string_view n) {
  size_t i = 0, j = 0, star = std::string_view::npos, mark = 0;
  while (j < n.size()) {
    if (i < p.size() && (p[i] == '?' || AsciiLower(uint8_t(p[i])) == AsciiLower(uint8_t(n[j])))) {
      ++i;
      ++j;
    } else if (i < p.size() && p[i] == '*') {
      star = i++;
      mark = j;
    } else if (star != std::string_view::npos) {
      i = star + 1;
      j = ++mark;
    } else {
      return false;
    }
  }
  while (i < p.size() && p[i] == '*') ++i;
  return i == p.size();
}

bool HasWildcard(Val name) { return TextFindAnyOf(name, "*?"_v, kPlain) != kNone; }

}  // namespace

bool WildcardMatch(Val pattern, Val name) {
  std::string_view p = pattern.sv(), n = name.sv();
  if (Match(p, n)) return true;
  // "NAME.*" also matches a name without extension, as "*.*" matches every name.
  return p.size() >= 2 && p.substr(p.size() - 2) == ".*" &&
         n.find('.') == std::string_view::npos && Match(p.substr(0, p.size() - 2), n);
}

Status FolderChange(Val path) {
  std::string host;
  if (Status st = HostPath(path, &host)) return st;
  return g_files.fs->ChangeDir(host);
}

Status FolderMake(Val path) {
  std::string host;
  if (Status st = HostPath(path, &host)) return st;
  return g_files.fs->MakeDir(host);
}

Status FolderCreatePath(Val path) {
  ScratchScope scope;
  if (PathPart(path, kPartFolder | kPartName).empty()) return ErrReport(kDataError, path, false);
  FsStat st;
  if (StatOf(path, &st) == kOk) return st.is_dir ? kOk : kFileExists;
  Status made = FolderMake(path);
  if (made != kFileNotFound) return made;
  // A parent is missing: make it first. Each parent is shorter, so this ends.
  Val parent = PathPart(path, kPartDir);
  if (parent.empty() || parent.len >= path.len) return made;
  if (Status up = FolderCreatePath(parent)) return up;
  return FolderMake(path);
}

Val FolderCurrent() {
  std::string host;
  if (g_files.fs->CurrentDir(&host)) return Val();
  return EnginePath(host);
}

Val FileList(Val pattern) {
  if (!pattern.ok()) return pattern;
  ScratchScope scope;
  Val folder = PathPart(pattern, kPartDir);
  Val mask = ValOr(PathPart(pattern, kPartFile), "*"_v);
  std::string dir = ".";
  if (!folder.empty())
    if (Status st = HostPath(folder, &dir)) return scope.Return(ValError(st));
  std::vector<std::string> names;
  if (g_files.fs->List(dir, &names)) return scope.Return(ValError(kFileNotFound));
  std::vector<std::string> hits;
  for (const std::string& n : names) {
    std::string c = HostNameToCp1252(n);
    if (WildcardMatch(mask, ValOf(c))) hits.push_back(std::move(c));
  }
  if (hits.empty()) return scope.Return(ValError(kFileNotFound));
  std::sort(hits.begin(), hits.end(), NameLessNoCase);
  std::string out;
  for (const std::string& h : hits) {
    if (!out.empty()) out += '\0';
    out += h;
  }
  return scope.Return(ValOf(out));
}

Status FileFind(Val path) {
  ScratchScope scope;
  if (HasWildcard(PathPart(path, kPartFile))) return ValCheck(FileList(path));
  return PathExists(path) ? kOk : kFileNotFound;
}

bool PathExists(Val path) {
  FsStat st;
  return StatOf(path, &st) == kOk;
}

Status FileSizeOf(Val path, uint64_t* size) {
  FsStat st;
  *size = 0;
  if (Status s = StatOf(path, &st)) return s;
  *size = st.size;
  return kOk;
}

Val FileTimeText(Val path, int which, int form) {
  FsStat st;
  if (StatOf(path, &st)) return Val();
  time_t t = which == 1 ? st.accessed : which == 0 && st.created ? st.created : st.written;
  struct tm tm;
  if (!localtime_r(&t, &tm)) return Val();
  if (form == 1) return ValFormat(16, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
  return ValFormat(16, "%04d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

uint32_t FileAttributes(Val path) {
  FsStat st;
  if (StatOf(path, &st)) return kNoAttributes;
  ScratchScope scope;
  Val name = PathPart(path, kPartFile);
  uint32_t a = st.is_dir ? kAttrFolder : kAttrArchive;
  if (!st.writable) a |= kAttrReadOnly;
  if (name.len && name.ptr[0] == '.') a |= kAttrHidden;
  return a;
}

}  // namespace orv
