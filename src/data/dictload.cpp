// Loading the dictionary files: the line grammar, includes and default keys.
//
// Each line starts with a two-digit number N: 01-30 a file line (it holds "*") or a field
// line, 31-60 a key line and 61-90 a relation line for file N - 30 (N - 60) + base, above 90
// ignored. A file line whose folder holds "$" includes another application's dictionary.
#include <cstring>
#include <string>
#include <vector>

#include "core/appfolders.h"
#include "core/files.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/dict.h"
#include "data/dictparse.h"
#include "data/state.h"

namespace orv {

namespace {

// Includes nested deeper than this are taken for a loop.
constexpr int kMaxIncludeDepth = 8;

enum class LineKind { kNone, kFileOrField, kKeyOrRelation };

struct Loader {
  Val folders;
  std::vector<std::string> open_prefixes;  // applications being loaded, outermost first
};

Status LoadApplication(Loader& ld, Val prefix);

// The bad-line status with "file line n: text" as detail.
Status BadLine(Status st, Val path, int number, Val line) {
  ScratchScope scope;
  Val where = ValFormat(uint16_t(path.len + 32), "%.*s line %d: ", int(path.len), path.ptr, number);
  return ErrReport(st, ValConcat(where, line), false);
}

bool AllDigits(Val v) {
  if (v.empty()) return false;
  for (uint16_t i = 0; i < v.len; ++i)
    if (v.at(i) < '0' || v.at(i) > '9') return false;
  return true;
}

Status FileLine(Loader& ld, Val line, uint16_t* base) {
  Val folder = TextTrim(ListField(line, '*', 2), kTrimEnd);
  Val third = ListField(line, '*', 3);
  if (TextFindChar(folder, '$', kPlain) != kNone) {
    Val prefix = ValSub(third, 2, 2);
    if (prefix.len != 2) return kSyntaxError;
    if (Status st = LoadApplication(ld, prefix)) return st;
    *base = uint16_t(DictFileCount() ? DictFileCount() - 1 : 0);
    return kOk;
  }
  Val name = TextTrim(ValTail(third, 2), kTrimEnd);
  if (third.len < 2 || name.empty()) return kSyntaxError;
  if (DictFileCount() >= kMaxFiles) return kFileOutBound;
  FileDef f;
  f.name = DataSysBits(sysvar::kAuxStat, 8) ? name.str() : TextCase(name, 0).str();
  f.folder = folder.str();
  g_data.dict.files.push_back(std::move(f));
  return kOk;
}

Status FieldLine(Val line) {
  // Columns 9-11 length, 13 type, 14 on the name.
  if (line.len < 14) return kSyntaxError;
  Val len_text = TextTrim(ValSub(line, 9, 3), kTrimStart);
  if (!AllDigits(len_text)) return kSyntaxError;
  if (DictFileCount() == 0) return kFileOutBound;
  FileDef& f = g_data.dict.files.back();
  FieldDef fd;
  fd.length = uint16_t(TextToInt(len_text));
  fd.type = line.ptr[13];
  fd.name = TextTrim(ValTail(line, 14), kTrimEnd).str();
  if (f.record_length + fd.length > kMaxValLen) return kDataOutBound;
  fd.offset = uint16_t(f.record_length);
  f.record_length += fd.length;
  f.fields.push_back(std::move(fd));
  return kOk;
}

Status KeyLine(Val line, uint16_t file) {
  if (file > DictFileCount()) return kDataError;
  for (uint16_t k = 1; k < file; ++k) DictDefaultKey(k);
  KeyDef key;
  uint16_t lt = TextFindChar(line, '<', kPlain);
  if (lt != kNone) {
    if (Status st = ParseKeyGroups(ValTail(TextTrim(line, kTrimEnd), lt + 1u), &key)) return st;
  }
  g_data.dict.files[file - 1].keys.push_back(std::move(key));
  return kOk;
}

Status RelationLine(Val line, uint16_t file) {
  if (file > DictFileCount()) return kBadFileNumber;
  uint16_t colon = TextFindChar(line, ':', kPlain);
  if (colon == kNone) return kOk;
  std::string& rel = g_data.dict.files[file - 1].relations;
  if (!rel.empty()) rel += ':';
  rel.append(ValTail(line, colon + 1u).sv());
  return kOk;
}

// Reads one dictionary file whose key and relation lines count files from base + 1;
// *last tells the kind of its last line.
Status LoadFile(Loader& ld, Val path, uint16_t base, LineKind* last) {
  uint16_t fd = FileOpen(path, kOpenReadOnly | kOpenQuiet);
  if (fd >= kSerious) return ErrReport(fd, path, false);
  FileCloser closer(fd);
  char buf[kMaxDictLine];
  for (int number = 1;; ++number) {
    size_t len = 0;
    Status st = FileReadLine(fd, buf, sizeof buf, &len);
    if (st == kNone) return kOk;
    if (st) return BadLine(st, path, number, ValMake(buf, std::min(len, sizeof buf)));
    Val line = ValMake(buf, len);
    if (TextTrim(line, kTrimBoth).empty()) continue;
    Val head = ValHead(line, 2);
    if (head.len < 2 || !AllDigits(head)) return BadLine(kSyntaxError, path, number, line);
    int n = TextToInt(head);
    if (n > 90) continue;
    if (n == 0) return BadLine(kSyntaxError, path, number, line);
    if (n <= 30) {
      st = TextFindChar(line, '*', kPlain) != kNone ? FileLine(ld, line, &base) : FieldLine(line);
      *last = LineKind::kFileOrField;
    } else if (n <= 60) {
      st = KeyLine(line, uint16_t(n - 30 + base));
      *last = LineKind::kKeyOrRelation;
    } else {
      st = RelationLine(line, uint16_t(n - 60 + base));
      *last = LineKind::kKeyOrRelation;
    }
    // An include reports its own failing line; keep that detail.
    if (st && ErrDetail().empty()) return BadLine(st, path, number, line);
    if (st) return st;
  }
}

// Loads prefix + DICC.DAT (required) and prefix + REL.DAT (optional).
Status LoadApplication(Loader& ld, Val prefix) {
  for (const std::string& p : ld.open_prefixes) {
    if (p == prefix.sv() || ld.open_prefixes.size() >= kMaxIncludeDepth) {
      ScratchScope scope;
      return ErrReport(kDataError, ValConcat("Dictionary include loop: "_v, prefix), false);
    }
  }
  ld.open_prefixes.push_back(prefix.str());
  // An application's key and relation lines number its own files from 1, whatever was
  // defined before its dictionary was included.
  uint16_t base = DictFileCount();
  ScratchScope scope;
  for (uint16_t which = 1; which <= 2; ++which) {
    Val name = ValConcat(prefix, ListField(kDictFileNames, ',', which));
    Val path = FindInFolders(ld.folders, name);
    if (!path.ok()) return ValCheck(path);
    if (path.empty()) {
      if (which == 2) break;
      Val detail = ValFormat(uint16_t(name.len + ld.folders.len + 32), "%.*s (folders: %.*s)",
                             int(name.len), name.ptr, int(ld.folders.len), ld.folders.ptr);
      return ErrReport(kFileNotFound, detail, false);
    }
    LineKind last = LineKind::kNone;
    ErrReport(0, Val(), false);
    if (Status st = LoadFile(ld, path, base, &last)) return st;
    // A dictionary that ends with file or field lines gives every file without a key its
    // default key; one that ends with keys leaves the rest to the lines that follow.
    if (which == 1 && last == LineKind::kFileOrField)
      for (uint16_t f = 1; f <= DictFileCount(); ++f) DictDefaultKey(f);
  }
  ld.open_prefixes.pop_back();
  return kOk;
}

}  // namespace

void DictDefaultKey(uint16_t file) {
  FileDef& f = g_data.dict.files[file - 1];
  if (!f.keys.empty()) return;
  const FieldDef* end_field = nullptr;
  for (const FieldDef& fd : f.fields)
    if (fd.name == "N_LINE") end_field = &fd;
  if (!end_field && !f.fields.empty()) end_field = &f.fields[0];
  KeyDef key;
  key.parts.push_back(KeyPart{0, end_field ? end_field->end() : uint16_t(0)});
  key.length = key.parts[0].length;
  f.keys.push_back(std::move(key));
}

Status ParseKeyGroups(Val groups, KeyDef* key) {
  key->parts.clear();
  key->length = 0;
  uint16_t pos = 0;
  // Groups of seven digits, read while they start before the text's last character.
  while (pos + 1 < groups.len && key->parts.size() < kMaxKeyParts) {
    Val g = ValSub(groups, int16_t(pos), 7);
    if (g.len < 7 || !AllDigits(g)) return kSyntaxError;
    int start = TextToInt(ValHead(g, 4));
    int len = TextToInt(ValTail(g, 4));
    if (start < 1) return kSyntaxError;
    key->parts.push_back(KeyPart{uint16_t(start - 1), uint16_t(len)});
    key->length = uint16_t(key->length + len);
    pos = uint16_t(pos + 7);
  }
  return kOk;
}

Status DictLoadMore(Val name) {
  Dictionary& d = g_data.dict;
  if (d.levels.size() >= kMaxStructLevels) return kDataOutBound;
  ScratchScope scope;
  Val folders = ValOf(d.folders);
  Val path = FindInFolders(folders, name);
  if (Status st = ValCheck(path)) return st;
  if (path.empty()) return ErrReport(kFileNotFound, name, false);
  uint16_t depth = uint16_t(d.levels.size());
  d.levels.push_back(Dictionary::Level{DictFileCount(), DataSys(sysvar::kCurFil)});
  Loader ld{folders, {d.prefix}};
  LineKind last = LineKind::kNone;
  ErrReport(0, Val(), false);
  Status st = LoadFile(ld, path, DictFileCount(), &last);
  if (st) {
    DictStructTrim(depth);
    return st;
  }
  for (uint16_t f = 1; f <= DictFileCount(); ++f) DictDefaultKey(f);
  return kOk;
}

Status DictLoad(Val folders, Val prefix, Val default_folder) {
  if (!prefix.ok() || !folders.ok() || !default_folder.ok()) return kDataError;
  DictClear();
  g_data.dict.default_folder = default_folder.str();
  g_data.dict.folders = folders.str();
  g_data.dict.prefix = prefix.str();
  Loader ld{folders, {}};
  Status st = LoadApplication(ld, prefix);
  if (st) return st;
  // Every file ends up with a key, whatever kind of line the dictionary ended with.
  for (uint16_t f = 1; f <= DictFileCount(); ++f) DictDefaultKey(f);
  return kOk;
}

}  // namespace orv
