// Opening and running the application, as far as it needs neither the dictionary nor the
// window system: identity, language, trace word, folders, diagnostic start, start menu,
// batch input and the RUN option.
#include "core/appfolders.h"
#include "core/files.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "shell/about.h"
#include "shell/cmdline.h"
#include "shell/engine.h"
#include "shell/language.h"
#include "shell/logs.h"
#include "shell/msgbox.h"
#include "shell/settings.h"
#include "shell/tasks.h"

namespace orv {

namespace {

Status MainWindow(Val menu) {
  if (g_shell.hooks.main_window) return g_shell.hooks.main_window(menu);
  ErrRecord(1, kAreaScreens, kFeatureRemoved, 0);
  return ErrReport(kFeatureRemoved, "main window not available"_v, false);
}

}  // namespace

Status ApplicationOpen(Val class_name, Val title, uint16_t open_flags, AppCallback callback) {
  if (callback)
    if (Status st = callback(16 * open_flags + 1)) return st;
  ScratchScope scope;
  if (Setting(kSettingLanguage).empty()) LanguageSetDefault();
  TraceWordSet(TextToInt(OptionValue(kOptTrace)));
  Val name = ValOr(OptionValue(kOptApName), class_name);
  Val second = ListField(Setting(kSettingAppName), ':', 2);
  Val identity = second.len ? ValConcat(ValConcat(name, ":"_v), second) : name;
  Status st = SettingSet(kSettingAppName, identity);
  if (!st && title.len) st = SettingSet(kSettingTitle, title);
  if (!st && Setting(kSettingDefaultFolder).empty())
    st = SettingSet(kSettingDefaultFolder, FolderOfKind(kFolderRun));
  if (!st && Setting(kSettingHelpFolder).empty())
    st = SettingSet(kSettingHelpFolder, FolderOfKind(kFolderHelp));
  st = DiagnosticStart(st);
  // 156 (a string that could not be loaded) still lets the application open.
  if ((st == kOk || st == kLoadStrError) && callback) st = callback(16 * open_flags + 2);
  if (st == kOk) {
    ErrRecord(2, 0, 0, 0);
    ErrReport(kOk, Val(), false);
  }
  return st;
}

Val StartMenuName(Val menu) {
  ScratchScope scope;
  if (menu.empty()) menu = OptionValue(kOptApStart);
  if (menu.empty()) menu = ValConcat(ApplicationPrefix(), "MENU"_v);
  Val name = TextTrim(ListField(menu, ',', 1), kTrimBoth);
  Val folders = Setting(kSettingDefaultFolder);
  if (FindInFolders(folders, PathTypeName(name, kTypeTempMenu)).len ||
      FindInFolders(folders, PathTypeName(name, kTypeMenu)).len)
    return scope.Return(menu);
  return scope.Return(Val());
}

Status RunBatchInput() {
  ScratchScope scope;
  if (OptionValue(kOptOutput).len) SystemIntSet(kVarOutHnd, 1);
  Val input = OptionValue(kOptInput);
  if (input.empty()) return kOk;
  uint16_t file = FileOpen(input, kOpenReadOnly | kOpenQuiet);
  if (file >= kOpenFiles) {
    ErrRecord(1, kAreaStreams, file, 0);
    return ErrReport(file, input, false);
  }
  SystemIntSet(kVarInHnd, file);
  Status last = kOk;
  Status st = FileEachLine(file, [&last](Val line) -> Status {
    if (TextTrim(line, kTrimBoth).empty()) return kOk;
    last = TaskRun(line);
    return last >= kCancelled ? last : kOk;
  });
  if (!st) st = last;
  FileClose(file);
  SystemIntSet(kVarInHnd, 0);
  return st;
}

Status ApplicationRun(Val menu) {
  ScratchScope scope;
  Val run = OptionValue(kOptRun);
  Status st;
  if (menu.empty() && run.empty()) {
    st = TaskNotProvided();
  } else {
    st = RunBatchInput();
    if (st < kCancelled) st = run.empty() ? MainWindow(menu) : TaskRun(run);
  }
  if (st >= kCancelled) MessageError(st);
  return st;
}

}  // namespace orv
