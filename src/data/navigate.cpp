// Finds and moves in key order, scans, counts, and snapshots of a file's position.
#include <algorithm>
#include <cstring>

#include "core/scratch.h"
#include "core/status.h"
#include "data/datafile.h"
#include "data/fields.h"
#include "data/state.h"

namespace orv {

namespace {

void Blank(DataFile& f) {
  std::memset(f.buf.data(), ' ', f.buf.size());
  f.cur_rec = -1;
}

// Reads the record at rank `pos` of the current key into both halves.
Status ReadRank(DataFile& f, int64_t pos) {
  uint32_t rec = f.store->order(size_t(f.current_key - 1)).At(size_t(pos)).rec;
  if (Status st = f.store->Read(rec, f.current())) return st;
  std::memcpy(f.saved(), f.current(), f.record_len());
  f.cur_rec = rec;
  return kOk;
}

// Whether `key` lies beyond `last` in the direction of the move (over last's length).
bool Beyond(Val key, Val last, bool backward) {
  if (last.empty()) return false;
  int c = std::memcmp(key.ptr, last.ptr, std::min(key.len, last.len));
  if (c == 0 && key.len < last.len) c = -1;
  return backward ? c < 0 : c > 0;
}

}  // namespace

Status DataFileFind(uint16_t file, int key, Val value, int flags) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  if (!value.ok()) return ValCheck(value);
  if (!f->store->has_index()) return kEndOfFile;
  const KeyDef* kd;
  if ((st = DictKey(DataFileNumber(file), key, &kd))) return st;
  f->current_key = uint16_t(key);
  const KeyOrder& order = f->store->order(size_t(key - 1));
  Val v = ValHead(value.empty() ? " "_v : value, order.key_len());
  size_t n = order.size();
  size_t lo = order.LowerBound(v.ptr, v.len);
  bool read = false;
  if (lo < n && std::memcmp(order.At(lo).key, v.ptr, v.len) == 0) {
    st = kFound;
    read = true;
  } else if (lo < n) {
    st = kNotFound;
    read = (flags & kFindNext) != 0;
  } else {
    st = kEndOfFile;
  }
  f->pos = int64_t(lo);
  if (read) {
    if (Status rs = ReadRank(*f, f->pos)) return rs;
  } else if (flags & kFindBlank) {
    Blank(*f);
    if (Status ks = DataFileStoreKey(file, key, v)) return ks;
    std::memcpy(f->saved(), f->current(), f->record_len());
  }
  f->last_status = st;
  return st;
}

Status DataFileMove(uint16_t file, int flags) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  if (flags & kMoveBlank) {
    Blank(*f);
    return f->last_status = kBlankRecord;
  }
  int64_t n = f->store->has_index() ? int64_t(f->store->live()) : 0;
  if (n == 0) {
    Blank(*f);
    f->pos = 0;
    return f->last_status = kEndOfFile;
  }
  int64_t p = f->pos;
  switch (flags & kMoveDirection) {
    case kMoveFirst: p = 0; break;
    case kMoveLast: p = n - 1; break;
    case kMovePrevious: p = f->pos - 1; break;
    case kMoveNext: p = f->pos + 1; break;
    default: break;
  }
  st = kFound;
  if (p < 0) {
    p = 0;
    st = kNotFound;
  } else if (p >= n) {
    p = n - 1;
    st = kEndOfFile;
  }
  f->pos = p;
  if (st == kFound || (st == kNotFound && (flags & kMoveReadEdge))) {
    if (Status rs = ReadRank(*f, p)) return rs;
  } else {
    Blank(*f);
  }
  return f->last_status = st;
}

