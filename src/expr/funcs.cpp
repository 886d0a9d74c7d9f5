// The built-in function list and its routines.
#include "expr/funcs.h"

#include <cstring>

#include "core/cp1252.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/state.h"

namespace orv {

namespace {

BuiltinTable& Table() { return g_expr.builtins; }

// The function list of slot (0, 8), filled from the built-in text when empty. Rebuilds the
// name index when the list changed since the last lookup.
void RefreshIndex() {
  Val list = SlotGet(kSlotGroupSettings, kFnSettingsItem);
  if (list.len == 0) {
    ScratchScope scope;
    Val nul_list = TextTranslate(kBuiltinNames, ","_v, Val("\0", 1));
    SlotSet(kSlotGroupSettings, kFnSettingsItem, nul_list);
    list = SlotGet(kSlotGroupSettings, kFnSettingsItem);
  }
  BuiltinTable& t = Table();
  if (list.sv() == t.list) return;
  t.list.assign(list.sv());
  t.index.clear();
  uint16_t count = ListCount(list, '\0');
  for (uint16_t n = count; n >= 1; --n) t.index[ListField(list, '\0', n).str()] = n;
}

}  // namespace

uint16_t BuiltinNumber(Val name) {
  if (!name.ok() || name.len == 0) return 0;
  RefreshIndex();
  const auto& index = Table().index;
  auto it = index.find(name.sv());
  if (it != index.end()) return it->second;
  char upper[64];
  if (name.len > sizeof upper) return 0;
  bool changed = false;
  for (uint16_t i = 0; i < name.len; ++i) {
    upper[i] = static_cast<char>(AsciiUpper(name.at(i)));
    changed |= upper[i] != name.ptr[i];
  }
  if (!changed) return 0;
  it = index.find(std::string_view(upper, name.len));
  return it != index.end() ? it->second : 0;
}

bool BuiltinInstall(uint16_t number, BuiltinEntry entry) {
  if (number < 1 || number > kBuiltinCount) return false;
  Table().entries[number] = entry;
  return true;
}

Status BuiltinCall(const ExprCursor& call) {
  if (call.fn < 1 || call.fn > kBuiltinCount) return kSyntaxError;
  BuiltinCallFn fn = Table().entries[call.fn].call;
  if (!fn) {
    ScratchScope scope;
    return ErrReport(kFeatureRemoved, ValConcat(call.token(), "()"_v), false);
  }
  return fn(call);
}

BuiltinStoreFn BuiltinStore(uint16_t number) {
  return number >= 1 && number <= kBuiltinCount ? Table().entries[number].store : nullptr;
}

}  // namespace orv
