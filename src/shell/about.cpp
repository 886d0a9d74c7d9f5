// About box and diagnostic start.
#include "shell/about.h"

#include "core/appfolders.h"
#include "core/scratch.h"
#include "core/status.h"
#include "shell/catalog.h"
#include "shell/language.h"
#include "shell/logs.h"
#include "shell/msgbox.h"
#include "shell/msgformat.h"
#include "shell/settings.h"
#include "shell/state.h"

namespace orv {

namespace {

// The about text used while no language file gives one: the built-in catalog has none.
constexpr Val kAboutMessage =
    "0076 Orvale Business Runtime (c) %s\r\n%s\r\nVersi\xF3n %s.%s   Idioma: %s   %s\r\n"
    "Compilaci\xF3n %s\r\nPrograma: %s\r\nCarpeta: %s\r\nDatos: %s"_v;
constexpr uint16_t kAboutMax = 1024;

}  // namespace

void AboutBox(Val text) {
  ScratchScope scope;
  Val format = MessageText(kAboutMessage);
  Val caption = MessageText("0075"_v);
  Val about =
      MessageFormat(format, {kEngineYear, Setting(kSettingTitle), kEngineVersion, "0"_v,
                             Setting(kSettingLanguage), text, kEngineBuild, ExecutablePath(0),
                             FolderOfKind(kFolderDefault), FolderOfKind(kFolderData)});
  MessageBoxShow(ValHead(about, kAboutMax), caption, kBoxNote);
}

Status DiagnosticStart(Status status) {
  uint16_t trace = TraceWord();
  if (!(trace & kTraceDiagnostic)) return status;
  ScratchScope scope;
  if (!(trace & kTraceProgress)) {
    AboutBox(ValFormat(8, "%d", SystemInt(kVarPrecis)));
    return status;
  }
  TraceLogStart("log.txt"_v);
  Val code = Setting(kSettingLanguage);
  TraceLineTo("log.txt"_v, ValFormat(32, "0,%.*s", int(code.len), code.ptr));
  return kDiagnosticStop;
}

}  // namespace orv
