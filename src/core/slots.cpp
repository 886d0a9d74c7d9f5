// The text slot store: item counts, slot lengths and packed texts in one block.
#include "core/slots.h"

#include <cassert>
#include <cstring>
#include <string>

#include "core/block.h"
#include "core/runtime.h"
#include "core/status.h"

namespace orv {

namespace {

constexpr uint32_t kTextsOffset = (kSlotGroups + kSlotMax) * 2;

uint16_t* Counts() { return reinterpret_cast<uint16_t*>(g_rt.slots.block); }
uint16_t* Lens() { return Counts() + kSlotGroups; }
char* Texts() { return g_rt.slots.block + kTextsOffset; }

bool IsQueue(uint16_t group) { return group == kSlotGroupQueueLines || group == kSlotGroupQueue2; }

uint32_t FirstIndex(uint16_t group) {
  uint32_t n = 0;
  for (uint16_t g = 0; g < group; ++g) n += Counts()[g];
  return n;
}

uint32_t TextOffset(uint32_t index) {
  uint32_t off = 0;
  for (uint32_t i = 0; i < index; ++i) off += Lens()[i];
  return off;
}

Status Fail(Status code) {
  ErrRecord(1, kAreaStringAssign, kLoadStrError, 0);
  return code;
}

}  // namespace

Status SlotInit() {
  void* p = BlockAlloc(kAreaStringInit, kSlotStoreSize, 0);
  if (!p) return kOutOfMemory;
  g_rt.slots = SlotStore{static_cast<char*>(p), 0, 0};
  return kOk;
}

void SlotDestroy() {
  if (g_rt.slots.block) BlockFree(kAreaStringInit, g_rt.slots.block);
  g_rt.slots = SlotStore{};
}

Status SlotSet(uint16_t group, uint16_t item, Val text) {
  assert(g_rt.slots.block && "runtime not initialised");
  if (Status st = ValCheck(text)) return Fail(st);
  if (group >= kSlotGroups) {
    ErrRecord(1, kAreaDynStrings, kStrOutBound, 0);
    return Fail(kStrOutBound);
  }
  SlotStore& s = g_rt.slots;
  uint32_t first = FirstIndex(group);
  uint32_t index = first + item;
  if (index >= kSlotMax) {
    ErrRecord(1, kAreaDynStrings, kStrOutBound, 0);
    return Fail(kStrOutBound);
  }
  uint16_t count = Counts()[group];
  uint32_t grow = item >= count ? uint32_t(item) + 1 - count : 0;
  if (s.total + grow >= kSlotMax) return Fail(kStrOutBound);
  uint32_t old_len = grow ? 0 : Lens()[index];
  if (s.used + text.len - old_len >= kSlotTextRoom) return Fail(kStrOutBound);

  // A source inside the store would move under our feet: take a copy first.
  std::string copy;
  if (text.ptr >= s.block && text.ptr < s.block + kSlotStoreSize) {
    copy.assign(text.ptr, text.len);
    text = Val(copy.data(), text.len);
  }
  if (grow) {
    uint32_t at = first + count;
    memmove(Lens() + at + grow, Lens() + at, (s.total - at) * sizeof(uint16_t));
    memset(Lens() + at, 0, grow * sizeof(uint16_t));
    Counts()[group] = static_cast<uint16_t>(count + grow);
    s.total = static_cast<uint16_t>(s.total + grow);
  }
  uint32_t off = TextOffset(index);
  char* t = Texts();
  memmove(t + off + text.len, t + off + old_len, s.used - off - old_len);
  memcpy(t + off, text.ptr, text.len);
  Lens()[index] = text.len;
  s.used = s.used + text.len - old_len;
  return kOk;
}

Val SlotGet(uint16_t group, uint16_t item) {
  if (group >= kSlotGroups || item >= Counts()[group]) return Val();
  uint32_t index = FirstIndex(group) + item;
  return Val(Texts() + TextOffset(index), Lens()[index]);
}

Status SlotDelete(uint16_t group, uint16_t item) {
  if (group >= kSlotGroups) return kStrOutBound;
  uint16_t count = Counts()[group];
  if (item >= count) return kOk;
  SlotStore& s = g_rt.slots;
  uint32_t index = FirstIndex(group) + item;
  uint32_t off = TextOffset(index);
  uint16_t len = Lens()[index];
  char* t = Texts();
  memmove(t + off, t + off + len, s.used - off - len);
  memmove(Lens() + index, Lens() + index + 1, (s.total - index - 1) * sizeof(uint16_t));
  Lens()[s.total - 1] = 0;
  Counts()[group] = count - 1;
  --s.total;
  s.used -= len;
  return kOk;
}

Status SlotClear(uint16_t group) {
  if (group >= kSlotGroups) return kStrOutBound;
  for (uint16_t n = Counts()[group]; n > 0; --n) SlotDelete(group, n - 1);
  return kOk;
}

Val SlotLast(uint16_t group) {
  uint16_t n = SlotCount(group);
  if (!n) return Val();
  return SlotGet(group, IsQueue(group) ? 0 : n - 1);
}

uint16_t SlotCount(uint16_t group) { return group < kSlotGroups ? Counts()[group] : 0; }

Status SlotPush(uint16_t group, Val text) { return SlotSet(group, SlotCount(group), text); }

Status SlotPop(uint16_t group) {
  uint16_t n = SlotCount(group);
  if (!n) return kOk;
  return SlotDelete(group, IsQueue(group) ? 0 : n - 1);
}

Status SlotTrim(uint16_t group, uint16_t n) {
  while (SlotCount(group) > n)
    if (Status st = SlotPop(group)) return st;
  return kOk;
}

}  // namespace orv
