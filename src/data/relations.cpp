// Relations: lookup of the partner's key and the actions on the partner record.
#include "data/relations.h"

#include <string>
#include <vector>

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/fields.h"
#include "data/state.h"

namespace orv {

namespace {

constexpr Val kSeparators = " :&/"_v;

// The position of `entry` where an entry of the relation text starts, kNone when none.
uint16_t EntryAt(Val text, Val entry) {
  for (uint32_t from = 0; from < text.len;) {
    uint16_t p = TextFindText(ValTail(text, from), entry, kQuoteAware);
    if (p == kNone) return kNone;
    uint16_t pos = uint16_t(from + p);
    if (pos == 0 || CharInSet(kSeparators, text.ptr[pos - 1])) return pos;
    from = pos + 1u;
  }
  return kNone;
}

// A number written as the key's first field holds it, when that field is numeric.
Val KeyForm(uint16_t target, int key, Val value) {
  std::vector<uint16_t> fields;
  if (DictKeyFields(target, key, &fields) || fields.empty()) return value;
  const FieldDef& fd = DictFile(target).fields[fields[0] - 1u];
  if (!CharInSet(kNumericTypes, fd.type)) return value;
  Val out;
  if (g_data.hooks.format(fd.type, fd.length, value, &out)) return value;
  return out;
}

// Reads the partner after (or before, with PgUp as the last key) the one found, going on
// while the condition is false when `filtered`; clears the browse bit of _SCRSTAT.
Status Browse(uint16_t t, bool filtered, Val condition) {
  int dir = DataSys(sysvar::kLastKey) == 23 ? kMovePrevious : kMoveNext;
  Status st = DataFileMove(t, dir);
  Status err;
  DataFile* f = DataFileOpened(t, &err);
  for (uint64_t guard = f ? f->store->live() : 0; filtered && st == kFound && guard > 0; --guard) {
    Status c = g_data.hooks.condition(condition);
    if (c >= kCancelled) return c;
    if (c) break;
    st = DataFileMove(t, dir);
  }
  DataSysSet(sysvar::kRelRes, kRelResBrowsed);
  DataSysSet(sysvar::kScrStat, DataSys(sysvar::kScrStat) & ~64);
  return st;
}

// Prepares a blank record carrying the key value, evaluates the assignments over it and
// inserts it.
Status Create(uint16_t t, int key, Val value, Val assignments) {
  DataSysSet(sysvar::kRelRes, kRelResCreated);
  if (Status st = DataFileBlank(t, 1)) return st;
  if (Status st = DataFileStoreKey(t, key, value)) return st;
  if (Status st = DataExecute(assignments)) return st;
  Status st = DataFileInsert(t);
  if (st < kSerious) RelationJournal(t, "inserted");
  return st;
}

// Evaluates the assignments over the partner in the buffer and writes it back.
Status Update(uint16_t t, Val assignments) {
  if (Status st = DataExecute(assignments)) return st;
  bool changed = DataFileChanged(t);
  Status st = DataFileUpdate(t);
  if (!st && changed) RelationJournal(t, "updated");
  return st;
}

// Every partner with the key value is updated (_UPSTAT bit 32); the first is created when
// there is none and kRelCreate is set.
Status ApplyAll(uint16_t t, int key, Val value, int flags, Val assignments) {
  std::vector<int32_t> recs;
  if (Status st = DataFileKeyRun(t, key, value, ~size_t(0), &recs)) return st;
  if (recs.empty()) {
    Status st = DataFileFind(t, key, value, flags & (kRelBlank | kRelNext));
    if (st >= kSerious || !(flags & kRelCreate)) return st;
    return Create(t, key, value, assignments);
  }
  Status st = kOk;
  for (int32_t rec : recs) {
    if ((st = DataFileReadAt(t, rec, kCurrentAndSaved))) return st;
    if (flags & kRelNoUpdate) continue;
    if ((st = Update(t, assignments))) return st;
  }
  return st;
}

}  // namespace

Status RelationLookup(uint16_t file, uint16_t target, uint16_t relation, int* key, Val* value) {
  *key = 0;
  *value = Val();
  uint16_t n = DataFileNumber(file);
  if (!n) return DictCheckField(file, -1);
  ScratchScope scope;
  Val text = DictRelationText(n);
  Val entry = ValFormat(24, "%uR%uK", unsigned(target), unsigned(relation));
  uint16_t at = EntryAt(text, entry);
  if (at == kNone) {
    return ErrReport(kDataError,
                     ValFormat(64, "no relation %u from file %u to file %u", unsigned(relation),
                               unsigned(n), unsigned(target)),
                     false);
  }
  Val digits = ValTail(text, at + entry.len);
  uint16_t len = 0;
  while (len < digits.len && digits.at(len) >= '0' && digits.at(len) <= '9') ++len;
  *key = TextToInt(ValHead(digits, len));
  Val name = ValConcat(entry, ValHead(digits, len));
  Val expr = TextKeyValue(text, name, kKeyUnquote);
  Val v;
  bool numeric = false;
  {
    CurrentFileScope current(n);
    if (Status st = g_data.hooks.evaluate(expr, &v, &numeric)) return st;
  }
  if (!v.ok()) v = Val();
  uint16_t t = DataFileNumber(target);
  if (numeric && !v.empty() && t && *key >= 1 && *key <= DictKeyCount(t)) v = KeyForm(t, *key, v);
  *value = scope.Return(v);
  return ValCheck(*value);
}

Status RelationApply(uint16_t file, uint16_t target, uint16_t relation, int flags,
                     Val assignments) {
  DataSysSet(sysvar::kRelRes, kRelResUpdated);
  uint16_t t = DataFileNumber(target);
  if (!t) return DictCheckField(target, -1);
  ScratchScope scope;
  int key = 0;
  Val value;
  if (Status st = RelationLookup(file, t, relation, &key, &value)) return st;
  if (value.empty()) return kOk;
  bool browsing = DataSysBits(sysvar::kScrStat, 64);
  if (TextTrim(value, kTrimBoth).empty() && !browsing) flags &= ~kRelNext;
  bool del = (flags & kRelDelete) == kRelDelete;
  // The partner is read and written in one turn, so no other program's change of it in
  // between is lost.
  DataFileSync sync(t);
  if (Status st = sync.status()) return st;
  if (DataSysBits(sysvar::kUpStat, 32) && !del) return ApplyAll(t, key, value, flags, assignments);
  Status st = DataFileFind(t, key, value, flags & (kRelBlank | kRelNext));
  if (st >= kSerious) return st;
  bool found = st == kFound;
  if (del) {
    if (!found) return st;
    DataSysSet(sysvar::kRelRes, kRelResDeleted);
    Status ds = DataFileDelete(t, 0);
    if (!ds) RelationJournal(t, "deleted");
    return ds;
  }
  if (!(flags & kRelNoUpdate)) {
    if (!found && (flags & kRelCreate)) {
      if ((st = Create(t, key, value, assignments)) >= kCancelled) return st;
    } else if (found && !assignments.empty()) {
      if ((st = Update(t, assignments))) return st;
    }
  }
  if (st <= kEndOfFile && (flags & kRelNext) && browsing)
    st = Browse(t, (flags & kRelNoUpdate) != 0, assignments);
  return st;
}

void RelationJournal(uint16_t file, const char* what) {
  if (!g_data.journal) return;
  uint16_t n = DataFileNumber(file);
  if (!n) return;
  // The saved half holds the record written, or the one deleted.
  ScratchScope scope;
  Val key = TextTrim(DataFileKeyValue(n, 1, kSaved), kTrimBoth);
  g_data.journal->push_back(DictFile(n).name + " " + what + " '" + key.str() + "'");
}

}  // namespace orv
