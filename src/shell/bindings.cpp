// The bindings of the subsystems to the shell.
#include "shell/bindings.h"

#include "expr/execute.h"
#include "expr/state.h"
#include "expr/sysvars.h"
#include "shell/state.h"
#include "shell/tasks.h"

namespace orv {

namespace {

Status ExpEvalTask(uint32_t, Val params) {
  return TaskExpEval(params);
}

}  // namespace

void BindExpressions() {
  ShellHooks& h = g_shell.hooks;
  h.vars_init = ExprInit;
  h.vars_release = ExprShutdown;
  h.sys_get = SysGet;
  h.sys_set = SysSet;
  h.execute = Execute;
  h.variable_text = EvalText;
  TaskRegister(kTaskExpEval, ExpEvalTask);
}

void BindSubsystems() {
  BindExpressions();
}

}  // namespace orv
