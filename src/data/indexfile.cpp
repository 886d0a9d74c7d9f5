// Reading, checking, rebuilding and writing index files.
#include "data/indexfile.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <numeric>

#include "core/replacer.h"
#include "core/scratch.h"
#include "core/status.h"

namespace orv {

namespace {

// Bytes read from the data file at a time (rounded down to whole records).
constexpr size_t kScanChunk = 4 << 20;
// Record numbers written to the index file at a time.
constexpr size_t kWriteChunk = 64 << 10;

uint32_t Le32(const char* p) {
  const auto* b = reinterpret_cast<const uint8_t*>(p);
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void PutLe32(char* p, uint32_t v) {
  p[0] = char(v);
  p[1] = char(v >> 8);
  p[2] = char(v >> 16);
  p[3] = char(v >> 24);
}

std::string Num(uint64_t v) { return std::to_string(v); }

}  // namespace

void MakeKey(const KeyDef& key, const char* record, char* out) {
  for (const KeyPart& p : key.parts) {
    std::memcpy(out, record + p.offset, p.length);
    out += p.length;
  }
}

Status CheckKeys(uint32_t record_len, const std::vector<KeyDef>& keys) {
  for (size_t k = 0; k < keys.size(); ++k) {
    for (const KeyPart& p : keys[k].parts) {
      if (uint32_t(p.offset) + p.length > record_len) {
        ScratchScope scope;
        Val d = ValFormat(96, "key %u reaches byte %u of a record of %u bytes", unsigned(k + 1),
                          unsigned(p.offset + p.length), unsigned(record_len));
        return ErrReport(kDataOutBound, d, false);
      }
    }
  }
  return kOk;
}

Status ScanData(Fs* fs, int fd, uint32_t record_len, const std::vector<KeyDef>& keys,
                DataScan* out) {
  uint64_t size = 0;
  if (Status st = fs->Size(fd, &size)) return st;
  out->slots = record_len ? size / record_len : 0;
  out->tail = record_len ? uint32_t(size % record_len) : 0;
  if (out->slots > kMaxSlots) return kDataOutBound;
  out->deleted.assign(out->slots, 0);
  out->keys.assign(keys.size(), {});
  for (size_t k = 0; k < keys.size(); ++k) out->keys[k].resize(out->slots * keys[k].length);
  size_t per_chunk = std::max<size_t>(1, kScanChunk / std::max<uint32_t>(record_len, 1));
  std::vector<char> buf(per_chunk * record_len);
  for (uint64_t first = 0; first < out->slots; first += per_chunk) {
    size_t n = size_t(std::min<uint64_t>(per_chunk, out->slots - first));
    size_t got = 0;
    Status st = fs->ReadAt(fd, first * record_len, buf.data(), n * record_len, &got);
    if (st) return st;
    if (got != n * record_len) return kReadError;
    for (size_t i = 0; i < n; ++i) {
      const char* rec = buf.data() + i * record_len;
      uint64_t slot = first + i;
      out->deleted[slot] = rec[0] == kDeletedMark;
      for (size_t k = 0; k < keys.size(); ++k)
        MakeKey(keys[k], rec, out->keys[k].data() + slot * keys[k].length);
    }
  }
  return kOk;
}

Status ReadIndexCounts(Fs* fs, const std::string& path, uint32_t* free_count, uint32_t* live) {
  FsFile f(fs);
  if (Status st = f.Open(path, kFsRead)) return st;
  char head[8];
  size_t got = 0;
  if (Status st = fs->ReadAt(f.fd(), 0, head, 8, &got)) return st;
  if (got != 8) return kDiskIo;
  *free_count = Le32(head);
  *live = Le32(head + 4);
  return kOk;
}

Status ReadIndex(Fs* fs, const std::string& path, size_t key_count, IndexImage* image,
                 bool* missing, std::vector<std::string>* problems) {
  *image = IndexImage();
  *missing = false;
  FsFile f(fs);
  Status st = f.Open(path, kFsRead);
  if (st == kFileNotFound) {
    *missing = true;
    return kOk;
  }
  if (st) return st;
  uint64_t size = 0;
  if ((st = fs->Size(f.fd(), &size))) return st;
  if (size < 8) {
    problems->push_back("index file of " + Num(size) + " bytes is truncated (less than 8)");
    return kOk;
  }
  char head[8];
  size_t got = 0;
  if ((st = fs->ReadAt(f.fd(), 0, head, 8, &got))) return st;
  if (got != 8) return kDiskIo;
  uint32_t fcount = Le32(head), live = Le32(head + 4);
  if (fcount > kMaxSlots || live > kMaxSlots) {
    problems->push_back("index counts F=" + Num(fcount) + " N=" + Num(live) + " are negative");
    return kOk;
  }
  uint64_t expect = 8 + 4 * (uint64_t(fcount) + uint64_t(live) * key_count);
  if (size != expect) {
    problems->push_back("index file has " + Num(size) + " bytes but F=" + Num(fcount) +
                        " and N=" + Num(live) + " with " + Num(key_count) + " keys need " +
                        Num(expect) + " (truncated or wrong counts)");
    return kOk;
  }
  std::vector<char> bytes(size_t(size - 8));
  if ((st = fs->ReadAt(f.fd(), 8, bytes.data(), bytes.size(), &got))) return st;
  if (got != bytes.size()) return kDiskIo;
  image->free_count = fcount;
  image->live = live;
  const char* p = bytes.data();
  image->free.resize(fcount);
  for (uint32_t i = 0; i < fcount; ++i, p += 4) image->free[i] = Le32(p);
  image->orders.assign(key_count, std::vector<uint32_t>(live));
  for (size_t k = 0; k < key_count; ++k)
    for (uint32_t i = 0; i < live; ++i, p += 4) image->orders[k][i] = Le32(p);
  return kOk;
}

void VerifyIndex(const IndexImage& image, const DataScan& scan, const std::vector<KeyDef>& keys,
                 std::vector<std::string>* problems) {
  // Reported problems of one kind, beyond which only a count is given.
  constexpr int kShow = 5;
  if (scan.tail)
    problems->push_back("data file ends in a partial record of " + Num(scan.tail) + " bytes");
  if (uint64_t(image.live) + image.free_count != scan.slots) {
    problems->push_back("N + F = " + Num(uint64_t(image.live) + image.free_count) +
                        " but the data file holds " + Num(scan.slots) + " records");
    return;
  }
  // 1: in the free list; 2 + k: seen in key k's order.
  std::vector<uint16_t> seen(scan.slots, 0);
  int shown = 0;
  auto bad = [&](const std::string& what) {
    if (shown++ < kShow) problems->push_back(what);
  };
  for (uint32_t r : image.free) {
    if (r >= scan.slots) bad("free list holds record " + Num(r) + " beyond the data file");
    else if (seen[r]) bad("free list holds record " + Num(r) + " twice");
    else if (!scan.deleted[r]) bad("free record " + Num(r) + " is not marked deleted");
    if (r < scan.slots) seen[r] = 1;
  }
  for (size_t k = 0; k < image.orders.size(); ++k) {
    const std::vector<uint32_t>& order = image.orders[k];
    uint16_t klen = keys[k].length;
    std::string key_name = "key " + Num(k + 1) + " ";
    for (size_t i = 0; i < order.size(); ++i) {
      uint32_t r = order[i];
      if (r >= scan.slots) {
        bad(key_name + "holds record " + Num(r) + " beyond the data file");
        continue;
      }
      if (seen[r] == 1) bad(key_name + "holds free record " + Num(r));
      else if (seen[r] == 2 + k) bad(key_name + "holds record " + Num(r) + " twice");
      else if (scan.deleted[r]) bad(key_name + "holds record " + Num(r) + " marked deleted");
      if (seen[r] != 1) seen[r] = uint16_t(2 + k);
      if (i > 0 && order[i - 1] < scan.slots &&
          std::memcmp(scan.key(k, order[i - 1], klen), scan.key(k, r, klen), klen) > 0)
        bad(key_name + "is out of order at position " + Num(i));
    }
  }
  if (shown > kShow) problems->push_back("and " + Num(shown - kShow) + " more problems");
}

IndexImage RebuildIndex(const DataScan& scan, const std::vector<KeyDef>& keys) {
  IndexImage image;
  std::vector<uint32_t> live;
  for (uint32_t r = 0; r < scan.slots; ++r) {
    if (scan.deleted[r]) image.free.push_back(r);
    else live.push_back(r);
  }
  image.free_count = uint32_t(image.free.size());
  image.live = uint32_t(live.size());
  image.orders.resize(keys.size());
  for (size_t k = 0; k < keys.size(); ++k) {
    std::vector<uint32_t>& order = image.orders[k];
    order = live;
    uint16_t klen = keys[k].length;
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
      return std::memcmp(scan.key(k, a, klen), scan.key(k, b, klen), klen) < 0;
    });
  }
  return image;
}

