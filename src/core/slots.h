// The text slot store: the engine's one store of short named texts.
//
// One block of 65535 bytes holds the item counts of 39 groups, the lengths of up to 2048
// slots and the texts of all slots packed in slot order. A slot is addressed by (group, item);
// its index is the total of the item counts of the lower groups plus the item. Groups 0..36
// work as stacks (push, last and pop act on the newest item), groups 37 and 38 as first-in
// first-out queues (push appends, last and pop act on the oldest).
//
// Fixed slots: (0, 4) the language code; (9, 9) the detail text.
#ifndef ORVALE_CORE_SLOTS_H
#define ORVALE_CORE_SLOTS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

inline constexpr uint16_t kSlotGroups = 39;
inline constexpr uint16_t kSlotMax = 2048;
inline constexpr uint32_t kSlotStoreSize = 65535;
inline constexpr uint32_t kSlotTextRoom = kSlotStoreSize - (kSlotGroups + kSlotMax) * 2;

// Well-known groups.
inline constexpr uint16_t kSlotGroupSettings = 0;
inline constexpr uint16_t kSlotGroupQueueLines = 37;  // the file-line queue
inline constexpr uint16_t kSlotGroupQueue2 = 38;

struct SlotStore {
  char* block = nullptr;  // memory block of kSlotStoreSize bytes, area 1
  uint16_t total = 0;     // slots in use across all groups
  uint32_t used = 0;      // text bytes in use
};

// Allocates and clears the store (part of RuntimeInit); 145 when no block is available.
Status SlotInit();
// Frees the store (part of RuntimeShutdown).
void SlotDestroy();

// Sets (group, item), growing the group with empty items when needed. `text` may be a view
// into the store itself. 159 when the group, index, slot total or text room is exceeded
// (recorded in area 2 with 156), or the text's own error code.
Status SlotSet(uint16_t group, uint16_t item, Val text);
// A view of the slot, empty when it does not exist; valid until the next set or delete.
Val SlotGet(uint16_t group, uint16_t item);
// Removes the item; later items of the group move down by one.
Status SlotDelete(uint16_t group, uint16_t item);
// Deletes every item of the group.
Status SlotClear(uint16_t group);
// The newest item (the oldest for the queue groups 37 and 38).
Val SlotLast(uint16_t group);
uint16_t SlotCount(uint16_t group);
// Adds a new last item.
Status SlotPush(uint16_t group, Val text);
// Removes the newest item (the oldest for the queue groups).
Status SlotPop(uint16_t group);
// Pops until the group holds at most n items.
Status SlotTrim(uint16_t group, uint16_t n);

}  // namespace orv

#endif  // ORVALE_CORE_SLOTS_H
