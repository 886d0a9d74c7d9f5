// Menu files, the default menu and menu commands.
#include "shell/menus.h"

#include "core/appfolders.h"
#include "core/files.h"
#include "core/hostpath.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/sections.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "shell/catalog.h"
#include "shell/dictview.h"
#include "shell/generated.h"
#include "shell/msgbox.h"
#include "shell/msgformat.h"
#include "shell/state.h"
#include "shell/tasks.h"

namespace orv {

namespace {

// _AUXSTAT bit: close the application without asking.
constexpr int16_t kAuxCloseWithoutAsking = 0x20;

struct MenuWalk {
  MenuSink* sink;
  uint16_t open = 0;  // popups open
  uint16_t next_id = kMenuFirstId;
};

// Closes popups until at most `level` are open.
Status CloseTo(MenuWalk& walk, uint16_t level) {
  for (; walk.open > level; --walk.open)
    if (Status st = walk.sink->Close()) return st;
  return kOk;
}

// Turns one menu line into a popup or an item.
Status MenuLine(MenuWalk& walk, Val line) {
  if (Status st = ScratchRoom(12)) return st;
  line = TextTrim(line, kTrimEnd);
  uint16_t level = 0;
  while (level < line.len && line.ptr[level] == '\t') ++level;
  Val text = ValTail(line, level);
  if (text.empty()) return kOk;
  if (Status st = CloseTo(walk, level)) return st;
  if (TextFindChar(text, ',', kQuoteAware) == kNone) {
    ++walk.open;
    return walk.sink->Popup(text);
  }
  if (walk.next_id > kMenuLastId) {
    ErrRecord(1, kAreaStreams, kDataOutBound, 0);
    return ErrReport(kDataOutBound, text, false);
  }
  uint16_t id = walk.next_id++;
  if (Status st = SlotSet(kMenuCommandGroup, uint16_t(id - kMenuFirstId), ListRest(text, ',')))
    return st;
  return walk.sink->Item(id, ListField(text, ',', 1));
}

// Hands the `count` lines queued in `group` from item `first` on to the sink, then takes
// them off the queue.
Status MenuWalkLines(uint16_t group, uint16_t first, uint16_t count, MenuSink* sink) {
  MenuWalk walk{sink};
  Status st = SlotClear(kMenuCommandGroup);
  for (uint16_t i = 0; i < count && !st; ++i) {
    ScratchScope scope;
    st = MenuLine(walk, ValCopy(SlotGet(group, uint16_t(first + i))));
  }
  if (!st) st = CloseTo(walk, 0);
  while (SlotCount(group) > first) SlotDelete(group, uint16_t(SlotCount(group) - 1));
  return st;
}

Val Folders() {
  return SlotGet(kSlotGroupSettings, kSettingDefaultFolder);
}

Status WriteLine(uint16_t file, Val line) {
  ScratchScope scope;
  Val ended = ValConcat(line, "\r\n"_v);
  if (Status st = ValCheck(ended)) return st;
  return FileWriteValue(file, kFileEnd, ended);
}

Status WriteDefaultMenu(uint16_t file, uint16_t flags, Val first_line) {
  Status st = first_line.len ? WriteLine(file, first_line) : kOk;
  if (!st && (flags & kMenuMaintenance)) {
    st = WriteLine(file, ListField(MessageText("0022"_v), ',', 1));
    const DictionaryView* dict = g_shell.dict;
    uint16_t files = dict ? dict->FileCount() : 0;
    for (uint16_t i = 1; i <= files && !st; ++i) {
      ScratchScope scope;
      Val name = dict->FileName(i);
      st = WriteLine(file,
                     ValFormat(512, "\t%.*s,MantAuto %u,1", int(name.len), name.ptr, unsigned(i)));
    }
  }
  if (!st && (flags & kMenuReports)) st = MenuTemplateWrite(file, "0110"_v, kTaskReport);
  if (!st && (flags & kMenuTransfers)) st = MenuTemplateWrite(file, "0111"_v, kTaskFileTrans);
  if (!st && (flags & kMenuReorg)) st = MenuTemplateWrite(file, "0119"_v, kTaskReorg);
  if (!st && (flags & kMenuHelp)) st = MenuTemplateWrite(file, "0120"_v, kTaskHelp);
  return st;
}

}  // namespace

Status MenuBuild(Val menu, MenuSink* sink) {
  ScratchScope scope;
  Val name = TextTrim(ListField(menu, ',', 1), kTrimBoth);
  Val ext = PathPart(name, kPartExt);
  Val pmt, ppn;
  if (ext.len) {
    Val found = FindInFolders(Folders(), name);
    (NameEqualNoCase(ext.sv(), ".PPN") ? ppn : pmt) = found;
  } else {
    pmt = FindInFolders(Folders(), PathTypeName(name, kTypeTempMenu));
    if (pmt.empty()) ppn = FindInFolders(Folders(), PathTypeName(name, kTypeMenu));
  }
  uint16_t group, first, count;
  if (pmt.len) {
    group = kSlotGroupQueueLines;
    first = SlotCount(group);
    count = SectionRead(pmt, 0, 0);
  } else if (ppn.len) {
    group = kMenuLineQueue;
    first = SlotCount(group);
    count = MenuTreeBuild(ppn);
  } else {
    return ErrReport(kFileNotFound, name, false);
  }
  if (count == kNone) return kFileNotFound;
  Status st = MenuWalkLines(group, first, count, sink);
  if (st) MessageError(st);
  return st;
}

Status MenuTemplateWrite(uint16_t file, Val number, uint16_t task) {
  ScratchScope scope;
  Val message = MessageText(number);
  Val marker = ValConcat(ListField(kTaskNames, ',', task), " "_v);
  uint16_t count = ListCount(message, ',');
  for (uint16_t i = 1; i <= count; ++i) {
    ScratchScope line;
    Val text = TextReplace(TextUnquoteOrUpper(ListField(message, ',', i)), "[$]"_v, marker, kPlain);
    if (Status st = WriteLine(file, text)) return st;
  }
  return kOk;
}

Val DefaultMenuWrite(uint16_t flags, Val first_line) {
  ScratchScope scope;
  Val name = GeneratedFileCreate(FileTypeExt(kTypeTempMenu));
  if (!name.ok()) return name;
  uint16_t file = FileOpen(name, kOpenUpdate | kOpenQuiet);
  if (file >= kOpenFiles) return scope.Return(ValError(file));
  Status st = WriteDefaultMenu(file, flags, first_line);
  Status closed = FileClose(file);
  if (st || closed) return scope.Return(ValError(st ? st : closed));
  return scope.Return(name);
}

Status MenuCommand(uint16_t event) {
  ScratchScope scope;
  Status st = kOk;
  switch (event & 0xFF) {
    case 16:
      st = TaskRun(ValCopy(SlotGet(kMenuCommandGroup, uint16_t(event >> 8))));
      break;
    case 17: {
      int close = CloseConfirm();
      if (close && g_shell.hooks.close_windows) g_shell.hooks.close_windows();
      return Status(close);
    }
    case 19:
      st = TaskDispatch(TaskCode(kTaskHelp), Val());
      break;
    default:
      break;
  }
  if (st >= kCancelled) MessageError(st);
  return st;
}

int CloseConfirm() {
  ScratchScope scope;
  unsigned screens = g_shell.hooks.screen_count ? g_shell.hooks.screen_count() : 0;
  unsigned windows = g_shell.hooks.window_depth ? g_shell.hooks.window_depth() : 0;
  if (screens > 1 || windows > 1) {
    MessageBoxShow(MessageFormat(MessageText("0032"_v), {screens, windows}), Val(), kBoxInfo);
    return 0;
  }
  if (SystemBits(kVarAuxStat, kAuxCloseWithoutAsking)) return 1;
  return MessageAsk(MessageFormat(MessageText("0033"_v), {screens, windows}));
}

}  // namespace orv
