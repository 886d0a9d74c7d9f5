// The save pipeline and the maintenance save.
#include "data/save.h"

#include <string>
#include <vector>

#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/commands.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/fields.h"
#include "data/relations.h"
#include "data/relup.h"
#include "data/state.h"

namespace orv {

namespace {

// The journal of the writes of one pipeline, installed for as long as it lives.
class Journal {
 public:
  Journal() : outer_(g_data.journal) { g_data.journal = &notes_; }
  ~Journal() { g_data.journal = outer_; }
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;
  std::string Text() const {
    std::string out;
    for (const std::string& n : notes_) out += (out.empty() ? "" : "; ") + n;
    return out.empty() ? "none" : out;
  }

 private:
  std::vector<std::string> notes_;
  std::vector<std::string>* outer_;
};

// The value of the key check expression over the current record.
Status CheckValue(Val key_check, std::string* out) {
  ScratchScope scope;
  Val v;
  bool numeric = false;
  if (Status st = g_data.hooks.evaluate(key_check, &v, &numeric)) return st;
  *out = std::string(numeric ? "N" : "T") + (v.ok() ? v.str() : "");
  return kOk;
}

bool Key1Exists(uint16_t n) {
  ScratchScope scope;
  std::vector<int32_t> recs;
  return DataFileKeyRun(n, 1, DataFileKeyValue(n, 1, kCurrent), 1, &recs) == kOk && !recs.empty();
}

// The updates of the record as it was read (`old`), taken back.
Status TakeBack(uint16_t n, const std::vector<char>& old, Val list) {
  if (list.empty()) return kOk;
  ScratchScope scope;
  DataFileSnapshot keep;
  if (Status st = DataFileSaveState(n, &keep)) return st;
  DataFileSetRecord(n, ValMake(old.data(), old.size()));
  DataFileKeep(n, 1);
  Status st = RelationUpdatesRun(n, list, -1);
  DataFileRestoreState(n, keep);
  return st;
}

// A failed update: the record's key joins the detail text, the writes made go to the log.
Status Failed(uint16_t n, const std::vector<char>& record, Status st, const Journal& journal) {
  ScratchScope scope;
  const KeyDef* kd;
  std::string key;
  if (DictKey(n, 1, &kd) == kOk && record.size() == DictRecordLength(n)) {
    std::vector<char> k(kd->length);
    MakeKey(*kd, record.data(), k.data());
    key = TextTrim(ValMake(k.data(), k.size()), kTrimBoth).str();
  }
  const std::string& name = DictFile(n).name;
  DataLog(ValOf(name + ": the relational updates of the record with key '" + key +
                "' stopped with status " + std::to_string(st) + "; writes made: " +
                journal.Text()));
  return ErrReport(st,
                   ValOf(name + ": relational updates of the record with key '" + key +
                         "' not completed; the writes made are in the trace log"),
                   true);
}

}  // namespace

Status DataFileKeyVoid(uint16_t file, Val key_check, bool* is_void) {
  *is_void = false;
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  uint16_t n = DataFileNumber(file);
  {
    ScratchScope scope;
    Val key = DataFileKeyValue(n, 1, kCurrent);
    if ((st = ValCheck(key))) return st;
    if (TextTrim(key, kTrimBoth).empty()) {
      *is_void = true;
      return kOk;
    }
  }
  if (TextTrim(key_check, kTrimBoth).empty()) return kOk;
  // The check over an all-blank record, then over the record itself.
  std::vector<char> rec(f->current(), f->current() + f->record_len());
  std::string blank_value, value;
  std::fill(f->current(), f->current() + f->record_len(), ' ');
  st = CheckValue(key_check, &blank_value);
  std::copy(rec.begin(), rec.end(), f->current());
  if (st || (st = CheckValue(key_check, &value))) return st;
  *is_void = blank_value == value;
  return kOk;
}

Status DataFileSave(uint16_t code, uint16_t file, Val option, Val key_check) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  uint16_t n = DataFileNumber(file);
  uint16_t mode = code & kSaveWrite;
  bool relations = !(code & kSaveNoRelations);
  DataFileSync sync(n);
  if ((st = sync.status())) return st;
  bool is_void = false;
  if (code & kSaveKeyCheck) {
    if ((st = DataFileKeyVoid(n, key_check, &is_void))) return st;
    if (!is_void && mode == kSaveInsert && !DataSysBits(sysvar::kUpStat, 64) && Key1Exists(n))
      return kBadKey;
  }
  bool writes = mode == kSaveUpdate ? DataFileChanged(n) && !is_void : mode == kSaveDelete;
  if (writes && DataFileStale(n)) return kRecordChanged;
  // The record as it was read, whose updates are taken back.
  std::vector<char> old(f->saved(), f->saved() + f->record_len());
  Journal journal;
  Status written = kOk;
  if (!is_void && (mode == kSaveInsert || mode == kSaveUpdate)) {
    written = mode == kSaveInsert ? DataFileInsert(n) : DataFileUpdate(n);
    if (written >= kSerious) return written;
    if (mode == kSaveInsert || writes) RelationJournal(n, mode == kSaveInsert ? "inserted" : "updated");
  }
  ScratchScope scope;
  Val list;
  if (relations) {
    list = RelationUpdates(n, option);
    if ((st = ValCheck(list))) return st;
  }
  if (code & kSaveTakeBack) {
    if (mode == kSaveDelete) {
      if ((st = DataFileDelete(n, code & 0x02))) return st;
      RelationJournal(n, "deleted");
    }
    // A write skipped for a void key has nothing to take back.
    if (relations && !(is_void && mode != kSaveDelete) && (st = TakeBack(n, old, list)))
      return Failed(n, old, st, journal);
  }
  if ((code & kSaveApply) && relations && !is_void) {
    if ((st = RelationUpdatesRun(n, list, +1))) {
      Val now = DataFileRecord(n, kCurrent);  // the updates may have closed the file
      return Failed(n, std::vector<char>(now.begin(), now.end()), st, journal);
    }
  }
  return written;
}

Status MaintenanceSave(uint16_t code, uint16_t file, Val option, Val key_check, Val saved) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  uint16_t n = DataFileNumber(file);
  {
    DataFileSync sync(n);
    if ((st = sync.status())) return st;
    if (f->last_status > kNotFound && (code & kSaveTakeBack)) {
      if (code & kSaveApply) code &= uint16_t(~kSaveTakeBack);
      else st = kBadKey;
    }
    bool unchanged_update =
        (code & (kSaveApply | kSaveTakeBack)) == (kSaveApply | kSaveTakeBack) && !DataFileChanged(n);
    if (!st && code >= kSaveApply && !unchanged_update)
      st = DataFileSave(code, n, option, key_check);
    Status rs = DataFileRefresh(n);
    if (!st) st = rs;
  }
  if (!st && !TextTrim(saved, kTrimBoth).empty()) st = DataExecute(saved);
  return st;
}

}  // namespace orv
