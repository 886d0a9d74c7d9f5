// The application's folders and the search of the definition folders.
#include "core/appfolders.h"

#include <unistd.h>

#include <climits>
#include <string>

#include "core/files.h"
#include "core/folders.h"
#include "core/hostpath.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/text.h"

namespace orv {

namespace {

Val Setting(uint16_t item) { return SlotGet(kSlotGroupSettings, item); }

std::string ExecutableHostPath() {
  if (!g_files.exe_path.empty()) return g_files.exe_path;
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf);
  return n > 0 && size_t(n) < sizeof buf ? std::string(buf, size_t(n)) : std::string();
}

}  // namespace

Val ApplicationPrefix() {
  Val name = ListField(Setting(kSettingAppName), ':', 1);
  return name.len >= 2 ? ValHead(name, 2) : Val();
}

Val ExecutablePath(int flags) {
  ScratchScope scope;
  Val path = EnginePath(ExecutableHostPath());
  return scope.Return(flags & 2 ? PathPart(path, kPartDir) : path);
}

Val FolderOfKind(uint16_t kind) {
  ScratchScope scope;
  Val out;
  switch (kind) {
    case kFolderRun:
      out = ExecutablePath(2);
      break;
    case kFolderDefault:
      out = TextTrim(ListField(Setting(kSettingDefaultFolder), ',', 1), kTrimBoth);
      break;
    case kFolderData: {
      Val drive = PathPart(ExecutablePath(0), kPartDrive);
      Val base = drive.len && drive.at(0) >= 'F' ? FolderOfKind(kFolderDefault)
                                                 : FolderOfKind(kFolderDocs);
      out = PathResolve(base, "..\\data"_v);
      break;
    }
    case kFolderDocs:
      out = ValOr(Setting(kSettingDocsFolder), FolderCurrent());
      break;
    case kFolderHelp:
      out = Setting(kSettingHelpFolder);
      if (out.empty()) out = PathResolve(FolderOfKind(kFolderDefault), "Help"_v);
      break;
    case kFolderBackup:
      out = PathResolve(Setting(kSettingDocsFolder), "Backups"_v);
      break;
    case kFolderBackRel: {
      Val db = Setting(kSettingDatabase);
      out = PathJoin(FolderCurrent(), "Backups"_v);
      out = PathJoin(out, TextUnquoteOrUpper(ListField(db, ',', 1)));
      out = PathJoin(out, TextUnquoteOrUpper(ListField(db, ',', 2)));
      break;
    }
    default:
      break;
  }
  return scope.Return(out);
}

Val FolderFile(Val name, uint16_t kind) {
  ScratchScope scope;
  return scope.Return(PathJoin(FolderOfKind(kind), name));
}

Val FindInFolders(Val folders, Val name) {
  if (!name.ok()) return name;
  ScratchScope scope;
  if (!name.empty() && PathExists(name)) return scope.Return(name);
  uint16_t count = ListCount(folders, ',');
  for (uint16_t i = 1; i <= count; ++i) {
    Val folder = TextTrim(ListField(folders, ',', i), kTrimBoth);
    if (folder.empty()) continue;
    Val path = PathJoin(folder, name);
    if (path.ok() && PathExists(path)) return scope.Return(path);
  }
  return scope.Return(Val());
}

Val ListExcept(Val nul_list, Val comma_list) {
  if (!nul_list.ok()) return nul_list;
  ScratchScope scope;
  Val out;
  uint16_t count = ListCount(nul_list, '\0');
  for (uint16_t i = 1; i <= count; ++i) {
    Val entry = ListField(nul_list, '\0', i);
    if (!ListWordIndex(comma_list, entry, ',')) out = ValJoin(out, ","_v, entry);
  }
  return scope.Return(out);
}

}  // namespace orv
