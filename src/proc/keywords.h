// The procedure language's keywords: 18 control words and 35 commands, numbered from 1. A
// statement's opcode is its keyword's number; 0 is an expression statement.
#ifndef ORVALE_PROC_KEYWORDS_H
#define ORVALE_PROC_KEYWORDS_H

#include <cstdint>
#include <iterator>

#include "core/val.h"

namespace orv {

enum Opcode : uint16_t {
  kOpExpression = 0,
  kOpGoto,
  kOpGosub,
  kOpCall,
  kOpReturn,
  kOpEndif,
  kOpLoop,
  kOpLoopWhile,
  kOpLoopUntil,
  kOpElse,
  kOpIf,
  kOpIfTrue,
  kOpDoWhile,
  kOpIfFalse,
  kOpDoUntil,
  kOpDo,
  kOpDefFn,
  kOpLocalVars,
  kOpEnd,
  kOpAccept,  // the first command
  kOpBounds,
  kOpColor,
  kOpConnect,
  kOpDevice,
  kOpDLocate,
  kOpDPrint,
  kOpEndDevice,
  kOpExport,
  kOpFileSelect,
  kOpImport,
  kOpKill,
  kOpLoadStruct,
  kOpLocate,
  kOpMessage,
  kOpPrint,
  kOpShell,
  kOpRead,
  kOpRemote,
  kOpReport,
  kOpDocPrint,
  kOpWait,
  kOpWinMenu,
  kOpWinOpen,
  kOpWinClose,
  kOpWinSelect,
  kOpWinProg,
  kOpRcDelete,
  kOpRcInsert,
  kOpRcUpdate,
  kOpRcWrite,
  kOpFileStruct,
  kOpFileScan,
  kOpStatSteps,
  kOpSystem,
  kOpLast = kOpSystem,
};

// Closing words (ENDIF to ELSE) and opening words (ELSE to DO); ELSE is both.
inline bool OpClosesBlock(uint16_t op) { return op >= kOpEndif && op <= kOpElse; }
inline bool OpOpensBlock(uint16_t op) { return op >= kOpElse && op <= kOpDo; }
inline bool OpIsCommand(uint16_t op) { return op >= kOpAccept && op <= kOpLast; }

// The keywords, opcode 1 first (index 0 is the expression statement's empty word).
inline constexpr Val kKeywordNames[] = {
    ""_v,
    "GOTO"_v, "GOSUB"_v, "CALL"_v, "RETURN"_v, "ENDIF"_v, "LOOP"_v,
    "LOOP_WHILE"_v, "LOOP_UNTIL"_v, "ELSE"_v, "IF"_v, "IF_TRUE"_v, "DO_WHILE"_v,
    "IF_FALSE"_v, "DO_UNTIL"_v, "DO"_v, "DEF_FN"_v, "LOCALVARS"_v, "END"_v,
    "ACCEPT"_v, "BOUNDS"_v, "COLOR"_v, "CONNECT"_v, "DEVICE"_v, "DLOCATE"_v,
    "DPRINT"_v, "ENDDEVICE"_v, "EXPORT"_v, "FILESELECT"_v, "IMPORT"_v, "KILL"_v,
    "LOADSTRUCT"_v, "LOCATE"_v, "MESSAGE"_v, "PRINT"_v, "SHELL"_v, "READ"_v,
    "REMOTE"_v, "REPORT"_v, "DOCPRINT"_v, "WAIT"_v, "WINMENU"_v, "WINOPEN"_v,
    "WINCLOSE"_v, "WINSELECT"_v, "WINPROG"_v, "RC_DELETE"_v, "RC_INSERT"_v, "RC_UPDATE"_v,
    "RC_WRITE"_v, "FILESTRUCT"_v, "FILESCAN"_v, "STATSTEPS"_v, "SYSTEM"_v,
};
static_assert(std::size(kKeywordNames) == kOpLast + 1);

// The opcode of a word, as written or else in upper case; 0 when it is no keyword.
uint16_t KeywordOpcode(Val word);
// The keyword of an opcode (empty for 0 and unknown numbers).
Val KeywordName(uint16_t op);

}  // namespace orv

#endif  // ORVALE_PROC_KEYWORDS_H
