// Structures: data files added to the dictionary at run time, on a stack of levels.
#include <string>

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/dictparse.h"
#include "data/state.h"

namespace orv {

namespace {

Dictionary& D() { return g_data.dict; }

// Removes the files added after the top level and returns to its counts and current file.
void PopLevel() {
  Dictionary::Level top = D().levels.back();
  D().levels.pop_back();
  DataFilesDrop(top.files);
  D().files.resize(top.files);
  DataSysSet(sysvar::kCurFil, top.current);
}

Status AddFields(FileDef* f, Val list) {
  ScratchScope scope;
  for (uint16_t i = 1, n = ListCount(list, ','); i <= n; ++i) {
    Val item = ListField(list, ',', i);
    if (TextTrim(item, kTrimBoth).empty()) continue;
    Val len_text;
    bool numeric = false;
    if (Status st = g_data.hooks.evaluate(ListField(item, ';', 2), &len_text, &numeric)) {
      if (st >= kSerious) return st;
    }
    int len = TextToInt(len_text);
    if (len < 0 || f->record_length + uint32_t(len) > kMaxValLen) return kDataOutBound;
    FieldDef fd;
    fd.name = TextTrim(ListField(item, ';', 1), kTrimBoth).str();
    Val type = TextTrim(ListField(item, ';', 3), kTrimBoth);
    fd.type = type.empty() ? 'A' : type.ptr[0];
    fd.length = uint16_t(len);
    fd.offset = uint16_t(f->record_length);
    f->record_length += uint32_t(len);
    f->fields.push_back(std::move(fd));
  }
  return kOk;
}

Status AddKeys(FileDef* f, Val list) {
  for (uint16_t i = 1, n = ListCount(list, ','); i <= n; ++i) {
    Val item = TextTrim(ListField(list, ',', i), kTrimBoth);
    if (item.empty()) continue;
    KeyDef key;
    // The groups of a key line, with or without the "<" in front.
    if (item.ptr[0] == '<') item = ValTail(item, 1);
    if (Status st = ParseKeyGroups(item, &key)) return st;
    f->keys.push_back(std::move(key));
  }
  return kOk;
}

}  // namespace

Status DictStructDefine(Val name, Val fields, Val keys) {
  if (!name.ok() || !fields.ok() || !keys.ok()) return kDataError;
  if (name.sv() == "RESTORE") {
    if (D().levels.empty()) {
      DataFilesDrop(0);
      D().files.clear();
      return kOk;
    }
    PopLevel();
    return kOk;
  }
  if (D().levels.size() >= kMaxStructLevels) return kDataOutBound;
  if (D().files.size() >= kMaxFiles) return kFileOutBound;
  D().levels.push_back(Dictionary::Level{DictFileCount(), DataSys(sysvar::kCurFil)});
  FileDef f;
  {
    ScratchScope scope;
    f.name = DataSysBits(sysvar::kAuxStat, 8) ? name.str() : TextCase(name, 0).str();
  }
  Status st = AddFields(&f, fields);
  if (!st) st = AddKeys(&f, keys);
  if (st) {
    D().levels.pop_back();
    ScratchScope scope;
    return ErrReport(st, ValConcat("Structure "_v, name), false);
  }
  D().files.push_back(std::move(f));
  DictDefaultKey(DictFileCount());
  DataSysSet(sysvar::kCurFil, DictFileCount());
  return kOk;
}

uint16_t DictStructDepth() { return uint16_t(D().levels.size()); }

Status DictStructTrim(uint16_t depth) {
  while (D().levels.size() > depth) PopLevel();
  return kOk;
}

}  // namespace orv
