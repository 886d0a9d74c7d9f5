// Menus generated from parameter files: a tree of modules, each one record.
#include <string>
#include <vector>

#include "core/hostpath.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "shell/menus.h"
#include "shell/params.h"
#include "shell/state.h"

namespace orv {

namespace {

// Modules may nest this deep; a deeper tree is refused like a loop.
constexpr size_t kMaxModuleDepth = 32;

// The modules open while the tree is walked, to refuse a record that would load itself.
struct TreeWalk {
  std::vector<std::pair<std::string, int32_t>> open;
};

// The parameter file of a menu name: PPN unless the name has an extension.
Val MenuFile(Val name) {
  return PathPart(name, kPartExt).empty() ? PathWithExt(name, FileTypeExt(kTypeMenu)) : name;
}

// The name by which a module's file is known on the walk: without folder and extension.
std::string WalkKey(Val file) {
  return PathPart(file, kPartName).str();
}

// 129 with the file as detail: a module that would open itself again, or a tree too deep.
Status Looping(Val file) {
  ErrRecord(1, kAreaStreams, kLoopFailure, 0);
  return ErrReport(kLoopFailure, file, false);
}

Status AppendLine(uint16_t depth, Val title, Val command) {
  ScratchScope scope;
  Val line = ValConcat(ValRepeat("\t"_v, depth), title);
  if (command.len) line = ValConcat(ValConcat(line, ","_v), command);
  if (Status st = ValCheck(line)) return st;
  return SlotPush(kMenuLineQueue, line);
}

Status Module(TreeWalk& walk, Val file, int32_t record, Val command, Val title, uint16_t depth);

Status Modules(TreeWalk& walk, Val file, Val list, Val titles, uint16_t depth) {
  uint16_t count = ListCount(list, ',');
  for (uint16_t i = 1; i <= count; ++i) {
    ScratchScope scope;
    int32_t record = ListFieldToInt(list, ',', i);
    if (record == 0) continue;
    if (Status st = Module(walk, file, record, Val(), ListField(titles, ',', i), depth)) return st;
  }
  return kOk;
}

// The options of the current record: titles from MENU$, commands from EXEC$ (or the prefix
// and a number), records to load in their place from LOAD$.
Status Options(TreeWalk& walk, Val prefix, int32_t base, uint16_t depth) {
  ScratchScope scope;
  Val menu = ParameterValue(kParamMenu, 0);
  Val exec = ParameterValue(kParamExec, 0);
  Val load = ParameterValue(kParamLoad, 0);
  Val titles = prefix.empty() ? ListRest(menu, ',') : menu;
  uint16_t count = ListCount(titles, ',');
  for (uint16_t k = 1; k <= count; ++k) {
    ScratchScope option;
    Val title = ListField(titles, ',', k);
    Val command = TextUnquoteOrUpper(ListField(exec, ',', k));
    if (command.empty()) command = ValJoin(prefix, ","_v, ValFormat(16, "%ld", long(base) + k));
    Val loaded = TextUnquoteOrUpper(ListField(load, ',', k));
    Status st;
    if (loaded.len)
      st = Module(walk, ListField(loaded, ',', 1), ListFieldToInt(loaded, ',', 2), command, title,
                  depth);
    else
      st = AppendLine(depth, title, command);
    if (st) return st;
  }
  return kOk;
}

Status Module(TreeWalk& walk, Val file, int32_t record, Val command, Val title, uint16_t depth) {
  ScratchScope scope;
  std::string key = WalkKey(file);
  for (const auto& [name, number] : walk.open)
    if (number == record && NameEqualNoCase(key, name)) return Looping(file);
  if (walk.open.size() >= kMaxModuleDepth) return Looping(file);
  if (ParamRecordOpen(MenuFile(file), 1, record) != kOk) {
    ErrRecord(1, kAreaStreams, kFileNotFound, 0);
    return ErrReport(kFileNotFound, file, false);
  }
  walk.open.emplace_back(key, record);
  Val menu = ParameterValue(kParamMenu, 0);
  Val caller = ParameterValue(kParamCaller, 0);
  if (title.empty()) title = ListField(menu, ',', 1);
  Status st;
  if (menu.empty() && caller.empty()) {
    if (command.empty()) command = TextUnquote(TextTrim(ParameterValue(kParamExec, 1), kTrimBoth));
    st = AppendLine(depth, title, command);
  } else {
    st = AppendLine(depth, title, Val());
    if (!st && caller.len) {
      st = Modules(walk, file, caller, ListRest(menu, ','), uint16_t(depth + 1));
    } else if (!st) {
      Val prefix = ValJoin(ListField(command, ',', 1), " "_v, ListField(command, ',', 2));
      st = Options(walk, prefix, ListFieldToInt(command, ',', 3), uint16_t(depth + 1));
    }
  }
  walk.open.pop_back();
  ParamRecordClose();
  return st;
}

}  // namespace

uint16_t MenuTreeBuild(Val menu) {
  ScratchScope scope;
  Val file = TextTrim(ListField(menu, ',', 1), kTrimBoth);
  if (!file.ok() || file.empty()) return kNone;
  uint16_t before = SlotCount(kMenuLineQueue);
  int16_t compat = SystemInt(kVarCompat);
  SystemBitsSet(kVarCompat, kCompatMenuBuild, true);
  Status st = ParamRecordOpen(MenuFile(file), 1, 1);
  if (st == kOk) {
    TreeWalk walk;
    walk.open.emplace_back(WalkKey(file), 1);
    st = Modules(walk, file, ParameterValue(kParamCaller, 0), Val(), 0);
    ParamRecordClose();
  }
  SystemIntSet(kVarCompat, compat);
  if (st) {
    while (SlotCount(kMenuLineQueue) > before)
      SlotDelete(kMenuLineQueue, uint16_t(SlotCount(kMenuLineQueue) - 1));
    return kNone;
  }
  return uint16_t(SlotCount(kMenuLineQueue) - before);
}

}  // namespace orv
