// The window system's records: handles, messages, classes, windows, menus and timers.
#ifndef ORVALE_PLATFORM_TYPES_H
#define ORVALE_PLATFORM_TYPES_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace orv::platform {

struct WindowSystem;

// A window handle: slot + 1 in the low 16 bits, the slot's generation in the high 16. A
// handle whose window was destroyed no longer matches its slot and is refused everywhere.
struct Hwnd {
  uint32_t v = 0;
  explicit operator bool() const { return v != 0; }
  bool operator==(const Hwnd&) const = default;
};

// A menu handle, built the same way over the menu table.
struct Hmenu {
  uint32_t v = 0;
  explicit operator bool() const { return v != 0; }
  bool operator==(const Hmenu&) const = default;
};

struct Msg {
  Hwnd hwnd;
  uint32_t message = 0;
  uintptr_t wparam = 0;
  intptr_t lparam = 0;
  uint8_t ch = 0;  // key-down messages: the character TranslateMessage turns it into
};

using WndProc = intptr_t (*)(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);

// Class flags.
inline constexpr uint32_t kClassDialog = 1;  // Tab, Enter and Esc navigate (IsDialogMessage)

struct WindowClass {
  std::string name;
  WndProc proc = nullptr;
  uint32_t flags = 0;
};

// What a control class keeps per window.
struct ControlState {
  virtual ~ControlState() = default;
};

struct ScrollBar {
  int min = 0, max = 0, pos = 0;
  bool shown = false;
};

struct Window {
  Hwnd self;
  const WindowClass* cls = nullptr;
  WndProc proc = nullptr;
  Hwnd parent;  // child windows (WS_CHILD) only
  Hwnd owner;   // top-level windows: the window they belong to
  std::vector<Hwnd> children;  // in creation order, later ones drawn on top
  uint32_t style = 0;
  uint32_t id = 0;
  Rect rect;  // pixels; relative to the parent's client area, or on the desktop
  std::string text;
  bool enabled = true;
  bool visible = false;
  bool dying = false;      // DestroyWindow is sending WM_DESTROY through its tree
  bool destroyed = false;  // DestroyWindow ran; freed once no handler of it is running
  int depth = 0;           // handlers of this window on the stack
  int modal_disables = 0;  // modal windows that keep this one disabled
  bool modal = false;      // this window disabled its owner when it was created
  bool overlay = false;    // drawn after its siblings (an open drop-down list)
  Hmenu menu;
  ScrollBar hbar, vbar;
  Hwnd last_focus;  // top-level windows: the focus to give back on activation
  intptr_t user = 0;
  std::unique_ptr<ControlState> state;
};

struct MenuItem {
  std::string text;
  uint32_t id = 0;
  Hmenu popup;
  bool separator = false;
  bool enabled = true;
};

struct Menu {
  bool live = false;
  uint16_t gen = 1;
  std::vector<MenuItem> items;
};

// Menu tracking: the menu bar or a pop-up menu being worked with the keyboard.
struct MenuTrack {
  bool active = false;
  bool bar = false;       // tracking the owner's menu bar (else a pop-up menu)
  bool return_cmd = false;
  Hwnd owner;
  Hmenu root;
  std::vector<int> path;  // highlighted item per level; level 0 is the bar or the pop-up
  int open = 0;           // levels whose pop-up is shown (a bar's first pop-up is level 1)
  int x = 0, y = 0;       // pop-up menus: the anchor (left, bottom) in cells
  uint32_t chosen = 0;
};

struct Timer {
  Hwnd hwnd;
  uintptr_t id = 0;
  uint32_t interval = 0;
  uint64_t due = 0;
  bool pending = false;  // a WM_TIMER of it is in the queue
};

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_TYPES_H
