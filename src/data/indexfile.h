// The index file and the checks that tie it to its data file.
//
// Index file, little-endian 32-bit integers: F (free slots), N (live records), the F free
// slot numbers in the order they were freed, then for each of the K keys the N live record
// numbers in key order. Data file: headerless records of R bytes; a record whose first byte
// is 27 (ESC) is deleted. Every slot is either live (in every key order) or free (in the
// free list), so N + F is the number of slots.
#ifndef ORVALE_DATA_INDEXFILE_H
#define ORVALE_DATA_INDEXFILE_H

#include <cstdint>
#include <string>
#include <vector>

#include "core/fs.h"
#include "core/val.h"
#include "data/dict.h"
#include "data/keyorder.h"

namespace orv {

inline constexpr char kDeletedMark = 27;
// The most slots a data file can have: record numbers are signed 32-bit.
inline constexpr uint64_t kMaxSlots = 0x7FFFFFFF;

// The key bytes of a record: its key's parts, concatenated.
void MakeKey(const KeyDef& key, const char* record, char* out);
// 168 (with detail) when a part of a key reaches beyond the record.
Status CheckKeys(uint32_t record_len, const std::vector<KeyDef>& keys);

// What the data file holds: the number of whole slots, the bytes of a partial record at the
// end, which slots are deleted, and the key bytes of every slot for each key.
struct DataScan {
  uint64_t slots = 0;
  uint32_t tail = 0;
  std::vector<uint8_t> deleted;
  std::vector<std::vector<char>> keys;  // key k: slots * key length bytes
  const char* key(size_t k, uint32_t rec, uint16_t klen) const {
    return keys[k].data() + size_t(rec) * klen;
  }
};
// Reads the whole data file once. 136 when it cannot be read.
Status ScanData(Fs* fs, int fd, uint32_t record_len, const std::vector<KeyDef>& keys,
                DataScan* out);

// The contents of an index file.
struct IndexImage {
  uint32_t free_count = 0, live = 0;
  std::vector<uint32_t> free;
  std::vector<std::vector<uint32_t>> orders;
};
// Reads the index file at the host path. *missing when it does not exist (the image is then
// empty); otherwise the problems of its size and counts are added to `problems`, and the
// image is filled only when there are none. The status of a failing read.
Status ReadIndex(Fs* fs, const std::string& path, size_t key_count, IndexImage* image,
                 bool* missing, std::vector<std::string>* problems);
// F and N from the first 8 bytes of an index file; 130 when it is shorter.
Status ReadIndexCounts(Fs* fs, const std::string& path, uint32_t* free_count, uint32_t* live);
// Adds to `problems` every way in which the index fails to describe the data: counts,
// record numbers out of range or repeated, free slots not marked deleted, live slots
// marked deleted, key orders that are not permutations of the live slots or not sorted.
void VerifyIndex(const IndexImage& image, const DataScan& scan, const std::vector<KeyDef>& keys,
                 std::vector<std::string>* problems);
// The index of the data as scanned: every live slot in physical order sorted by each key
// (equal keys keep their physical order), the deleted slots free in ascending order.
IndexImage RebuildIndex(const DataScan& scan, const std::vector<KeyDef>& keys);

// Writes the index to the engine path atomically: a new file beside it, synced, renamed over
// it, the folder synced. On failure the old file is untouched.
Status WriteIndex(Val path, const std::vector<uint32_t>& free_list,
                  const std::vector<const KeyOrder*>& orders, uint32_t live);
Status WriteIndex(Val path, const IndexImage& image);

}  // namespace orv

#endif  // ORVALE_DATA_INDEXFILE_H
