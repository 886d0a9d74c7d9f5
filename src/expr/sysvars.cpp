// The system variables.
#include "expr/sysvars.h"

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/varstore.h"

namespace orv {

namespace {

constexpr Val kSysIntDefinitions =
    "_AUXSTAT,_RELRES,_CURFIL,_CUREDFLD,_DEVHIG=24,_DEVWID=80,_DEVLIN,_DEVPOS,_DEVPAG,_CURROW,"
    "_STAT,_LASTKEY=4,_SGN,_UPSTAT=1,_IER,_SYSCOMPAT,_SQLSTK,_COUNT,_HCOUNT,_ADMSTAT,_COMPAT,"
    "_SCRSTAT,_LMAX,_LNUM,_LLST,_HNUM,_SAFE,_LB=128,_AUX,_KEYMAP,_SERIAL,_TRACE=1,_PRECIS=2,"
    "_BYEAR=2000,_BKYEAR=80,_DX,_INHND,_OUTHND,_DATE,_DOCST,_WMAXROW,_USER01,_USER02,_USER03"_v;
constexpr Val kSysTextDefinitions = "_ACUM$,_ACUMX$,_LTEXT$"_v;

Status Define(Val list) {
  uint16_t n = ListCount(list, ',');
  for (uint16_t i = 1; i <= n; ++i) {
    ScratchScope scope;
    Val entry = ListField(list, ',', i);
    Val name = ListField(entry, '=', 1);
    Val def = ListField(entry, '=', 2);
    Status st = NameKind(name) == kKindText ? VarAssign(name, def)
                                            : VarAssignInt(name, TextToLong(def));
    if (st) return st;
  }
  return kOk;
}

}  // namespace

Status SysVarsDefine() {
  if (Status st = Define(kSysIntDefinitions)) return st;
  return Define(kSysTextDefinitions);
}

int16_t SysGet(uint16_t number) { return IntVarGet(number); }

Status SysSet(uint16_t number, int64_t value) { return IntVarSet(number, value); }

bool SysTestBits(uint16_t number, int16_t mask) { return (SysGet(number) & mask) != 0; }

Status SysSetBits(uint16_t number, int16_t mask, bool set) {
  int16_t v = SysGet(number);
  return SysSet(number, set ? int16_t(v | mask) : int16_t(v & ~mask));
}

Val SysTextGet(uint16_t number) { return TextVarGet(number); }

Status SysTextSet(uint16_t number, Val text) { return TextVarSet(number, text); }

int32_t SysRecordCounter() {
  return int32_t(uint32_t(uint16_t(SysGet(kSysCount))) | (uint32_t(uint16_t(SysGet(kSysHCount))) << 16));
}

void SysRecordCounterSet(int32_t value) {
  SysSet(kSysCount, int16_t(uint16_t(uint32_t(value) & 0xFFFF)));
  SysSet(kSysHCount, int16_t(uint16_t(uint32_t(value) >> 16)));
}

Status VPairLookup(int n, char* letter, int16_t* value) {
  ScratchScope scope;
  Val name = ValFormat(24, "_V%d$", n);
  uint16_t number = VarFind(name);
  if (number == kNone) return kVariableScreenField;
  Val v = TextVarGet(number);
  *letter = v.len ? v.ptr[0] : ' ';
  *value = TextToInt(ValTail(v, 1));
  return kOk;
}

}  // namespace orv
