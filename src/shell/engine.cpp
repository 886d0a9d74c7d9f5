// Process entry, engine initialisation, shutdown and exit code.
#include "shell/engine.h"

#include <cstdlib>
#include <string>

#include "core/appfolders.h"
#include "core/files.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/status.h"
#include "expr/descriptor.h"
#include "shell/applayer.h"
#include "shell/bindings.h"
#include "shell/catalog.h"
#include "shell/cmdline.h"
#include "shell/generated.h"
#include "shell/menus.h"
#include "shell/msgbox.h"
#include "shell/settings.h"
#include "shell/tasks.h"

namespace orv {

namespace {

// Stores the command line of the process: the program's path, then the arguments.
Status StoreCommandLine(int argc, const char* const* argv) {
  ScratchScope scope;
  Val program = ExecutablePath(0);
  if (program.empty() && argc > 0) program = ValFromCStr(argv[0]);
  Val line = CommandLineJoin(program, argc > 1 ? argc - 1 : 0, argc > 1 ? argv + 1 : nullptr);
  if (Status st = ValCheck(line)) return st;
  return CommandLineParse(line);
}

}  // namespace

Status EngineInit(int argc, const char* const* argv, Val class_name, Val title, uint16_t open_flags,
                  AppCallback callback) {
  if (Status st = RuntimeInit()) return st;
  g_rt.message = MessageText;
  g_files.expand_settings = ExpandSettingsKeys;
  if (g_shell.hooks.vars_init)
    if (Status st = g_shell.hooks.vars_init()) return st;
  if (Status st = DescriptorStore()) return st;
  if (Status st = StoreCommandLine(argc, argv)) return st;
  Status st = ApplicationOpen(class_name, title, open_flags, callback);
  if (st > 121) MessageError(st);  // 121 and below end quietly
  return st;
}

int EngineExit(AppCallback callback, Status run_status) {
  Status result = callback ? callback(3) : kOk;
  if (g_shell.hooks.close_data) g_shell.hooks.close_data();
  if (g_shell.hooks.vars_release) g_shell.hooks.vars_release();
  FilesReset();
  Status shutdown = RuntimeShutdown();
  RuntimeFreeAll();  // releases what a leak left behind
  Status st = run_status ? run_status : (callback ? result : shutdown);
  return st >= kSerious ? st : 0;
}

int ProcessMain(int argc, const char* const* argv) {
  RuntimeSizes(kStartScratchKib, 0, kNone);
  BindSubsystems();
  TaskCallbackSet(AppTaskCallback);
  g_shell.screen_cols = kStartColumns;
  g_shell.screen_rows = kStartRows;
  g_shell.headless.SetSink(stderr);
  if (const char* answers = std::getenv(kUiAnswersEnv)) g_shell.headless.AnswerAll(answers);
  if (Status st =
          EngineInit(argc, argv, kMainClassName, kMainTitle, kOpenApplication, AppCallbackEvent)) {
    if (g_shell.hooks.vars_release) g_shell.hooks.vars_release();
    FilesReset();
    RuntimeFreeAll();
    return st;
  }
  Status run;
  {
    ScratchScope scope;
    Val menu = StartMenuName(Val());
    if (menu.empty()) {
      Val generated = DefaultMenuWrite(kMenuStart, Val());
      if (generated.ok()) menu = ValConcat(generated, ",1"_v);
    }
    run = ApplicationRun(menu);
  }
  GeneratedFilesDelete();
  return EngineExit(nullptr, run);
}

}  // namespace orv
