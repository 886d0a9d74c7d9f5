// Start-up and shutdown of the runtime core.
#include "core/runtime.h"

#include <cstdlib>

#include "core/status.h"

namespace orv {

Runtime g_rt;

namespace {

// The messages the core itself shows, until a catalog registers its lookup.
Val BuiltinMessage(Val number) {
  if (number.sv() == "0005") return "Proceso Completado Satisfactoriamente"_v;
  if (number.sv() == "0008") return "Precauci\xF3n "_v;
  if (number.sv() == "0009") return "Error "_v;
  // The filters of the file dialogs.
  if (number.sv() == "0060") return "Todos (%s),%s"_v;
  if (number.sv() == "0061") return "Ficheros de Estructura (%s),%s"_v;
  if (number.sv() == "0062") return "Ficheros de Pantalla (%s),%s"_v;
  if (number.sv() == "0063") return "Ficheros de Plantilla de Impresi\xF3n (%s),%s"_v;
  if (number.sv() == "0064") return "Ficheros de Procedimientos (%s),%s"_v;
  if (number.sv() == "0065") return "Ficheros de Selecci\xF3n de Aplicaci\xF3n (%s),%s"_v;
  if (number.sv() == "0066") return "Ficheros de Men\xFA (%s),%s"_v;
  if (number.sv() == "0067") return "Ficheros PDF (%s),%s"_v;
  if (number.sv() == "0068") return "Ficheros de Texto (%s),%s"_v;
  return Val();
}

}  // namespace

void RuntimeSizes(uint16_t scratch_kib, uint16_t, uint16_t block_capacity) {
  if (scratch_kib != kNone) g_rt.scratch_kib = scratch_kib;
  if (block_capacity != kNone) g_rt.block_capacity = block_capacity;
}

Status RuntimeInit() {
  if (g_rt.blocks.entries) return kUndefinedWarning;
  BlockTable& t = g_rt.blocks;
  t.entries = static_cast<BlockEntry*>(calloc(g_rt.block_capacity, sizeof(BlockEntry)));
  if (!t.entries) return kOutOfMemory;
  t.capacity = g_rt.block_capacity;
  t.live = 0;
  g_rt.err_record = 0;
  g_rt.message = BuiltinMessage;
  Status st = ScratchInit(g_rt.scratch_kib);
  if (!st) st = SlotInit();
  if (st) {
    RuntimeFreeAll();
    return st;
  }
  g_rt.running = true;
  return kOk;
}

uint16_t RuntimeShutdown() {
  if (!g_rt.blocks.entries) return 0;
  uint16_t area = BlockHighestLiveArea();
  if (area && area != kAreaStringInit) return area;
  SlotDestroy();
  ScratchDestroy();
  area = BlockHighestLiveArea();
  RuntimeFreeAll();
  return area;
}

void RuntimeFreeAll() {
  BlockTable& t = g_rt.blocks;
  if (t.entries) {
    for (uint16_t i = 0; i < t.capacity; ++i) free(t.entries[i].ptr);
    free(t.entries);
  }
  uint16_t kib = g_rt.scratch_kib, cap = g_rt.block_capacity;
  g_rt = Runtime{};
  g_rt.scratch_kib = kib;
  g_rt.block_capacity = cap;
}

Val RuntimeMessage(Val number) { return g_rt.message ? g_rt.message(number) : Val(); }

}  // namespace orv
