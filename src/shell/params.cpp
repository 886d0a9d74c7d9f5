// Parameter names, parameter records and parameter values.
#include "shell/params.h"

#include "core/list.h"
#include "core/scratch.h"
#include "core/sections.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "shell/state.h"

namespace orv {

namespace {

struct NameList {
  uint16_t base;
  Val names;
};

constexpr NameList kParameterNames[] = {
    {0, "MODULES$,MENU$,CALLER$,SUBMENU$,LOAD$,EXEC$,COUNTER$,MAX_IDS_ATTR%,STATMSG$"_v},
    {10,
     "SCREENSIZE$,SET$,OPEN$,EDIT$,NOEDIT$,WRITE$,DOC$,DOCSETS$,HELP$,SAVED$,HIDDEN$,"
     "RELOPT%,UNICNDX%,AUTONDX%,KEYMAP%,SCANDEF$,SCANWIN$,SCANSET$,VOIDMODE%"_v},
    {30,
     "NUMCAB$,WRITECAB0$,WRITECABS$,WRITELINS$,FITCLC$,FTCLC$,READCABS$,READLINS$,LNINS$,"
     "LNDEL$,ALARMLINS$,BOUNDS$,DOCTYPETXT$,MODE$,FASTFIND$,FLDUPDATE$,BEGINFLD%,MAXLIN%"_v},
    {50,
     "FD$,ALARM$,ASSIGN$,LNASSIGN$,FILEDEF$,PERFORM$,UPDFIELDS$,WIDTHS$,TYPES$,WINDOWS$,"
     "CLEAR$,ON_CONFIRM$,ON_CANCEL$,USR_COND$,IK$(1),IK$(2),IK$(3)"_v},
    {70,
     "ATEND$,BRKEND$,BREAK$,COND$,MAXLINE%,LINESTEP%,TOTALBASE%,CONTINUE%,EXTRASTEP%,"
     "TITLE$,WD"_v},
    {90, "DEVICE$,DOCNAME$,ACBOUND$,INDEX%,LIMITS$,AUXLOAD$,RESET$,STEPS$,PRCNAME$"_v},
    {100,
     "ACCEPT_PRC%,WINNAME$,PROG_MODE$,PARM_FILE$,PARM_FILE_WRITE$,SOURCEFILE%,IMP_MODE%,"
     "RD_EXP$,WR_EXP$,EOT_EXP$,RD_COND$,TARGET$,LOAD_IMPORT$,MNU_IMPORT$,AUTO_IMPORT$,"
     "STRUCT$"_v},
};

Val BaseName(uint16_t number) {
  const NameList* list = nullptr;
  for (const NameList& l : kParameterNames)
    if (l.base <= number) list = &l;
  return list ? ListField(list->names, ',', uint16_t(number - list->base)) : Val();
}

// Looks the key up in the current record; false when it is not there.
bool FromRecord(Val name, Val* value) {
  Val record = ParamRecord();
  if (!TextFindKey(record, name, 0).found()) return false;
  Status st = TextKeyValuePush(record, name);
  *value = st ? ValError(st) : ScratchTop();
  return true;
}

// What a menu being built reads in place of an empty MENU$ or CALLER$.
Val MenuCompatValue(uint16_t number) {
  Val record = ParamRecord();
  if (number == kParamCaller) return TextKeyValue(record, "MODULOS$"_v, kKeyUnquote);
  Val sub = TextKeyValue(record, "SUBMENU$"_v, kKeyUnquote);
  if (sub.len) return sub;
  return ValJoin(TextKeyValue(record, "MODULO$"_v, kKeyUnquote), ","_v,
                 TextKeyValue(record, "OPTIONS$"_v, kKeyUnquote));
}

}  // namespace

Val ParameterName(uint16_t number) {
  ScratchScope scope;
  Val name = BaseName(number);
  int16_t aux = SystemInt(kVarAux);
  if (aux > 0 && name.len) {
    Val object = ListField(SlotGet(kParamObjectGroup, kParamObjectItem), ',', uint16_t(aux));
    name = ValConcat(ValConcat(object, "."_v), name);
  }
  return scope.Return(name);
}

Status ParamRecordOpen(Val file, int kind, int32_t record) {
  ScratchScope scope;
  uint16_t before = SlotCount(kSlotGroupQueueLines);
  uint16_t lines = SectionRead(file, kind, record);
  if (lines == kNone) return kNone;
  Val text;
  for (uint16_t i = 0; i < lines; ++i) {
    text = ValJoin(text, ":"_v, SlotGet(kSlotGroupQueueLines, uint16_t(before + i)));
    text = ScratchReturn(scope.mark(), text);
  }
  while (SlotCount(kSlotGroupQueueLines) > before)
    SlotDelete(kSlotGroupQueueLines, uint16_t(SlotCount(kSlotGroupQueueLines) - 1));
  if (Status st = ValCheck(text)) return st;
  return SlotPush(kParamRecordGroup, text);
}

Status ParamRecordOpenOrEmpty(Val file, int kind, int32_t record) {
  Status st = ParamRecordOpen(file, kind, record);
  return st == kNone ? SlotPush(kParamRecordGroup, Val()) : st;
}

Status ParamRecordClose() {
  return SlotPop(kParamRecordGroup);
}

Val ParamRecord() {
  return SlotLast(kParamRecordGroup);
}

Val ParameterValue(uint16_t number, uint16_t field) {
  ScratchScope scope;
  Val name = ParameterName(number);
  Val value;
  bool found = FromRecord(name, &value);
  if (!found && SystemInt(kVarAux)) {
    uint16_t dot = TextFindChar(name, '.', kPlain);
    if (dot != kNone) found = FromRecord(ValTail(name, dot + 1u), &value);
  }
  if (!found && TextFindChar(name, '(', kPlain) == kNone)
    value = VariableText(TextReplace(name, "%"_v, Val(), kPlain));
  if (value.ok() && value.empty() && SystemBits(kVarCompat, kCompatMenuBuild) &&
      (number == kParamMenu || number == kParamCaller))
    value = MenuCompatValue(number);
  if (value.ok() && field != 0 && field != kNone) value = ListField(value, ',', field);
  return scope.Return(value);
}

Val RecordValue(Val name) {
  ScratchScope scope;
  return scope.Return(TextKeyValue(ParamRecord(), name, kKeyUnquoteOrUpper));
}

}  // namespace orv
