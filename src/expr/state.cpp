// The expression language's state, its hooks and its start-up and shutdown.
#include "expr/state.h"

#include <cstring>
#include <ctime>

#include "core/cp1252.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "expr/sysvars.h"
#include "expr/tokens.h"

namespace orv {

ExprState g_expr;

Status ExprInit() {
  if (g_expr.ready) return kUndefinedWarning;
  g_expr = ExprState{};
  if (Status st = VarStoreCreate()) return st;
  if (Status st = SysVarsDefine()) {
    ExprShutdown();
    return st;
  }
  g_expr.ready = true;
  return kOk;
}

void ExprShutdown() {
  VarStoreDestroy();
  g_expr = ExprState{};
}

uint16_t HookInstall(uint16_t slot, HookFn fn) {
  if (slot >= kHookSlots) return kHookRefused;
  g_expr.hooks[slot] = fn;
  return slot;
}

HookFn HookGet(uint16_t slot) { return slot < kHookSlots ? g_expr.hooks[slot] : nullptr; }

uint16_t FieldClass(Val ref) {
  if (ref.len < 2 || ref.ptr[ref.len - 1] != '}' || !memchr(ref.ptr, '{', ref.len))
    return kSyntaxError;
  if (!g_expr.fields.resolve) return kClsField;
  uint16_t type = g_expr.fields.resolve(ref);
  if (type >= kSerious) return type;
  return memchr("ABCDF", type, 5) && type ? kClsField | kClsText : kClsField;
}

bool ExprSetToday(Val date) {
  if (date.len == 0) {
    g_expr.today[0] = '\0';
    return true;
  }
  if (date.len != 8) return false;
  for (uint16_t i = 0; i < 8; ++i)
    if (!IsDigit(date.at(i))) return false;
  memcpy(g_expr.today, date.ptr, 8);
  g_expr.today[8] = '\0';
  return true;
}

Val ExprToday() {
  if (g_expr.today[0]) return ValCopy(Val(g_expr.today, 8));
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  return ValFormat(9, "%04d%02d%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace orv
