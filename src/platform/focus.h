// Keyboard focus, enabling and disabling, and the stacking order of top-level windows.
//
// A window gets input only when it and every ancestor are enabled and visible; the focus
// never rests on any other window. Focus changes send WM_KILLFOCUS to the window losing it
// before WM_SETFOCUS to the window getting it.
#ifndef ORVALE_PLATFORM_FOCUS_H
#define ORVALE_PLATFORM_FOCUS_H

#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

// Moves the focus to `h` (null: nowhere). Kill-focus goes to the old window while the focus
// is nowhere; when its handler moves the focus itself, that move wins and `h` gets nothing.
// Refused (null returned, nothing sent) for a window that cannot take input. Scrolled
// ancestors are scrolled to show `h` first. Returns the window that had the focus.
Hwnd SetFocus(WindowSystem& ws, Hwnd h);
Hwnd GetFocus(const WindowSystem& ws);

// Enables or disables a window (WM_ENABLE follows). Disabling the window that holds the
// focus, or one of its ancestors, takes the focus away. Returns whether it was disabled.
bool EnableWindow(WindowSystem& ws, Hwnd h, bool enable);
bool IsWindowEnabled(const WindowSystem& ws, Hwnd h);
// Enabled itself and every ancestor, and visible: the window can take input.
bool AcceptsInput(const WindowSystem& ws, Hwnd h);

// The topmost visible top-level window, which gets the keyboard when no window has focus.
Hwnd ActiveWindow(const WindowSystem& ws);
// Puts a top-level window on top of the stacking order and gives it the focus it had last
// (itself when that is gone).
void Activate(WindowSystem& ws, Hwnd h);
// Activates the best window after `gone` went away: its owner when that can take input,
// else the topmost visible window.
void ActivateNext(WindowSystem& ws, Hwnd owner);

// Top-level windows in stacking order, bottom first.
const std::vector<Hwnd>& ZOrder(const WindowSystem& ws);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_FOCUS_H
