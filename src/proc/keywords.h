// The procedure language's keywords: 18 control words and 35 commands, numbered from 1. A
// statement's opcode is its keyword's number; 0 is an expression statement.
#ifndef ORVALE_PROC_KEYWORDS_H
#define ORVALE_PROC_KEYWORDS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

inline constexpr Val kProcKeywords =
    "GOTO,GOSUB,CALL,RETURN,ENDIF,LOOP,LOOP_WHILE,LOOP_UNTIL,ELSE,IF,IF_TRUE,DO_WHILE,IF_FALSE,"
    "DO_UNTIL,DO,DEF_FN,LOCALVARS,END,"
    "ACCEPT,BOUNDS,COLOR,CONNECT,DEVICE,DLOCATE,DPRINT,ENDDEVICE,EXPORT,FILESELECT,IMPORT,KILL,"
    "LOADSTRUCT,LOCATE,MESSAGE,PRINT,SHELL,READ,REMOTE,REPORT,DOCPRINT,WAIT,WINMENU,WINOPEN,"
    "WINCLOSE,WINSELECT,WINPROG,RC_DELETE,RC_INSERT,RC_UPDATE,RC_WRITE,FILESTRUCT,FILESCAN,"
    "STATSTEPS,SYSTEM"_v;

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

// The opcode of a word, as written or else in upper case; 0 when it is no keyword.
uint16_t KeywordOpcode(Val word);
// The keyword of an opcode (empty for 0 and unknown numbers).
Val KeywordName(uint16_t op);

}  // namespace orv

#endif  // ORVALE_PROC_KEYWORDS_H
