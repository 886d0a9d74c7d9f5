// The procedure table.
#include "proc/load.h"

#include "core/appfolders.h"
#include "core/files.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "expr/state.h"
#include "proc/compile.h"
#include "proc/run.h"
#include "proc/state.h"

namespace orv {

namespace {

Status NotFound(Val file) {
  ErrRecord(1, kAreaExecCompiler, kFileNotFound, 0);
  return ErrReport(kFileNotFound, file, false);
}

Status CompileFile(Val path, Procedure* proc) {
  uint16_t f = FileOpen(path, kOpenReadOnly | kOpenQuiet);
  if (f >= kOpenFiles) return kFileNotFound;
  FileCloser closer(f);
  ProcCompiler compiler(proc);
  uint32_t lines = 0;
  Status st = FileEachLine(f, [&](Val line) {
    ++lines;
    return compiler.Line(line);
  });
  if (st == kStringTooLong || st == kOutOfMemory) {
    ErrRecord(1, kAreaExecCompiler, st, 0);
    ScratchScope scope;
    return ErrReport(st, ValFormat(64, "line %u of the file is too long", lines + 1), true);
  }
  if (st) return st;
  if (lines == 0) return kFileNotFound;
  return compiler.Finish();
}

}  // namespace

Status ProcLoad(Val file, uint16_t* number) {
  ScratchScope scope;
  Val path = FindInFolders(SlotGet(kSlotGroupSettings, kSettingDefaultFolder), file);
  if (Status st = ValCheck(path)) return st;
  if (path.empty()) return NotFound(file);
  ProcRunnerInstall(ProcRun);
  auto proc = std::make_unique<Procedure>();
  proc->name = file.str();
  Status st = CompileFile(path, proc.get());
  if (st == kFileNotFound) return NotFound(file);
  if (st) return ErrReport(st, ValConcat("File: "_v, file), true);
  return ProcAdd(std::move(proc), number);
}

Status ProcAdd(std::unique_ptr<Procedure> proc, uint16_t* number) {
  if (g_proc.table.size() >= kMaxProcedures) {
    ErrRecord(1, kAreaExecCompiler, kInternal, 0);
    return ErrReport(kInternal, "procedure table full"_v, true);
  }
  g_proc.table.push_back(std::move(proc));
  *number = uint16_t(g_proc.table.size() - 1);
  return kOk;
}

Status ProcUnload(uint16_t number) {
  if (number >= kCancelled) return number;
  if (number >= g_proc.table.size()) return kInternal;
  g_proc.table.erase(g_proc.table.begin() + number);
  return kOk;
}

uint16_t ProcNumber(const Procedure* proc) {
  for (size_t i = 0; i < g_proc.table.size(); ++i)
    if (g_proc.table[i].get() == proc) return uint16_t(i);
  return kNone;
}

Procedure* ProcFind(Val label) {
  for (size_t i = g_proc.table.size(); i-- > 0;) {
    Procedure* p = g_proc.table[i].get();
    if (label.empty() || p->Label(label) >= 0) return p;
  }
  return nullptr;
}

}  // namespace orv
