// The state of the expression language and the hooks through which other layers serve it.
//
// Everything the language keeps between evaluations lives in the one ExprState below: the
// variable store, the hook slots, the built-in function table and the mirror of _PRECIS.
// It exists from ExprInit (after RuntimeInit) to ExprShutdown; tests create a fresh one for
// each case.
#ifndef ORVALE_EXPR_STATE_H
#define ORVALE_EXPR_STATE_H

#include <cstdint>

#include "core/val.h"
#include "expr/funcs.h"
#include "expr/varstore.h"

namespace orv {

// System-name hooks: 25 numbered slots, each holding one routine of another layer. Slots 0
// to 2 serve the expression language; the other slots hold numbered handlers that other
// layers look up.
inline constexpr uint16_t kHookSlots = 25;
inline constexpr uint16_t kHookNameSlot = 0;     // names beginning with '_' (screen layer)
inline constexpr uint16_t kHookProcSlot = 1;     // the procedure runner (EXEC$)
inline constexpr uint16_t kHookIndexedSlot = 2;  // '_' names with a subscript (documents)
inline constexpr uint16_t kHookRefused = 255;
enum : int { kHookRead = 1, kHookWrite = 5 };

using HookFn = void (*)();
// Called with a name beginning with '_' in mode 1 (read: returns the value) or 5 (write:
// the value is on top of the scratch stack; returns a value for success or an error value).
// An error value carrying 163 means the name is not one the hook serves.
using NameHookFn = Val (*)(Val name, int mode);
// The same for a name beginning with '_' followed by a subscript list, with the first
// subscript.
using IndexedNameHookFn = Val (*)(Val name, int16_t first, int mode);
// Runs procedure entry `entry` of procedure file `file` (empty: the loaded procedures).
using ProcRunnerFn = Status (*)(Val entry, Val file, int flags);

// Field references NAME{FILE} reach the data dictionary through these routines.
struct FieldHooks {
  // The field's type letter (below 128), or a status of 128 or more when the reference does
  // not resolve.
  uint16_t (*resolve)(Val ref) = nullptr;
  // The field's stored text in the current record, or an error value.
  Val (*read)(Val ref) = nullptr;
  // Stores a text into the field.
  Status (*write)(Val ref, Val text) = nullptr;
};

struct ExprState {
  bool ready = false;
  VarStore vars;
  HookFn hooks[kHookSlots] = {};
  FieldHooks fields;
  BuiltinTable builtins;
  // Mirror of _PRECIS (system integer 32) and of 10 to its power, kept by its store.
  int precis = 2;
  int64_t scale = 100;
  // A fixed "today" (YYYYMMDD) for the date functions; empty: the system clock.
  char today[9] = {};
  // Nesting of evaluations and operator climbs, bounded so that no input exhausts the
  // machine stack.
  uint16_t depth = 0;
};

extern ExprState g_expr;

// The deepest nesting of groups, subscripts, arguments and operand chains.
inline constexpr uint16_t kMaxExprDepth = 200;

// Counts one level of nesting of evaluations for as long as it lives; ok() is false beyond
// kMaxExprDepth.
class ExprNesting {
 public:
  ExprNesting() : ok_(++g_expr.depth <= kMaxExprDepth) {}
  ~ExprNesting() { --g_expr.depth; }
  ExprNesting(const ExprNesting&) = delete;
  ExprNesting& operator=(const ExprNesting&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

// Creates the variable store and the system variables. 124 when already initialised,
// 176 when the store cannot be created, else the status of the first failing definition.
Status ExprInit();
// Releases every variable and array and resets the state.
void ExprShutdown();

// Installs a routine in a hook slot: returns the slot, or 255 when it is above 24.
uint16_t HookInstall(uint16_t slot, HookFn fn);
HookFn HookGet(uint16_t slot);
inline uint16_t NameHookInstall(NameHookFn fn) {
  return HookInstall(kHookNameSlot, reinterpret_cast<HookFn>(fn));
}
inline uint16_t IndexedHookInstall(IndexedNameHookFn fn) {
  return HookInstall(kHookIndexedSlot, reinterpret_cast<HookFn>(fn));
}
inline uint16_t ProcRunnerInstall(ProcRunnerFn fn) {
  return HookInstall(kHookProcSlot, reinterpret_cast<HookFn>(fn));
}
inline NameHookFn NameHook() { return reinterpret_cast<NameHookFn>(HookGet(kHookNameSlot)); }
inline IndexedNameHookFn IndexedHook() {
  return reinterpret_cast<IndexedNameHookFn>(HookGet(kHookIndexedSlot));
}
inline ProcRunnerFn ProcRunner() { return reinterpret_cast<ProcRunnerFn>(HookGet(kHookProcSlot)); }

// Installs the dictionary's field routines.
inline void FieldHooksInstall(const FieldHooks& hooks) { g_expr.fields = hooks; }
// The class flags a field reference adds: 8, 9 for a text type (ABCDF), or the status of
// the resolution; 147 when the text is not NAME{FILE}. Without a dictionary the reference
// resolves as a field of no known type (8).
uint16_t FieldClass(Val ref);
// Fixes "today" (8 digits YYYYMMDD; false when the text is not that), or with an empty text
// returns to the system clock.
bool ExprSetToday(Val date);
// Today's date as YYYYMMDD, pushed on the scratch stack.
Val ExprToday();

}  // namespace orv

#endif  // ORVALE_EXPR_STATE_H
