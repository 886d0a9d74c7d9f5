// Generated files.
#include "shell/generated.h"

#include <string>

#include "core/files.h"
#include "core/folders.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/tempfiles.h"
#include "core/wholefile.h"
#include "shell/state.h"

namespace orv {

Val GeneratedFileCreate(Val ext) {
  if (!ext.ok()) return ext;
  std::string host;
  FsFile file(g_files.fs);
  if (Status st = CreateUniqueHost("", kGeneratedPrefix.sv(), "." + ext.str(), &host, &file))
    return ValError(st);
  if (Status st = file.Close()) {
    g_files.fs->Remove(host);
    return ValError(st);
  }
  g_shell.generated.push_back(host);
  return ValCopy(ValOf(host));
}

void GeneratedFilesDelete() {
  for (const std::string& name : g_shell.generated) g_files.fs->Remove(name);
  g_shell.generated.clear();
}

void GeneratedLeftoversDelete(Val ext) {
  ScratchScope scope;
  Val pattern = ValConcat(ValConcat(kGeneratedPrefix, "*."_v), ext);
  ValArray names = ListSplit(FileList(pattern), '\0');
  for (uint16_t i = 0; i < names.count && !names.status; ++i) FileDelete(names.items[i]);
}

}  // namespace orv
