// The application layer's callbacks and the choice of the application.
#include "shell/applayer.h"

#include <string>
#include <vector>

#include "core/appfolders.h"
#include "core/folders.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "platform/uihost.h"
#include "shell/catalog.h"
#include "shell/cmdline.h"
#include "shell/generated.h"
#include "shell/language.h"
#include "shell/logs.h"
#include "shell/maintscreen.h"
#include "shell/msgformat.h"
#include "shell/settings.h"
#include "shell/state.h"
#include "shell/tasks.h"

namespace orv {

namespace {

// The chosen application joins the command line as its APNAME option.
Status AddApplicationOption(Val name) {
  ScratchScope scope;
  Val value = TextFindAnyOf(name, " \t:&/"_v, kPlain) == kNone ? name : TextQuote(name, '\'');
  Val line = ValConcat(ValConcat(Setting(kSettingCommandLine), " /APNAME:"_v), value);
  if (Status st = ValCheck(line)) return st;
  return CommandLineParse(line);
}

// The application's dictionary must exist, as named or in the definition folders.
Status DictionaryCheck() {
  ScratchScope scope;
  Val dict = ValConcat(ValHead(OptionValue(kOptApName), 2), "DICC.DAT"_v);
  Val folders = Setting(kSettingDefaultFolder);
  if (FindInFolders(folders, dict).len) return kOk;
  ErrRecord(1, kAreaDataFile, kFileNotFound, 0);
  return ErrReport(kFileNotFound,
                   MessageFormat("%s was not found.\r\n Please create this file structure in the "
                                 "folder %s"_v,
                                 {dict, folders}),
                   false);
}

Status OpeningChoice() {
  ScratchScope scope;
  if ((TextToInt(OptionValue(kOptTrace)) & kTraceDiagnostic) || OptionValue(kOptApName).len)
    return kOk;
  Val name = SelectApplication();
  if (name.empty()) return kCancelled;
  Status st = AddApplicationOption(name);
  if (!st) st = PrepareApplicationFolder(name);
  return st ? st : DictionaryCheck();
}

TaskHandler AppHandler(uint16_t index) {
  return g_shell.app_tasks[index];
}

}  // namespace

Status AppCallbackEvent(int event) {
  switch (event & 0xF) {
    case 1:
      return OpeningChoice();
    case 2:
      GeneratedLeftoversDelete(FileTypeExt(kTypeTempMenu));
      GeneratedLeftoversDelete(FileTypeExt(kTypeScreen));
      return LanguageVariablesLoad();
    default:
      return kOk;
  }
}

Status AppTaskCallback(uint32_t code, Val params) {
  uint16_t index = TaskIndexOf(code);
  switch (index) {
    case kTaskMantMain:
    case kTaskLnManMain:
      return AppHandler(index) ? AppHandler(index)(code, params) : TaskNotProvided();
    case kTaskMantAuto: {
      if (!AppHandler(index)) return TaskNotProvided();
      ScratchScope scope;
      Val screen = MaintenanceScreenMake(uint16_t(TextToInt(params)));
      if (Status st = ValCheck(screen))
        return ErrReport(st, ValConcat("MantAuto "_v, params), true);
      return AppHandler(index)(code, screen);
    }
    case kTaskReport:
      if (TextFindChar(params, ',', kQuoteAware) != kNone) return TaskDispatch(code, params);
      return AppHandler(index) ? AppHandler(index)(code, params) : TaskNotProvided();
    default:
      return TaskDispatch(code, params);
  }
}

Val SelectApplication() {
  ScratchScope scope;
  std::vector<std::string> items{ListField(MessageText("0028"_v), ',', 1).str()};
  ValArray names = ListSplit(FileList("*.*"_v), '\0');
  for (uint16_t i = 0; i < names.count && !names.status; ++i) items.push_back(names.items[i].str());
  std::string title(MessageText("0090"_v).sv());
  size_t chosen = 0;
  if (Ui().Choose(title, items, &chosen) != kOk) return scope.Return(Val());
  if (chosen > 0) return scope.Return(ValOf(items[chosen]));
  // "Nuevo": the one field of "0116", 'label':'A<width>'.
  Val field = MessageText("0116"_v);
  Val label = TextUnquote(ListField(field, ':', 1));
  uint16_t width = uint16_t(TextToInt(ValTail(TextUnquote(ListField(field, ':', 2)), 1)));
  std::string typed;
  if (Ui().AskText(title, label.sv(), width, &typed) != kOk) return scope.Return(Val());
  return scope.Return(TextTrim(ValOf(typed), kTrimBoth));
}

Status PrepareApplicationFolder(Val name) {
  ScratchScope scope;
  Val datas = PathJoin(name, "datas"_v);
  bool existed = PathExists(datas);
  if (!existed)
    if (Status st = FolderCreatePath(datas)) return st;
  if (Status st = FolderChange(datas)) return st;
  if (!existed) {
    Status st = FolderMake("..\\data"_v);
    if (st && st != kFileExists) return st;
  }
  if (Status st = SettingSet(kSettingDefaultFolder, PathResolve(FolderCurrent(), "..\\data"_v)))
    return st;
  return SystemBitsSet(kVarAuxStat, kAuxFolderPrepared, true);
}

}  // namespace orv
