// Path parts, joins and relative paths over engine path texts.
#include "core/paths.h"

#include <string>

#include "core/list.h"
#include "core/scratch.h"
#include "core/text.h"

namespace orv {

namespace {

struct Parts {
  Val drive, folder, name, ext;
  bool has_ext = false;
};

Parts Split(Val path) {
  Parts p;
  uint16_t colon = TextFindChar(path, ':', kPlain);
  uint32_t start = colon == kNone ? 0 : colon + 1u;
  p.drive = ValHead(path, start);
  uint16_t slash = TextFindLastChar(path, '\\', kPlain);
  uint16_t dot = TextFindLastChar(path, '.', kPlain);
  uint32_t name_at = start;
  if (slash != kNone && slash >= start) {
    // A path rooted at "\" keeps that "\" as its folder.
    uint32_t end = slash == start ? slash + 1u : slash;
    p.folder = Val(path.ptr + start, uint16_t(end - start));
    name_at = slash + 1u;
  }
  uint32_t name_end = path.len;
  if (dot != kNone && dot >= name_at) {
    p.has_ext = true;
    name_end = dot;
    p.ext = ValTail(path, dot);
  }
  p.name = Val(path.ptr + name_at, uint16_t(name_end - name_at));
  return p;
}

bool EndsWith(const std::string& s, char c) { return !s.empty() && s.back() == c; }

std::string Slashed(Val v) {
  std::string s = v.str();
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

// Whether `rel` starts with the component `comp` ("." or "..").
bool StartsWithComponent(Val rel, Val comp) {
  if (rel.len < comp.len || ValHead(rel, comp.len).sv() != comp.sv()) return false;
  return rel.len == comp.len || rel.ptr[comp.len] == '\\';
}

}  // namespace

Val PathPart(Val path, int flags) {
  if (!path.ok()) return path;
  ScratchScope scope;
  Parts p = Split(path);
  std::string out;
  if (flags & kPartDrive) out += p.drive.sv();
  if (flags & kPartFolder) out += p.folder.sv();
  if (flags & kPartName) {
    if (!out.empty() && !EndsWith(out, ':') && !EndsWith(out, '\\')) out += '\\';
    out += p.name.sv();
  }
  if ((flags & kPartExt) && p.has_ext) out += p.ext.sv();
  return scope.Return(ValOf(out));
}

Val PathJoin(Val folder, Val name) {
  if (!folder.ok()) return folder;
  if (!name.ok()) return name;
  ScratchScope scope;
  std::string f = Slashed(folder), n = Slashed(name);
  if (!f.empty() && !EndsWith(f, '\\') && !n.empty() && n[0] != '\\') f += '\\';
  return scope.Return(ValOf(f + n));
}

Val PathWithExt(Val name, Val ext) { return ValJoin(name, "."_v, ext); }

Val PathResolve(Val base, Val rel) {
  if (!base.ok()) return base;
  if (!rel.ok()) return rel;
  ScratchScope scope;
  while (StartsWithComponent(rel, ".."_v)) {
    base = PathPart(base, kPartDir);
    rel = ValTail(rel, 3);
  }
  Val joined = PathJoin(base, rel);
  while (joined.ok() && TextFindText(joined, "\\.\\"_v, kPlain) != kNone)
    joined = TextReplace(joined, "\\.\\"_v, "\\"_v, kPlain);
  return scope.Return(joined);
}

Val FileTypeExt(uint16_t n) { return ListField(kFileTypes, ',', n); }

Val PathTypeName(Val name, uint16_t n) { return PathWithExt(name, FileTypeExt(n)); }

Val DataFileExt(uint16_t n) {
  Val ext = ListField(kDataFileExts, ',', n & ~kExtLower);
  return (n & kExtLower) ? TextCase(ext, 0) : ext;
}

bool PathHasFolder(Val path) {
  ScratchScope scope;
  return !PathPart(path, kPartDir).empty();
}

}  // namespace orv
