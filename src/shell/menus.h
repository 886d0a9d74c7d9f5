// Menus: menu files (PMT, and PPN trees of modules), the menu bar built from their lines,
// the generated default menu with its message templates, and the menu commands.
//
// A menu line's level is the number of TABs at its start; a line with one field is a
// popup title, a line with more is an item: its title, a comma and its task command. Items
// get the identifiers 1500 to 1699 in order and item 1500 + k keeps its command in text
// slot (5, k).
#ifndef ORVALE_SHELL_MENUS_H
#define ORVALE_SHELL_MENUS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

inline constexpr uint16_t kMenuFirstId = 1500, kMenuLastId = 1699;
inline constexpr uint16_t kMenuCommandGroup = 5;
// The menu-line queue that PPN menus are generated into.
inline constexpr uint16_t kMenuLineQueue = 38;

// Default-menu flags, written in this order.
enum : uint16_t {
  kMenuMaintenance = 0x100,
  kMenuReports = 0x200,
  kMenuTransfers = 0x4,
  kMenuReorg = 0x2,
  kMenuHelp = 0x1,
  kMenuStart = 0x305,
};

// Receives a menu as it is built: the window system's menu bar, or a recorder in tests.
class MenuSink {
 public:
  virtual ~MenuSink() = default;
  // Opens a popup inside the innermost open one (on the bar when none is open).
  virtual Status Popup(Val title) = 0;
  // Appends an item to the innermost open popup (to the bar when none is open).
  virtual Status Item(uint16_t id, Val title) = 0;
  // Closes the innermost open popup.
  virtual Status Close() = 0;
};

// Generates the menu lines of a PPN menu (field 1 of `menu`, the file without extension)
// into the menu-line queue, walking its tree of modules from CALLER$ of record 1. The
// number of lines, or 0xFFFF after a failure (the queue then holds none of them and the
// detail text tells why: 164 for a missing record, 129 for a module that loads itself).
uint16_t MenuTreeBuild(Val menu);
// Builds the menu of `menu` into the sink: field 1 names the file (name.PMT, else name.PPN,
// each as given and then in the definition folders; a name with extension is taken as it
// is). 164 when no menu file exists or its lines cannot be read (nothing is shown); a
// failure while the lines become the menu (more items than identifiers, a sink failure) is
// shown in the error box and returned.
Status MenuBuild(Val menu, MenuSink* sink);
// Writes the lines of a template message (a comma list of quoted menu lines) to the open
// file: each unquoted, every "[$]" replaced by the task's name and a blank, ended by CR LF.
Status MenuTemplateWrite(uint16_t file, Val number, uint16_t task);
// Writes the default menu for the flags into a new generated PMT file, after `first_line`
// when it is not empty, and returns the file's name (an error value on failure).
Val DefaultMenuWrite(uint16_t flags, Val first_line);
// The main window's menu events (low byte): 16 runs the command of menu item bits 8-15,
// 17 is a close request (1 when closing), 19 opens the help index. A status of 122 or more
// is shown in the error box.
Status MenuCommand(uint16_t event);
// Whether the application may close: not while screens or windows are open ("0032"),
// without asking when _AUXSTAT has 0x20, else when the user answers yes to "0033".
int CloseConfirm();

}  // namespace orv

#endif  // ORVALE_SHELL_MENUS_H
