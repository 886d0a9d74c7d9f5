// Memory blocks with guard bytes and area tags, and append buffers built on them.
#include "core/block.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "core/runtime.h"
#include "core/scratch.h"
#include "core/status.h"

namespace orv {

namespace {

constexpr unsigned char kGuard[4] = {0x00, 0x21, 0x21, 0x00};

BlockEntry* FindBlock(const void* p) {
  BlockTable& t = g_rt.blocks;
  for (uint16_t i = 0; i < t.capacity; ++i)
    if (t.entries[i].ptr && t.entries[i].ptr == p) return &t.entries[i];
  return nullptr;
}

}  // namespace

void* BlockAlloc(uint16_t area, uint32_t size, int fill) {
  BlockTable& t = g_rt.blocks;
  assert(t.entries && "runtime not initialised");
  BlockEntry* e = nullptr;
  for (uint16_t i = 0; i < t.capacity && !e; ++i)
    if (!t.entries[i].ptr) e = &t.entries[i];
  if (!e) return nullptr;
  char* p = static_cast<char*>(malloc(size_t(size) + sizeof kGuard));
  if (!p) return nullptr;
  memcpy(p + size, kGuard, sizeof kGuard);
  if (fill != kNoFill) memset(p, fill, size);
  e->area = area;
  e->size = size;
  e->ptr = p;
  ++t.live;
  return p;
}

Status BlockFree(uint16_t area, void* p) {
  BlockEntry* e = p ? FindBlock(p) : nullptr;
  if (!e) return kMemoryAllocError;
  if (memcmp(e->ptr + e->size, kGuard, sizeof kGuard) != 0) return kMemoryOverflow;
  if (e->area != area) return kInternal;
  free(e->ptr);
  *e = BlockEntry{};
  --g_rt.blocks.live;
  return kOk;
}

void* BlockResize(uint16_t area, void* old, uint32_t used, uint32_t new_size) {
  if (used > new_size) return nullptr;
  BlockEntry* e = old ? FindBlock(old) : nullptr;
  if (old && (!e || used > e->size)) return nullptr;
  void* p = BlockAlloc(area, new_size, kNoFill);
  if (!p) return nullptr;
  if (old) {
    memcpy(p, old, used);
    BlockFree(area, old);
  }
  return p;
}

uint16_t BlockHighestLiveArea() {
  const BlockTable& t = g_rt.blocks;
  for (uint16_t i = t.capacity; i-- > 0;)
    if (t.entries[i].ptr) return t.entries[i].area;
  return 0;
}

AppendBuf BufInit(uint16_t area, uint16_t capacity) {
  AppendBuf b;
  b.ptr = static_cast<char*>(BlockAlloc(area, capacity, kNoFill));
  if (!b.ptr) {
    b.status = kOutOfMemory;
    return b;
  }
  b.capacity = capacity;
  return b;
}

char* BufAppend(AppendBuf* b, const void* data, uint16_t n, bool align) {
  if (b->status) return nullptr;
  uint32_t at = align ? Align4(b->used) : b->used;
  // Reserved bytes need room just as copied ones do.
  if (at + n > b->capacity) {
    b->status = kDataOutBound;
    return nullptr;
  }
  char* p = b->ptr + at;
  if (data) memcpy(p, data, n);
  b->used = static_cast<uint16_t>(at + n);
  return p;
}

Status BufFree(uint16_t area, AppendBuf* b) {
  Status st = b->ptr ? BlockFree(area, b->ptr) : kOk;
  if (st == kOk) *b = AppendBuf{};
  return st;
}

}  // namespace orv
