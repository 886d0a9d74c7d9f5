// The built-in function list and the table of routines that serve it.
//
// Expressions call built-in functions by name: a name directly followed by '(' that is in
// the function list is a call (class flag 32) and carries the function's number, its 1-based
// position in the list. The list lives in text slot (0, 8) with NUL separators and is filled
// from the built-in text when that slot is empty. The routines behind the numbers are
// installed by the modules that implement them; a number without a routine is refused.
#ifndef ORVALE_EXPR_FUNCS_H
#define ORVALE_EXPR_FUNCS_H

#include <cstdint>
#include <string>
#include <unordered_map>

#include "core/val.h"
#include "expr/cursor.h"
#include "expr/tokens.h"

namespace orv {

inline constexpr uint16_t kBuiltinCount = 33;
// The function list, in the order that gives the numbers.
inline constexpr Val kBuiltinNames =
    "_#,FN#FLEN,FN#SLEN,FN#PARM,FN#VALN,FN#ACUM,CHK#,FILEFIND,FILEREL,FILELOCATE,FILESEL,"
    "FN$CHNG,FN$CHRS,FN$DATE,FN$FLDS,FN$MASK,FN$MIDS,FN$PARM,FN$TRIM,ENVELOP$,CHK$,SORT$,"
    "EXEC$,READ$,WRITE,MACRO$,ENVRON$,_$,KEY$,TIME$,IER,EXP$,SQLCHILD"_v;
inline constexpr uint16_t kFnSettingsItem = 8;  // slot (0, 8)
// The argument stack of calls (and of procedures called with arguments).
inline constexpr uint16_t kArgStackGroup = 35;

// Calls a function: `call` is the cursor of the call token (its content() is the argument
// list). Pushes exactly one value, a number (8 bytes) or a text as the name says, and
// returns a status.
using BuiltinCallFn = Status (*)(const ExprCursor& call);
// Stores `value` through a function name used as an indexed target (`_#(n)=v`).
using BuiltinStoreFn = Status (*)(const ExprCursor& target, Val value);

struct BuiltinEntry {
  BuiltinCallFn call = nullptr;
  BuiltinStoreFn store = nullptr;
};

struct BuiltinTable {
  BuiltinEntry entries[kBuiltinCount + 1];
  // The list the name index was built from, to notice when slot (0, 8) changes.
  std::string list;
  std::unordered_map<std::string, uint16_t, NameHash, std::equal_to<>> index;
};

// The number of a function name (as written, else in upper case), 0 when it is none.
uint16_t BuiltinNumber(Val name);
// Installs the routines of function `number` (1..33); false for another number.
bool BuiltinInstall(uint16_t number, BuiltinEntry entry);
// Calls the function of the call token, which pushes its result: 147 for a number beyond the
// built-in ones, 148 with the detail "NAME()" when no routine is installed.
Status BuiltinCall(const ExprCursor& call);
// The indexed-store routine of a function, null when it has none.
BuiltinStoreFn BuiltinStore(uint16_t number);

}  // namespace orv

#endif  // ORVALE_EXPR_FUNCS_H
