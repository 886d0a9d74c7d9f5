// Sorted lists (SORT$): lists of fixed-length entries kept in key order, referred to by a
// handle that applications keep in a text variable.
//
// A handle is a 24-character text: "SORT", the list's table index (4 hex digits), the
// generation the list was made with (12 hex digits) and the current position (4 hex
// digits, FFFF for none). The entries and their lengths live only in the table, so a
// forged, stale or killed handle is refused (135, VARHANDLEERROR) and can never reach
// memory that is not the list's; only the position travels with the handle, which the
// caller stores back after each ADD and MOVE.
#ifndef ORVALE_EXPR_SORTLIST_H
#define ORVALE_EXPR_SORTLIST_H

#include <cstdint>
#include <vector>

#include "core/val.h"

namespace orv {

inline constexpr uint16_t kSortHandleLen = 24;
inline constexpr uint16_t kMaxSortLists = 1024;
// The largest number of entries and of bytes one list may hold.
inline constexpr uint32_t kMaxSortEntries = 65534;
inline constexpr uint32_t kMaxSortBytes = 16u << 20;

// List flags.
enum : int { kSortUnique = 1, kSortDescending = 2, kSortNulItems = 64, kSortTrimItems = 128 };

struct SortList {
  bool live = false;
  uint64_t generation = 0;
  uint16_t key_len = 0;
  uint16_t entry_len = 0;
  int flags = 0;
  std::vector<char> entries;  // count * entry_len bytes, in key order
  uint32_t count() const { return entry_len ? uint32_t(entries.size() / entry_len) : 0; }
};

struct SortTable {
  std::vector<SortList> lists;
  uint64_t next_generation = 1;
};

}  // namespace orv

#endif  // ORVALE_EXPR_SORTLIST_H
