// The system variables: 44 integers and 3 texts that the runtime keeps in the variable store
// and that every subsystem reads and writes by number.
//
// They are created first, so the system integers are integer variables 0 to 43 and the
// system texts text variables 0 to 2, in the order of the definition list.
#ifndef ORVALE_EXPR_SYSVARS_H
#define ORVALE_EXPR_SYSVARS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

enum SysInt : uint16_t {
  kSysAuxStat = 0,  // option bits (128: no '*' patterns in text ==)
  kSysRelRes,
  kSysCurFil,
  kSysCurEdFld,
  kSysDevHig,
  kSysDevWid,
  kSysDevLin,
  kSysDevPos,
  kSysDevPag,
  kSysCurRow,
  kSysStat,
  kSysLastKey,
  kSysSgn,
  kSysUpStat,
  kSysIer,
  kSysSysCompat,
  kSysSqlStk,
  kSysCount,
  kSysHCount,
  kSysAdmStat,
  kSysCompat,
  kSysScrStat,
  kSysLMax,
  kSysLNum,
  kSysLLst,
  kSysHNum,
  kSysSafe,
  kSysLB,
  kSysAux,
  kSysKeyMap,
  kSysSerial,
  kSysTrace,
  kSysPrecis,  // decimals of all numbers, 0 to 4
  kSysBYear,
  kSysBKYear,
  kSysDX,
  kSysInHnd,
  kSysOutHnd,
  kSysDate,
  kSysDocSt,
  kSysWMaxRow,
  kSysUser01,
  kSysUser02,
  kSysUser03,
  kSysIntCount,
};

enum SysText : uint16_t { kSysAcum = 0, kSysAcumX, kSysLText, kSysTextCount };

// Bit of _AUXSTAT that turns off the '*' patterns of text ==.
inline constexpr int16_t kAuxNoPatterns = 128;

// Creates the system variables with their defaults; the status of the first failure.
Status SysVarsDefine();

int16_t SysGet(uint16_t number);
// 155 outside 16 bits; 168 for _PRECIS outside 0 to 4.
Status SysSet(uint16_t number, int64_t value);
// Whether any bit of the mask is set.
bool SysTestBits(uint16_t number, int16_t mask);
Status SysSetBits(uint16_t number, int16_t mask, bool set);
Val SysTextGet(uint16_t number);
Status SysTextSet(uint16_t number, Val text);

// The record counter _COUNT + 65536 * _HCOUNT.
int32_t SysRecordCounter();
void SysRecordCounterSet(int32_t value);

// The _V pair lookup: the text variable named _V<n>$ holds a type letter followed by an
// integer (A30). 181 when there is no such variable.
Status VPairLookup(int n, char* letter, int16_t* value);

}  // namespace orv

#endif  // ORVALE_EXPR_SYSVARS_H
