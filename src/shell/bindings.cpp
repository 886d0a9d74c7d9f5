// The bindings of the subsystems to the shell and to one another.
#include "shell/bindings.h"

#include "core/appfolders.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/dict.h"
#include "data/expand.h"
#include "data/exprbind.h"
#include "data/state.h"
#include "expr/eval.h"
#include "expr/execute.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/sysvars.h"
#include "expr/varstore.h"
#include "proc/state.h"
#include "proc/task.h"
#include "shell/cmdline.h"
#include "shell/dictview.h"
#include "shell/settings.h"
#include "shell/state.h"
#include "shell/tasks.h"

namespace orv {

namespace {

Status ExpEvalTask(uint32_t, Val params) {
  return TaskExpEval(params);
}

Status PrcExecTask(uint32_t, Val params) {
  return ProcTask(params);
}

// The variable store, then what other layers install in the expression language: the data
// layer (field references, data functions, conditions), the procedure runner (EXEC$) and,
// with it, the procedure commands.
Status VariablesInit() {
  if (Status st = ExprInit()) return st;
  DataBindExpression();
  ProcInstall();
  return kOk;
}

void VariablesRelease() {
  ProcReset();
  ExprShutdown();
}

// Task commands have their bracketed expressions replaced, brackets inside quotes included.
Val ExpandCommand(Val text) {
  return TextExpand(text, kExpandPlainBrackets, Val());
}

// The loaded dictionary, as the shell reads it.
class LoadedDictionary : public DictionaryView {
 public:
  uint16_t FileCount() const override { return DictFileCount(); }
  Val FileName(uint16_t file) const override { return ValOf(DictFile(file).name); }
  uint16_t FieldCount(uint16_t file) const override { return DictFieldCount(file); }
  DictFieldInfo Field(uint16_t file, uint16_t field) const override {
    const FieldDef& f = DictFile(file).fields[field - 1];
    return {ValOf(f.name), f.length, f.type};
  }
};
const LoadedDictionary kLoadedDictionary;

Status CloseData() {
  DataReset();
  return kOk;
}

// The application's dictionary, with a variable named after each data file (in lower case)
// that holds its number.
Status LoadDictionary(Val prefix) {
  ScratchScope scope;
  if (Status st = DictLoad(Setting(kSettingDefaultFolder), prefix, Val())) return st;
  for (uint16_t f = 1; f <= DictFileCount(); ++f) {
    ScratchScope each;
    if (Status st = VarAssignInt(TextCase(ValOf(DictFile(f).name), 0), f); st >= kSerious)
      return st;
  }
  return kOk;
}

// A command-line option by its name, for the data layer's bracket expansion.
Val OptionByName(Val name) {
  uint16_t option = ListWordIndex(kOptionNames, TextCase(name, 1), ',');
  return option ? OptionValue(option) : ValCopy(Val());
}

}  // namespace

void BindExpressions() {
  ShellHooks& h = g_shell.hooks;
  h.vars_init = VariablesInit;
  h.vars_release = VariablesRelease;
  h.sys_get = SysGet;
  h.sys_set = SysSet;
  h.execute = Execute;
  h.variable_text = EvalText;
  TaskRegister(kTaskExpEval, ExpEvalTask);
  TaskRegister(kTaskPrcExec, PrcExecTask);
}

void BindData() {
  g_shell.hooks.expand = ExpandCommand;
  g_shell.hooks.load_dictionary = LoadDictionary;
  g_shell.hooks.close_data = CloseData;
  g_shell.dict = &kLoadedDictionary;
  g_data.hooks.option = OptionByName;
}

void BindSubsystems() {
  BindExpressions();
  BindData();
}

}  // namespace orv
