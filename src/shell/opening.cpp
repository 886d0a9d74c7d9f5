// Opening and running the application, as far as it needs no window system: identity,
// language, trace word, folders, the dictionary, diagnostic start, start menu, batch input
// and the RUN option.
#include "core/appfolders.h"
#include "core/files.h"
#include "core/folders.h"
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

// Loads the application's dictionary; when that fails, once more from the DPATH folder (or
// "..\\APPS" without one), with its help folder. With open flag 4 a missing dictionary (164,
// 156) is no failure.
Status DictionaryOpen(Val name, uint16_t open_flags) {
  ErrRecord(2, 0, 0, 0);
  ErrReport(kOk, Val(), false);
  if (name.len < 2 || !g_shell.hooks.load_dictionary) return kOk;
  ScratchScope scope;
  Val prefix = ValHead(name, 2);
  Status st = g_shell.hooks.load_dictionary(prefix);
  if (st) {
    Val dpath = OptionValue(kOptDPath);
    Val folder = dpath.len ? dpath : PathResolve(FolderCurrent(), "..\\APPS"_v);
    st = SettingSet(kSettingDefaultFolder, folder);
    if (!st) st = SettingSet(kSettingHelpFolder, PathResolve(folder, "Help"_v));
    if (!st) st = g_shell.hooks.load_dictionary(prefix);
  }
  if ((open_flags & 4) && (st == kFileNotFound || st == kLoadStrError)) st = kOk;
  return st;
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
  if (!st && (open_flags & kOpenApplication)) st = DictionaryOpen(name, open_flags);
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
