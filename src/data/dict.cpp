// Dictionary lookups: files, fields, keys, companion-file paths and field references.
#include "data/dict.h"

#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/tempfiles.h"
#include "core/text.h"
#include "data/state.h"

namespace orv {

namespace {

Dictionary& D() { return g_data.dict; }

bool FileDefined(uint16_t file) { return file >= 1 && file <= D().files.size(); }

Status OutOfBound(uint16_t file, int item) {
  ScratchScope scope;
  return ErrReport(kDataOutBound, ValFormat(64, "(File:%u, Field:%d)", unsigned(file), item),
                   false);
}

}  // namespace

void DictClear() {
  D().files.clear();
  D().levels.clear();
  D().default_folder.clear();
  D().folders.clear();
  D().prefix.clear();
}

uint16_t DictFileCount() { return uint16_t(D().files.size()); }

const FileDef& DictFile(uint16_t file) { return D().files[file - 1]; }

Status DictCheckField(uint16_t file, int field) {
  if (!FileDefined(file)) return OutOfBound(file, field);
  if (field == -1) return kOk;
  if (field < 1 || size_t(field) > DictFile(file).fields.size()) return OutOfBound(file, field);
  return kOk;
}

uint16_t DictFileByName(Val name) {
  if (!name.ok()) return 0;
  if (name.empty()) {
    int16_t cur = DataSys(sysvar::kCurFil);
    return FileDefined(uint16_t(cur)) ? uint16_t(cur) : 0;
  }
  ScratchScope scope;
  Val wanted = DataSysBits(sysvar::kAuxStat, 8) ? name : TextCase(name, 0);
  for (size_t i = 0; i < D().files.size(); ++i)
    if (D().files[i].name == wanted.sv()) return uint16_t(i + 1);
  return 0;
}

Val DictFileNames() {
  std::string out;
  for (const FileDef& f : D().files) {
    if (!out.empty() || &f != &D().files[0]) out += ',';
    out += f.name;
  }
  return ValCopy(ValOf(out));
}

Val DictFilePath(uint16_t file, int kind) {
  if (!FileDefined(file)) return ValError(kDataOutBound);
  ScratchScope scope;
  const FileDef& f = DictFile(file);
  if (kind == kPathTemp) {
    Val path = TempPath(Val());
    if (path.ok()) g_data.temp_names.push_back(path.str());
    return scope.Return(path);
  }
  Val name = ValOf(f.name);
  if (DataSysBits(sysvar::kCompat, 8)) name = ValHead(name, 8);
  if (kind == kPathLock) return scope.Return(name);
  if (kind < kPathData || kind > kPathText) return scope.Return(ValError(kDataOutBound));
  int ext = kind;
  if (kind == kPathIndex && DataSysBits(sysvar::kCompat, 2)) ext = 4;
  Val folder = ValOf(f.folder.empty() ? D().default_folder : f.folder);
  return scope.Return(PathJoin(folder, PathWithExt(name, DataFileExt(uint16_t(ext)))));
}

uint16_t DictFieldCount(uint16_t file) {
  return FileDefined(file) ? uint16_t(DictFile(file).fields.size()) : 0;
}

uint32_t DictRecordLength(uint16_t file) {
  return FileDefined(file) ? DictFile(file).record_length : 0;
}

uint16_t DictKeyCount(uint16_t file) {
  return FileDefined(file) ? uint16_t(DictFile(file).keys.size()) : 0;
}

Status DictField(uint16_t file, int field, const FieldDef** out) {
  if (Status st = DictCheckField(file, field < 1 ? 0 : field)) return st;
  *out = &DictFile(file).fields[size_t(field - 1)];
  return kOk;
}

Val DictFieldName(uint16_t file, int field) {
  const FieldDef* f;
  if (Status st = DictField(file, field, &f)) return ValError(st);
  return ValOf(f->name);
}

int DictFieldByName(uint16_t file, Val name) {
  if (!FileDefined(file) || !name.ok()) return -1;
  const std::vector<FieldDef>& fields = DictFile(file).fields;
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i].name == name.sv()) return int(i + 1);
  return -1;
}

