// The PrcExec task.
#include "proc/task.h"

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/execute.h"
#include "expr/state.h"
#include "proc/commands.h"
#include "proc/load.h"
#include "proc/run.h"
#include "proc/state.h"

namespace orv {

Status ProcTask(Val params) {
  ScratchScope scope;
  for (uint16_t i = 3, n = ListCount(params, ','); i <= n; ++i) {
    ScratchScope each;
    if (Status st = ExecuteFile(TextUnquote(TextTrim(ListField(params, ',', i), kTrimBoth)), true))
      return st;
  }
  Val files = ListField(params, ',', 1);
  auto file = [&files](uint16_t k) { return TextUnquote(TextTrim(ListField(files, ';', k), kTrimBoth)); };
  size_t before = g_proc.table.size();
  Status st = kOk;
  for (uint16_t k = ListCount(files, ';'); k >= 2 && st < kSerious; --k) {
    uint16_t number = 0;
    st = ProcLoad(file(k), &number);
  }
  if (st < kSerious) st = ProcRun(ListField(params, ',', 2), file(1), kRunLocal | kRunTask);
  while (g_proc.table.size() > before) ProcUnload(uint16_t(g_proc.table.size() - 1));
  if (g_proc.hooks.poll) g_proc.hooks.poll();
  return st;
}

void ProcInstall() {
  ProcRunnerInstall(ProcRun);
  ProcCommandsInstall();
}

}  // namespace orv
