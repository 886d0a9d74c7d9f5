// Language codes, the language file and the language variables.
#include "shell/language.h"

#include "core/appfolders.h"
#include "core/files.h"
#include "core/folders.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "shell/catalog.h"
#include "shell/state.h"

namespace orv {

namespace {

Val LanguageCode() {
  return SlotGet(kSlotGroupSettings, kSettingLanguage);
}

// The path of the language file in the default folder, empty when there is none.
Val LanguageFilePath() {
  ScratchScope scope;
  Val code = LanguageCode();
  Val folder = FolderOfKind(kFolderDefault);
  if (code.len) {
    Val name = ValFormat(15, "QX_LANG_%.*s.MSJ", int(code.len), code.ptr);
    if (!name.ok()) return Val();
    Val path = PathJoin(folder, name);
    return PathExists(path) ? scope.Return(path) : Val();
  }
  Val first = ListField(FileList(PathJoin(folder, "QX_LANG_*.MSJ"_v)), '\0', 1);
  if (!first.ok() || first.empty()) return Val();
  // The file's code becomes the language in force, so that names and texts agree.
  Val found_code = TextCase(ValSub(first, 8, uint16_t(first.len > 12 ? first.len - 12 : 0)), 1);
  if (ListWordIndex(kLanguages, found_code, ','))
    SlotSet(kSlotGroupSettings, kSettingLanguage, found_code);
  return scope.Return(PathJoin(folder, first));
}

// Stores one line of the language file; false when the table is full.
bool StoreLine(LanguageTable& t, uint16_t n, Val text) {
  if (t.count && n <= t.first + t.count - 1) return true;  // not ascending: skipped
  if (!t.count) t.first = n;
  uint32_t end = t.count ? t.ends[t.count - 1] : 0;
  if (n - t.first >= LanguageTable::kMaxEntries) return false;
  while (t.first + t.count < n) t.ends[t.count++] = end;  // skipped numbers: empty texts
  std::string_view s = text.sv();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
      t.texts += "\r\n";
      ++i;
    } else {
      t.texts += s[i];
    }
  }
  t.ends[t.count++] = uint32_t(t.texts.size());
  return true;
}

}  // namespace

uint16_t LanguageIndex() {
  return ListWordIndex(kLanguages, LanguageCode(), ',');
}

Status LanguageSetDefault() {
  return SlotSet(kSlotGroupSettings, kSettingLanguage,
                 ListField(kLanguages, ',', kLanguageSpanish));
}

Val LocalisedFileName(Val name, uint16_t index) {
  if (!name.ok()) return name;
  if (index == kNone) index = LanguageIndex();
  if (index == 0) return ValCopy(name);
  ScratchScope scope;
  Val suffix = ListField(kLanguageSuffixes, ',', index);
  Val file = PathPart(name, kPartFile);
  uint16_t dot = TextFindChar(file, '.', kPlain);
  uint16_t at = dot == kNone ? name.len : uint16_t(name.len - file.len + dot);
  return scope.Return(ValConcat(ValConcat(ValHead(name, at), suffix), ValTail(name, at)));
}

void LanguageLoad() {
  LanguageTable& t = g_shell.language;
  t = LanguageTable();
  t.load = LanguageTable::Load::kTried;
  ScratchScope scope;
  Val path = LanguageFilePath();
  if (path.empty()) return;
  uint16_t f = FileOpen(path, kOpenReadOnly | kOpenQuiet);
  if (f >= kOpenFiles) return;
  FileCloser closer(f);
  LanguageTable loaded;
  uint16_t lines = 0;
  bool full = false;
  Status st = FileEachLine(f, [&](Val line) -> Status {
    if (++lines > kLanguageMaxLines) return kStringTooLong;  // oversized: built-in stays
    uint16_t n = MessageNumber(line);
    if (n && !full) full = !StoreLine(loaded, n, ValTail(line, 5));
    return kOk;
  });
  if (st || !loaded.count) return;
  loaded.load = LanguageTable::Load::kLoaded;
  t = std::move(loaded);
}

Status LanguageVariablesLoad() {
  ScratchScope scope;
  Val name = ValConcat(ApplicationPrefix(), "LANGVARS.DAT"_v);
  Val path = FindInFolders(SlotGet(kSlotGroupSettings, kSettingDefaultFolder), name);
  if (path.empty()) return kOk;
  uint16_t f = FileOpen(path, kOpenReadOnly | kOpenQuiet);
  if (f >= kOpenFiles) return kOk;
  FileCloser closer(f);
  return FileEachLine(f, [](Val line) -> Status {
    if (TextTrim(line, kTrimBoth).empty()) return kOk;
    Val variable = TextTrim(ListField(line, '=', 1), kTrimBoth);
    Val text = MessageText(TextTrim(ListField(line, '=', 2), kTrimBoth));
    Val statement = ValConcat(ValConcat(variable, "="_v), TextQuote(text, '\''));
    if (!statement.ok()) return ValCheck(statement);
    return ExecuteStatements(statement);
  });
}

}  // namespace orv