Val DictFieldRef(uint16_t file, int field) {
  Val name = DictFieldName(file, field);
  if (!name.ok()) return name;
  return ValFormat(uint16_t(name.len + 16), "%.*s{%u}", int(name.len), name.ptr, unsigned(file));
}

Status DictKey(uint16_t file, int key, const KeyDef** out) {
  if (!FileDefined(file) || key < 1 || size_t(key) > DictFile(file).keys.size()) {
    ScratchScope scope;
    return ErrReport(kDataOutBound, ValFormat(64, "(File:%u, Key:%d)", unsigned(file), key),
                     false);
  }
  *out = &DictFile(file).keys[size_t(key - 1)];
  return kOk;
}

uint16_t DictKeyLength(uint16_t file, int key, int parts) {
  const KeyDef* k;
  if (DictKey(file, key, &k)) return 0;
  if (parts <= 0 || size_t(parts) > k->parts.size()) return k->length;
  uint16_t len = 0;
  for (int i = 0; i < parts; ++i) len = uint16_t(len + k->parts[size_t(i)].length);
  return len;
}

Status DictKeyFields(uint16_t file, int key, std::vector<uint16_t>* fields) {
  const KeyDef* k;
  if (Status st = DictKey(file, key, &k)) return st;
  fields->clear();
  if (k->parts.empty()) {
    fields->push_back(1);
    return kOk;
  }
  const std::vector<FieldDef>& defs = DictFile(file).fields;
  for (const KeyPart& p : k->parts) {
    size_t i = 0;
    while (i < defs.size() && defs[i].end() <= p.offset) ++i;
    if (i == defs.size()) {
      ScratchScope scope;
      return ErrReport(kInternal, ValFormat(64, "(File:%u, Key:%d)", unsigned(file), key), false);
    }
    fields->push_back(uint16_t(i + 1));
  }
  return kOk;
}

uint16_t DictKeyByFirstField(uint16_t file, int field) {
  std::vector<uint16_t> fields;
  for (uint16_t k = 1; k <= DictKeyCount(file); ++k)
    if (!DictKeyFields(file, k, &fields) && fields[0] == field) return k;
  return 0;
}

int DictDateKey(uint16_t file) {
  std::vector<uint16_t> fields;
  for (uint16_t k = 1; k <= DictKeyCount(file); ++k) {
    if (DictKeyFields(file, k, &fields)) continue;
    if (DictFile(file).fields[fields[0] - 1].type == 'D') return k;
  }
  return -1;
}

Val DictRelationText(uint16_t file) {
  return FileDefined(file) ? ValOf(DictFile(file).relations) : Val();
}

Status ParseFieldRef(Val text, uint16_t* file, uint16_t* field) {
  if (!text.ok()) return ValCheck(text);
  uint16_t open = TextFindChar(text, '{', kPlain);
  auto syntax = [&] {
    ScratchScope scope;
    return ErrReport(kSyntaxError, ValConcat("Field:"_v, text), false);
  };
  if (open == kNone || text.len < 2 || text.ptr[text.len - 1] != '}') return syntax();
  Val name = ValHead(text, open);
  Val ftext = ValSub(text, int16_t(open + 1), uint16_t(text.len - open - 2));
  uint16_t f;
  if (ftext.empty() || ftext.at(0) > 64) {
    f = DictFileByName(ftext);
  } else {
    int16_t n = TextToInt(ftext);
    f = n > 0 ? uint16_t(n) : 0;
  }
  if (f == 0 || f > DictFileCount()) {
    ScratchScope scope;
    return ErrReport(kFileOutBound, ValConcat("Field:"_v, text), false);
  }
  int n = DictFieldByName(f, name);
  if (n < 0) n = TextToInt(name);
  if (n == 0) return syntax();
  if (Status st = DictCheckField(f, n)) return st;
  *file = f;
  *field = uint16_t(n);
  return kOk;
}

}  // namespace orv
