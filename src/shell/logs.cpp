// Trace log, error log and assertions.
#include "shell/logs.h"

#include <cstdlib>

#include "core/appfolders.h"
#include "core/files.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/wholefile.h"
#include "expr/dates.h"
#include "platform/uihost.h"
#include "shell/clock.h"
#include "shell/state.h"

namespace orv {

namespace {

constexpr uint16_t kTraceLogGroup = 9, kTraceLogItem = 10;

}  // namespace

uint16_t TraceWord() {
  return uint16_t(SystemInt(kVarTrace));
}

Status TraceWordSet(int64_t value) {
  return SystemIntSet(kVarTrace, int16_t(value) | 1);
}

Val TraceLogName() {
  Val set = SlotGet(kTraceLogGroup, kTraceLogItem);
  if (set.len) return set;
  return ValConcat(ApplicationPrefix(), "log.txt"_v);
}

void TraceLogStart(Val name) {
  SlotSet(kTraceLogGroup, kTraceLogItem, name);
  FileDelete(name);
}

int TraceLineTo(Val file, Val text) {
  ScratchScope scope;
  Val line = ValConcat(text, "\r\n"_v);
  return line.ok() && FileWriteAllChecked(file, kFileEnd, line) == kOk ? 1 : 0;
}

void TraceLine(Val text, uint16_t bits) {
  if (!(bits & 0xFF & TraceWord())) return;
  ScratchScope scope;
  if (!text.ok()) text = ValFormat(24, "Error #%u", unsigned(text.len));
  TraceLineTo(TraceLogName(), text);
}

Status ErrorLogAppend(Val text, Val file) {
  ScratchScope scope;
  if (file.empty()) file = TraceLogName();
  Val date = TodayText(), time = TimeToText(TimeNow(), 1);
  Val banner =
      ValFormat(160, "*****************************\r\n Date:%.*s - Time:%.*s - User:0\r\n",
                int(date.len), date.ptr, int(time.len), time.ptr);
  Val block = ValConcat(ValConcat(banner, text), "\r\n**********************\r\n\r\n"_v);
  if (Status st = ValCheck(block)) return st;
  uint16_t n = FileOpen(file, kOpenUpdate | kOpenQuiet);
  if (n >= kOpenFiles) return ErrReport(kFileNotFound, file, false);
  FileCloser closer(n);
  return FileWriteValue(n, kFileEnd, block);
}

void Assert(bool condition, Val routine) {
  if (condition) return;
  Ui().MessageBox("Assertion Fail", routine.sv(), kUiIconError | kUiButtonsOk);
  ErrorLogAppend(routine, "assertions.log"_v);
  std::abort();
}

}  // namespace orv
