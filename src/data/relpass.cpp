// Relational update passes.
#include "data/relpass.h"

#include <algorithm>
#include <cstring>

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/fields.h"
#include "data/relup.h"
#include "data/state.h"

namespace orv {

namespace {

// A file number given by an expression; 0 when it names no file.
uint16_t FileOf(Val expr) {
  ScratchScope scope;
  Val v;
  bool numeric = false;
  if (g_data.hooks.evaluate(TextTrim(expr, kTrimBoth), &v, &numeric) || !v.ok()) return 0;
  int n = TextToInt(v);
  return n >= 1 && n <= DictFileCount() ? uint16_t(n) : 0;
}

// Whether a key value lies beyond `to` (compared over the length of `to`).
bool Beyond(Val key, Val to) {
  if (to.empty()) return false;
  int c = std::memcmp(key.ptr, to.ptr, std::min(key.len, to.len));
  return c > 0;
}

// Both conditions over the current record: 1, 0, or a status of 122 or more.
Status Wanted(const PassRange& range) {
  Status st = g_data.hooks.condition(range.condition);
  if (st != 1) return st;
  return g_data.hooks.condition(range.read_condition);
}

// Evaluates the update list over every record of the range: the list `options` give, or
// with none each record's default.
Status Visit(uint16_t n, Val options, const PassRange& range) {
  Status st;
  DataFile* f = DataFileOpened(n, &st);
  const KeyDef* kd;
  if ((st = DictKey(n, range.key, &kd))) return st;
  ScratchScope scope;
  Val list;
  if (!options.empty()) {
    list = RelationUpdates(n, options);
    if ((st = ValCheck(list))) return st;
    if (list.empty()) return ErrReport(kDataError, "No RELOPT defined"_v, false);
  }
  if (range.from.empty()) {
    f->current_key = uint16_t(range.key);
    st = DataFileMove(n, kMoveFirst);
  } else {
    st = DataFileFind(n, range.key, range.from, kFindNext);
  }
  // Bounded by the records there are, whatever the updates do.
  uint64_t live = f->store->live();
  for (uint64_t seen = 0; st <= kNotFound && f->cur_rec >= 0 && seen <= live; ++seen) {
    ScratchScope each;
    if (Beyond(DataFileKeyValue(n, range.key, kCurrent), range.to)) return kOk;
    st = Wanted(range);
    if (st >= kCancelled) return st;
    if (st == 1) {
      Val updates = options.empty() ? RelationUpdates(n, Val()) : list;
      if ((st = ValCheck(updates)) || (st = RelationUpdatesRun(n, updates, +1))) return st;
    }
    st = DataFileMove(n, kMoveNext);
  }
  return st >= kSerious ? st : kOk;
}

}  // namespace

Status RelationalUpdatePass(uint16_t target, Val item, const PassRange& range) {
  Status st;
  if (!DataFileOpened(target, &st)) return st;
  ScratchScope scope;
  uint16_t n = FileOf(ListField(item, ',', 1));
  if (!n) return ErrReport(kFileOutBound, item, false);
  Val options = TextTranslate(ListField(item, ',', 2), ";"_v, ","_v);
  bool opened_here = !DataFileOpened(n, &st);
  if (opened_here && (st = DataFileOpen(n, kModeReadOnly))) return st;
  DataFileSnapshot keep;
  if (!opened_here) DataFileSaveState(n, &keep);
  uint16_t depth = RelationsDepth();
  st = RelationsLoad(n, Val());
  if (!st && RelationsHighest(n) < 0) st = ErrReport(kDataError, "No RELOPT defined"_v, false);
  if (!st) st = Visit(n, options, range);
  RelationsUnload(n, depth);
  if (opened_here) DataFileClose(n);
  else DataFileRestoreState(n, keep);
  return st;
}

Status RelationalUpdatePasses(const std::vector<std::string>& steps, Val reset, Val structure,
                              const PassRange& range) {
  uint16_t levels = DictStructDepth();
  Status st = kOk;
  uint16_t t = FileOf(reset);
  if (!t && !TextTrim(structure, kTrimBoth).empty()) {
    if ((st = DictLoadMore(TextTrim(structure, kTrimBoth)))) return st;
    t = FileOf(reset);
  }
  if (!t) st = ErrReport(kFileOutBound, reset, false);
  Status closed;
  bool opened_here = t && !DataFileOpened(t, &closed);
  if (opened_here) {
    int16_t upstat = DataSys(sysvar::kUpStat);
    DataSysSet(sysvar::kUpStat, upstat | 2);
    st = DataFileOpen(t, 0);
    DataSysSet(sysvar::kUpStat, upstat);
  }
  for (size_t i = 0; !st && i < steps.size(); ++i) {
    ScratchScope scope;
    st = RelationalUpdatePass(t, ValOf(steps[i]), range);
  }
  if (opened_here) DataFileClose(t);
  DictStructTrim(levels);
  return st;
}

}  // namespace orv
