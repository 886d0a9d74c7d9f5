// Keyboard navigation in dialog windows (classes registered with kClassDialog): Tab and
// Shift+Tab move between the controls with WS_TABSTOP, arrows move between buttons, Enter
// presses the focused push button or else the default one (BS_DEFPUSHBUTTON, else IDOK),
// Esc presses IDCANCEL. A control keeps keys it asks for through WM_GETDLGCODE.
#ifndef ORVALE_PLATFORM_DIALOG_H
#define ORVALE_PLATFORM_DIALOG_H

#include <string_view>

#include "core/val.h"
#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

// Creates a visible modal dialog window of class `cls` whose client area is `cols` by `rows`
// cells, centred on the desktop, owned by `owner` (the active window when null); `user` is
// its user data. Null when it cannot be created.
Hwnd CreateDialogWindow(WindowSystem& ws, std::string_view cls, std::string_view title, int cols,
                        int rows, Hwnd owner, intptr_t user);
// Runs a loop until `dlg` is destroyed. A dialog still open when the loop ends otherwise
// (input failed, or a quit for a loop around it) is destroyed. 0, or the failure status.
Status RunDialog(WindowSystem& ws, Hwnd dlg);

// True when `m` was a navigation key of a dialog and has been handled.
bool IsDialogMessage(WindowSystem& ws, const Msg& m);
// The next (dir 1) or previous (dir -1) control of `root` that takes Tab after `from`,
// wrapping; null when there is none.
Hwnd NextTabStop(WindowSystem& ws, Hwnd root, Hwnd from, int dir);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_DIALOG_H
