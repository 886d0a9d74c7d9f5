// Reading expression files.
#include "expr/exprfile.h"

#include "core/appfolders.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/wholefile.h"

namespace orv {

Status ReadExpressionFile(Val name) {
  ScratchScope scope;
  Val expanded = ExpandPathKeys(name);
  if (Status st = ValCheck(expanded)) return st;
  Val path = FindInFolders(SlotGet(kSlotGroupSettings, kSettingDefaultFolder), expanded);
  if (Status st = ValCheck(path)) return st;
  if (path.len == 0) return kFileNotFound;
  Val text = FileReadAllJoined(path, ";"_v);
  if (Status st = ValCheck(text)) return st;
  return ValCheck(scope.Return(text));
}

}  // namespace orv
