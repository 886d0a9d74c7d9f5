// Task parameters: the table of parameter names, parameter files and the stack of parameter
// records from which screens, accept windows, transfers and menus read their parameters.
//
// A parameter file (type PPN) is a numbered-line file whose lines carry a record number in
// two columns and one assignment NAME=value or NAME:value; a record is all lines of one
// number joined with ":". The records in use are kept on text-slot group 31; the newest is
// the current record.
#ifndef ORVALE_SHELL_PARAMS_H
#define ORVALE_SHELL_PARAMS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

inline constexpr uint16_t kParamRecordGroup = 31;
// The group whose item 8 holds the object names selected by _AUX.
inline constexpr uint16_t kParamObjectGroup = 9, kParamObjectItem = 8;
// The bit of _COMPAT that is set while a menu is built from a parameter file.
inline constexpr int16_t kCompatMenuBuild = 16;

// Some parameter numbers (the others are used by the owners of their tasks).
enum : uint16_t {
  kParamModules = 1,
  kParamMenu = 2,
  kParamCaller = 3,
  kParamSubmenu = 4,
  kParamLoad = 5,
  kParamExec = 6,
};

// The name of parameter n (empty for a base number or beyond a list), prefixed with field
// _AUX of text slot (9, 8) and "." when _AUX is not 0. Pushed.
Val ParameterName(uint16_t number);
// Reads record `record` of the file (line kind 1, or 0 for a file that is one record) and
// pushes its text on the record stack: 0, 0xFFFF (nothing pushed) when the file or the
// record cannot be read, or the status of a record that does not fit the stack.
Status ParamRecordOpen(Val file, int kind, int32_t record);
// The same, but an unreadable record pushes an empty text, so a record is always pushed.
Status ParamRecordOpenOrEmpty(Val file, int kind, int32_t record);
// Removes the newest record.
Status ParamRecordClose();
// The current record (a view valid until the slot store changes).
Val ParamRecord();
// The value of parameter n in the current record (unquoted unless its name holds "%"),
// else the text value of the variable of that name without "%" (names with "(" have no
// variable); with field f other than 0 and 0xFFFF, field f of it (comma list). While a
// menu is built an empty MENU$ is read from SUBMENU$ or MODULO$ and OPTIONS$, an empty
// CALLER$ from MODULOS$. Pushed.
Val ParameterValue(uint16_t number, uint16_t field);
// The key's value in the current record only: unquoted when quoted, else upper case. Pushed.
Val RecordValue(Val name);

}  // namespace orv

#endif  // ORVALE_SHELL_PARAMS_H