Status DataFileScan(uint16_t file, int flags, Val condition, Val last, ScanProgress progress) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  bool backward = (flags & kMoveBackward) != 0;
  bool first = !(flags & 0x80) && f->cur_rec >= 0;
  // Bounded by the records there are, so a condition that changes the file cannot loop.
  for (uint64_t guard = 0; guard <= uint64_t(f->store->live()) + 1; ++guard) {
    if (!first) {
      st = DataFileMove(file, flags & kMoveDirection);
      if (st != kFound) return st >= kCancelled ? st : Status(kEndOfFile);
    }
    first = false;
    ScratchScope scope;
    Val key = DataFileKeyValue(file, f->current_key, kCurrent);
    if (!key.ok()) return ValCheck(key);
    if (Beyond(key, last, backward)) return kEndOfFile;
    if (progress && progress(key) == kCancelled) return kCancelled;
    st = g_data.hooks.condition(condition);
    if (st >= kCancelled) return st;
    if (st) return kFound;
  }
  return kEndOfFile;
}

Status DataFileCount(uint16_t file, Val from, Val to, Val condition, uint32_t* count) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  *count = 0;
  if (!f->store->has_index()) {
    *count = uint32_t(f->store->slots());
    return kOk;
  }
  const KeyOrder& order = f->store->order(size_t(f->current_key - 1));
  Val lo_v = ValHead(from, order.key_len());
  Val hi_v = ValHead(to, order.key_len());
  size_t lo = lo_v.empty() ? 0 : order.LowerBound(lo_v.ptr, lo_v.len);
  size_t hi = hi_v.empty() ? order.size() : order.UpperBound(hi_v.ptr, hi_v.len);
  if (hi <= lo) return kOk;
  if (condition.empty()) {
    *count = uint32_t(hi - lo);
    return kOk;
  }
  DataFileSnapshot keep;
  DataFileSaveState(file, &keep);
  for (size_t r = lo; r < hi && r < order.size(); ++r) {
    if ((st = ReadRank(*f, int64_t(r)))) break;
    st = g_data.hooks.condition(condition);
    if (st >= kCancelled) break;
    if (st) ++*count;
    st = kOk;
  }
  DataFileRestoreState(file, keep);
  return st;
}

Status DataFileKeyRun(uint16_t file, int key, Val value, size_t max, std::vector<int32_t>* recs) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  recs->clear();
  if (!value.ok()) return ValCheck(value);
  const KeyDef* kd;
  if ((st = DictKey(DataFileNumber(file), key, &kd))) return st;
  if (!f->store->has_index()) return kOk;
  const KeyOrder& order = f->store->order(size_t(key - 1));
  Val v = ValHead(value, order.key_len());
  size_t hi = order.UpperBound(v.ptr, v.len);
  for (size_t r = order.LowerBound(v.ptr, v.len); r < hi && recs->size() < max; ++r)
    recs->push_back(int32_t(order.At(r).rec));
  return kOk;
}

Status DataFileSaveState(uint16_t file, DataFileSnapshot* out) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  out->file = DataFileNumber(file);
  out->current_key = f->current_key;
  out->last_status = f->last_status;
  out->pos = f->pos;
  out->cur_rec = f->cur_rec;
  out->buf = f->buf;
  return kOk;
}

Status DataFileRestoreState(uint16_t file, const DataFileSnapshot& s) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  if (s.buf.size() != f->buf.size()) return kDataOutBound;
  f->current_key = s.current_key;
  f->last_status = s.last_status;
  f->buf = s.buf;
  f->pos = s.pos;
  f->cur_rec = s.cur_rec >= 0 && f->store->IsLive(uint32_t(s.cur_rec)) ? s.cur_rec : -1;
  if (f->cur_rec >= 0 && f->store->has_index()) {
    std::vector<char> rec(f->record_len());
    if (f->store->Read(uint32_t(f->cur_rec), rec.data()) == kOk) {
      size_t rank = f->store->RankOf(size_t(f->current_key - 1), uint32_t(f->cur_rec), rec.data());
      if (rank != KeyOrder::kNotFound) f->pos = int64_t(rank);
    }
  }
  return kOk;
}

}  // namespace orv
