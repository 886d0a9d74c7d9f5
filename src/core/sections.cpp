// Numbered-line files read and written by section.
#include "core/sections.h"

#include <string>

#include "core/appfolders.h"
#include "core/files.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/replacer.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"

namespace orv {

namespace {

constexpr uint16_t kQueue = kSlotGroupQueueLines;

struct Columns {
  uint16_t number_at, number_len, text_at;
  bool drop_last;
};

Columns ColumnsOf(int kind) {
  switch (kind) {
    case 1: return {0, 2, 3, false};
    case 2: return {1, 2, 3, true};
    case 3: return {0, 4, 5, false};
    case 4: return {0, 2, 2, false};
    case 6: return {0, 5, 0, false};
    default: return {0, 0, 0, false};
  }
}

// Removes the newest items of the queue until it holds `count` again.
void QueueCutBack(uint16_t count) {
  while (SlotCount(kQueue) > count) SlotDelete(kQueue, SlotCount(kQueue) - 1);
}

// Records a failure of the file layer with the file's name as detail.
Status Failed(Status st, Val name) {
  ErrRecord(1, kAreaStreams, st, 0);
  return ErrReport(st, name, true);
}

// Opens a numbered-line file for reading: as named, else in the definition folders.
uint16_t OpenSectionFile(Val name) {
  uint16_t n = FileOpen(name, kOpenReadOnly | kOpenQuiet);
  if (n < kOpenFiles || PathHasFolder(name)) return n;
  ScratchScope scope;
  Val found = FindInFolders(SlotGet(kSlotGroupSettings, kSettingDefaultFolder), name);
  return found.empty() ? n : FileOpen(found, kOpenReadOnly | kOpenQuiet);
}

}  // namespace

int32_t SectionNumber(Val line, int kind) {
  Columns c = ColumnsOf(kind);
  if (!c.number_len || !line.ok()) return 0;
  char digits[8];
  Val field = ValSub(line, int16_t(c.number_at), c.number_len);
  for (uint16_t i = 0; i < field.len; ++i) digits[i] = field.ptr[i] == ' ' ? '0' : field.ptr[i];
  return int32_t(TextToLong(Val(digits, field.len)));
}

Val SectionText(Val line, int kind) {
  Columns c = ColumnsOf(kind);
  Val text = ValTail(line, c.text_at);
  if (c.drop_last && text.len) --text.len;
  return text;
}

Val SectionPrefix(int kind, int32_t section) {
  switch (kind) {
    case 0: return Val();
    case 1: return ValFormat(16, "%2ld ", long(section));
    case 2: return ValFormat(16, "\"%2ld", long(section));
    case 3: return ValFormat(16, "%4ld ", long(section));
    case 4: return ValFormat(16, "%2ld", long(section));
    default: return ValFormat(16, "%ld", long(section));
  }
}

uint16_t SectionRead(Val name, int kind, int32_t section) {
  if (!name.ok() || name.empty()) return kNone;
  uint16_t n = OpenSectionFile(name);
  if (n >= kOpenFiles) return kNone;
  FileCloser closer(n);
  uint16_t before = SlotCount(kQueue);
  uint16_t added = 0;
  for (;;) {
    ScratchScope scope;
    Val line;
    Status st = FileReadLineValue(n, &line);
    if (st == kNone) break;
    if (!st && SectionNumber(line, kind) == section) {
      st = SlotPush(kQueue, SectionText(line, kind));
      ++added;
    }
    if (st) {
      QueueCutBack(before);
      Failed(st, name);
      return kNone;
    }
  }
  return added ? added : kNone;
}

Status SectionLinesQueue(int kind, Val text, int32_t section) {
  if (Status st = ValCheck(text)) return st;
  ScratchScope scope;
  uint16_t before = SlotCount(kQueue);
  Val prefix = SectionPrefix(kind, section);
  Val close = kind == 2 ? "\""_v : Val();
  uint16_t count = ListCount(text, ':');
  for (uint16_t i = 1; i <= count; ++i) {
    ScratchScope part;
    Val line = ValConcat(ValConcat(prefix, TextUnquote(ListField(text, ':', i))), close);
    if (Status st = SlotPush(kQueue, line)) {
      QueueCutBack(before);
      return st;
    }
  }
  return kOk;
}

Status SectionWrite(Val name, int kind, int32_t section) {
  FileReplacer out;
  Status st = out.Begin(name);
  bool placed = false;
  // Writes the queued lines, taking them off the queue.
  auto place = [&] {
    placed = true;
    while (SlotCount(kQueue) && !st) {
      st = out.Write(SlotLast(kQueue));
      if (!st) st = out.Write("\r\n"_v);
      SlotPop(kQueue);
    }
  };
  uint16_t n = st ? kNone : FileOpen(name, kOpenReadOnly | kOpenQuiet);
  if (n < kOpenFiles) {
    FileCloser closer(n);
    bool dropped = false;
    while (!st) {
      ScratchScope scope;
      Val line;
      Status r = FileReadLineValue(n, &line);
      if (r == kNone) break;
      if (r) {
        st = r;
        break;
      }
      int32_t number = SectionNumber(line, kind);
      if (number == section) {
        dropped = true;
        continue;
      }
      if (!placed && (dropped || number > section)) place();
      if (!st) st = out.Write(line);
      if (!st) st = out.Write("\r\n"_v);
    }
  } else if (!st && n != kFileNotFound) {
    st = n;  // the file exists but cannot be read: never replace it
  }
  if (!st && !placed) place();
  if (!st) st = out.Commit();
  SlotClear(kQueue);
  return st ? Failed(st, name) : kOk;
}

}  // namespace orv
