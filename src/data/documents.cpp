// Documents: line keys, writing a line, deleting a document.
#include "data/documents.h"

#include <vector>

#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/commands.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/fields.h"
#include "data/save.h"
#include "data/state.h"

namespace orv {

namespace {

constexpr Val kLineField = "N_LINE"_v;

// The field N_LINE, when key 1 ends with it; null otherwise.
const FieldDef* LineField(uint16_t n) {
  int fno = DictFieldByName(n, kLineField);
  const KeyDef* kd;
  if (fno < 0 || DictKey(n, 1, &kd)) return nullptr;
  const FieldDef& fd = DictFile(n).fields[size_t(fno - 1)];
  const KeyPart& last = kd->parts.back();
  return last.offset + last.length == fd.end() && kd->length >= fd.length ? &fd : nullptr;
}

}  // namespace

Val DocumentLineKey(uint16_t file, Val document, int line) {
  uint16_t n = DataFileNumber(file);
  const FieldDef* fd = n ? LineField(n) : nullptr;
  if (!fd) return ValError(kDataError);
  ScratchScope scope;
  uint16_t head_len = uint16_t(DictKeyLength(n, 1, 0) - fd->length);
  Val head = ValHead(document, head_len);
  if (head.len < head_len) head = ValConcat(head, ValRepeat(" "_v, uint16_t(head_len - head.len)));
  Val number = line ? ValFormat(16, "%d", line) : Val();
  Val tail;
  if (Status st = g_data.hooks.format('N', fd->length, number, &tail)) return ValError(st);
  return scope.Return(ValConcat(head, tail));
}

Status DocumentSaveLine(uint16_t file, int line, Val option) {
  uint16_t n = DataFileNumber(file);
  int fno = n ? DictFieldByName(n, kLineField) : -1;
  if (fno < 0) return n ? kDataError : DictCheckField(file, -1);
  ScratchScope scope;
  Val number = line ? ValFormat(16, "%d", line) : Val();
  if (Status st = DataFileWriteField(n, fno, number)) return st;
  return DataFileSave(kSaveInsert, n, option, Val());
}

Status DocumentDelete(uint16_t file, Val document, Val option) {
  uint16_t n = DataFileNumber(file);
  if (!n) return DictCheckField(file, -1);
  // An empty document key would be a prefix of every record.
  if (TextTrim(document, kTrimBoth).empty()) return DataFileRefused(kDataError, n, "no document key");
  DataFileSync sync(n);
  if (Status st = sync.status()) return st;
  std::vector<int32_t> recs;
  if (Status st = DataFileKeyRun(n, 1, document, ~size_t(0), &recs)) return st;
  for (int32_t rec : recs) {
    if (Status st = DataFileReadAt(n, rec, kCurrentAndSaved)) return st;
    if (Status st = DataFileSave(kSaveDelete, n, option, Val())) return st;
  }
  return DataFileRefresh(n);
}

}  // namespace orv
