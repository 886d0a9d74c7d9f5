// The shell's state and the defaults of its hooks.
#include "shell/state.h"

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"

namespace orv {

ShellState g_shell;

namespace {

// The system integers whose default is not 0, as the variable store defines them.
constexpr struct {
  uint16_t number;
  int16_t value;
} kSysDefaults[] = {
    {4, 24}, {5, 80}, {11, 4}, {13, 1}, {27, 128}, {31, 1}, {32, 2}, {33, 2000}, {34, 80},
};

Status Missing(Status code, uint16_t area, Val what) {
  ErrRecord(1, area, code, 0);
  return ErrReport(code, what, false);
}

}  // namespace

ShellState::ShellState() : clock_mark(std::chrono::steady_clock::now()) {
  for (const auto& d : kSysDefaults) sys[d.number] = d.value;
}

void ShellReset() {
  g_shell = ShellState();
}

int16_t SystemInt(uint16_t number) {
  if (g_shell.hooks.sys_get) return g_shell.hooks.sys_get(number);
  return number < kVarCount ? g_shell.sys[number] : 0;
}

Status SystemIntSet(uint16_t number, int64_t value) {
  if (g_shell.hooks.sys_set) return g_shell.hooks.sys_set(number, value);
  if (number >= kVarCount) return kDataOutBound;
  if (value < INT16_MIN || value > INT16_MAX) return kExpCalcError;
  g_shell.sys[number] = int16_t(value);
  return kOk;
}

bool SystemBits(uint16_t number, int16_t mask) {
  return (SystemInt(number) & mask) != 0;
}

Status SystemBitsSet(uint16_t number, int16_t mask, bool set) {
  int16_t v = SystemInt(number);
  return SystemIntSet(number, set ? int16_t(v | mask) : int16_t(v & ~mask));
}

Status ExecuteStatements(Val statements) {
  if (g_shell.hooks.execute) return g_shell.hooks.execute(statements);
  return Missing(kFeatureRemoved, kAreaExpExec, "expression evaluator not installed"_v);
}

Val VariableText(Val name) {
  if (g_shell.hooks.variable_text) return g_shell.hooks.variable_text(name);
  return name.ok() ? ValCopy(Val()) : name;
}

Val ExpandBrackets(Val text) {
  if (g_shell.hooks.expand) return g_shell.hooks.expand(text);
  if (!text.ok() || TextFindChar(text, '[', kPlain) == kNone) return ValCopy(text);
  return ValError(Missing(kFeatureRemoved, kAreaExpExec, "bracket expansion not installed"_v));
}

}  // namespace orv
