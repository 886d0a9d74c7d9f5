// The runtime core's process-wide state and its start-up and shutdown.
//
// Everything the core keeps between calls lives in the one Runtime structure below: the
// block table, the scratch stack, the error record and the text slot store. It exists from
// RuntimeInit to RuntimeShutdown; tests create a fresh one for each case.
#ifndef ORVALE_CORE_RUNTIME_H
#define ORVALE_CORE_RUNTIME_H

#include <cstdint>

#include "core/block.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/val.h"

namespace orv {

// Looks up a catalog message by its number text ("0009"). Filled by the message catalog;
// until then the core answers the few messages it needs itself in Spanish.
using MessageLookup = Val (*)(Val number);

struct Runtime {
  // Sizes taken at RuntimeInit, set beforehand with RuntimeSizes.
  uint16_t scratch_kib = 128;
  uint16_t block_capacity = kDefaultBlockCapacity;

  bool running = false;
  BlockTable blocks;
  ScratchStack scratch;
  SlotStore slots;
  uint32_t err_record = 0;
  MessageLookup message = nullptr;
};

extern Runtime g_rt;

// Stores the scratch size (KiB and entries) and the block-table capacity for the next
// RuntimeInit; 0xFFFF keeps the current value.
void RuntimeSizes(uint16_t scratch_kib, uint16_t ignored, uint16_t block_capacity);
// Creates the block table, the scratch stack and the slot store. 124 when already running,
// 145 when memory is short.
Status RuntimeInit();
// 0 when everything was released; otherwise the area tag of the highest block still live,
// which names the area that leaked it. With a leak the runtime stays running so that the
// caller can report it; RuntimeFreeAll then releases everything.
uint16_t RuntimeShutdown();
// Releases everything the runtime holds, leaked blocks included, and resets its state
// (the stored sizes are kept).
void RuntimeFreeAll();

// The catalog text of a message number, through the registered lookup.
Val RuntimeMessage(Val number);

}  // namespace orv

#endif  // ORVALE_CORE_RUNTIME_H
