// Windows: classes, creation, destruction, the window tree, sending messages and
// subclassing.
//
// Destruction is immediate for the outside world (the handle is refused from then on) but the
// window's record is freed only when no handler of it is running, so a window may destroy
// itself, or its parent, from inside its own procedure.
#ifndef ORVALE_PLATFORM_WINDOW_H
#define ORVALE_PLATFORM_WINDOW_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/val.h"
#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

// Registers a class. Names compare ignoring ASCII case. 0, or 163 when the name is empty,
// already registered, or the procedure is null.
Status RegisterClass(WindowSystem& ws, std::string_view name, WndProc proc, uint32_t flags);
const WindowClass* FindClass(const WindowSystem& ws, std::string_view name);

struct CreateParams {
  std::string_view class_name;
  std::string_view title;
  uint32_t style = 0;  // WS_CHILD makes a child of `parent`; else a top-level window
  Rect rect;           // pixels, relative to the parent's client area or the desktop
  Hwnd parent;         // the parent (child windows) or the owner (top-level windows)
  uint32_t id = 0;     // child windows: the control id
  Hmenu menu;          // top-level windows: the menu bar (owned by the window from then on)
  bool modal = false;  // top-level windows: keep the owner disabled while this one lives
  intptr_t user = 0;   // initial user data, readable in WM_CREATE
};

// Creates a window: WM_CREATE is sent (lParam: the CreateParams); a result of -1 destroys it
// again. A visible top-level window becomes the active window. A modal window disables its
// owner only once it exists, so a failed creation leaves the owner as it was. Null when the
// class is unknown, the parent or owner is not a window, the table is full, or WM_CREATE
// refused.
Hwnd CreateWindow(WindowSystem& ws, const CreateParams& p);

// Destroys the top-level windows `h` owns, then `h` and its descendants: kill-focus to the focused one, WM_DESTROY to the
// window and then to each descendant, timers and queued messages dropped; a modal window
// gives its owner back its input and the next window is activated. False for a handle that
// is not a window.
bool DestroyWindow(WindowSystem& ws, Hwnd h);

// The record of a live window, or null for a stale or null handle.
Window* Lookup(WindowSystem& ws, Hwnd h);
const Window* Lookup(const WindowSystem& ws, Hwnd h);
bool IsWindow(const WindowSystem& ws, Hwnd h);

// Calls the window's procedure at once (re-entrant). 0 for a handle that is not a window.
intptr_t SendMessage(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp = 0, intptr_t lp = 0);
// Calls `proc` for the window: how a subclass procedure chains to the one it replaced.
intptr_t CallWindowProc(WindowSystem& ws, WndProc proc, Hwnd h, uint32_t msg, uintptr_t wp,
                        intptr_t lp);
// The default handling: WM_CLOSE destroys, WM_SETTEXT/WM_GETTEXT keep the text, WM_PAINT
// clears the client area, F10 and Alt+letter open the menu bar of the top-level window.
intptr_t DefWindowProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);
// Replaces the window's procedure; returns the one it had (null for a non-window).
WndProc SetWindowProc(WindowSystem& ws, Hwnd h, WndProc proc);

// The tree.
Hwnd GetParent(const WindowSystem& ws, Hwnd h);
Hwnd GetOwner(const WindowSystem& ws, Hwnd h);
// The top-level window that contains h (h itself for a top-level window).
Hwnd RootOf(const WindowSystem& ws, Hwnd h);
bool IsDescendant(const WindowSystem& ws, Hwnd ancestor, Hwnd h);  // h == ancestor counts
// The first descendant (depth first, in creation order) with the control id.
Hwnd GetDlgItem(const WindowSystem& ws, Hwnd parent, uint32_t id);
std::vector<Hwnd> Children(const WindowSystem& ws, Hwnd h);
uint32_t GetId(const WindowSystem& ws, Hwnd h);
bool IsTopLevel(const Window& w);
bool HasCaption(const Window& w);

// Text through WM_SETTEXT and WM_GETTEXT (so classes and subclasses see it).
bool SetWindowText(WindowSystem& ws, Hwnd h, std::string_view text);
std::string GetWindowText(WindowSystem& ws, Hwnd h);

// Placement in pixels (relative to the parent's client area, or on the desktop); WM_MOVE and
// WM_SIZE follow. The client area of a top-level window lies below its caption and menu rows
// and left of and above its scroll bars.
bool MoveWindow(WindowSystem& ws, Hwnd h, const Rect& r);
Rect GetWindowRect(const WindowSystem& ws, Hwnd h);
Rect ClientRect(const WindowSystem& ws, Hwnd h);  // at (0, 0), as its size
// The client area's top-left corner on the desktop, in pixels (scroll offsets applied).
void ClientOrigin(const WindowSystem& ws, Hwnd h, int* x, int* y);

// Shows or hides; showing a top-level window activates it. Returns whether it was visible.
bool ShowWindow(WindowSystem& ws, Hwnd h, bool show);

// Scroll bars: 0 is the horizontal bar, 1 the vertical one. The client area scrolls by the
// bar's position (pixels), which is kept within the range.
void SetScrollRange(WindowSystem& ws, Hwnd h, int bar, int min, int max, bool show);
void SetScrollPos(WindowSystem& ws, Hwnd h, int bar, int pos);
int GetScrollPos(const WindowSystem& ws, Hwnd h, int bar);

void SetUserData(WindowSystem& ws, Hwnd h, intptr_t v);
intptr_t GetUserData(const WindowSystem& ws, Hwnd h);
uint32_t GetStyle(const WindowSystem& ws, Hwnd h);

// The state a control class keeps for a window, created on first use.
template <typename T>
T* StateOf(WindowSystem& ws, Hwnd h) {
  Window* w = Lookup(ws, h);
  if (!w) return nullptr;
  if (!w->state) w->state = std::make_unique<T>();
  return static_cast<T*>(w->state.get());
}

// Sends WM_COMMAND (id, code) from control `h` to its parent.
void NotifyParent(WindowSystem& ws, Hwnd h, uint32_t code);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_WINDOW_H
