// Memory blocks and append buffers: the engine's few long-lived allocations.
//
// Each block is tagged with the error area that owns it and guarded by the four bytes
// 00 21 21 00 written right after its requested size, so that an overrun is caught when the
// block is released and a block left live at shutdown names the area that leaked it.
#ifndef ORVALE_CORE_BLOCK_H
#define ORVALE_CORE_BLOCK_H

#include <cstdint>

#include "core/val.h"

namespace orv {

inline constexpr uint16_t kDefaultBlockCapacity = 64;
// Passed as the fill byte: leave the new bytes undefined.
inline constexpr int kNoFill = 0xFF;

struct BlockEntry {
  uint16_t area = 0;
  uint32_t size = 0;
  char* ptr = nullptr;  // null when the handle is free
};

struct BlockTable {
  BlockEntry* entries = nullptr;
  uint16_t capacity = 0;
  uint16_t live = 0;
};

// A block of `size` bytes owned by `area`, filled with `fill` unless it is kNoFill.
// Null when no handle is free or memory is exhausted; the live count changes only on success.
void* BlockAlloc(uint16_t area, uint32_t size, int fill);
// 0; 154 when `p` is not a live block; 180 when its guard bytes were overwritten and 141 when
// it belongs to another area (in both cases the block stays allocated).
Status BlockFree(uint16_t area, void* p);
// A new block of `new_size` holding the first `used` bytes of `old`, which is released.
// Null (and `old` untouched) when `used` does not fit or no block is available.
void* BlockResize(uint16_t area, void* old, uint32_t used, uint32_t new_size);
// The area tag of the highest live handle, 0 when none is live.
uint16_t BlockHighestLiveArea();

// A growing record in one memory block. Once its status is non-zero every append fails.
struct AppendBuf {
  char* ptr = nullptr;
  uint16_t used = 0;
  uint16_t capacity = 0;
  Status status = 0;
};

// Gives `buf` a block of `capacity` bytes; status 145 when none was available.
AppendBuf BufInit(uint16_t area, uint16_t capacity);
// Appends `n` bytes of `data` (or reserves them when data is null), first aligning the used
// length to 4 when `align` is set. The address of the bytes, or null when the buffer lacks
// room (its status becomes 168) or already failed.
char* BufAppend(AppendBuf* buf, const void* data, uint16_t n, bool align);
// Releases the buffer's block.
Status BufFree(uint16_t area, AppendBuf* buf);

}  // namespace orv

#endif  // ORVALE_CORE_BLOCK_H