namespace {

// Writes F, N, the free list, and for each key what each_key(k, put) puts.
template <class EachKey>
Status WriteIndexWith(Val path, const std::vector<uint32_t>& free_list, uint32_t live,
                      size_t key_count, EachKey each_key) {
  FileReplacer out;
  if (Status st = out.Begin(path)) return st;
  std::vector<char> buf;
  buf.reserve(kWriteChunk * 4 + 8);
  auto put = [&](uint32_t v) {
    size_t at = buf.size();
    buf.resize(at + 4);
    PutLe32(buf.data() + at, v);
    if (buf.size() >= kWriteChunk * 4) {
      out.Write(buf.data(), buf.size());
      buf.clear();
    }
  };
  put(uint32_t(free_list.size()));
  put(live);
  for (uint32_t r : free_list) put(r);
  for (size_t k = 0; k < key_count; ++k) each_key(k, put);
  out.Write(buf.data(), buf.size());
  return out.Commit();
}

}  // namespace

Status WriteIndex(Val path, const std::vector<uint32_t>& free_list,
                  const std::vector<const KeyOrder*>& orders, uint32_t live) {
  return WriteIndexWith(path, free_list, live, orders.size(), [&](size_t k, auto& put) {
    assert(orders[k]->size() == live);
    orders[k]->ForEach(put);
  });
}

Status WriteIndex(Val path, const IndexImage& image) {
  return WriteIndexWith(path, image.free, image.live, image.orders.size(), [&](size_t k, auto& put) {
    for (uint32_t r : image.orders[k]) put(r);
  });
}

}  // namespace orv
