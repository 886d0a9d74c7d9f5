// The control classes: "STATIC", "EDIT" (single line, or with ES_MULTILINE a read-only
// multi-line text view), "BUTTON" (push buttons, state buttons, check boxes that do not
// toggle themselves), "LISTBOX", "COMBOBOX", "SysListView32" (the grid) and
// "msctls_progress32". Each notifies its parent as the engine's window code expects:
// WM_COMMAND (id, code) for edits, buttons, list and combo boxes, WM_NOTIFY with a
// ListViewNotify for the grid.
#ifndef ORVALE_PLATFORM_CONTROLS_H
#define ORVALE_PLATFORM_CONTROLS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

void RegisterControlClasses(WindowSystem& ws);

// The procedures of the classes (each in its own file).
intptr_t StaticProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);
intptr_t ButtonProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);
intptr_t ProgressProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);
intptr_t EditProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);
intptr_t TextViewProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);
intptr_t ListBoxProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);
intptr_t ComboProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);
intptr_t ListViewProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);

// Creates a visible child control.
Hwnd CreateControl(WindowSystem& ws, Hwnd parent, std::string_view cls, std::string_view text,
                   uint32_t style, const Rect& rect, uint32_t id);

// Whole cell rows of the client area (at least 1).
int ClientRows(const WindowSystem& ws, Hwnd h);

// Sends a message whose lParam is a text (LB_ADDSTRING, CB_ADDSTRING, STM_SETIMAGE ...).
intptr_t SendText(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, std::string_view text);
// Sends a message that answers a text (LB_GETTEXT, CB_GETLBTEXT); empty when there is none.
std::string ReceiveText(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp);

// Grid columns and cells (lParam of the LVM_ messages).
struct ListViewColumn {
  std::string title;
  int width = 0;  // pixels
  bool right = false;
};
struct ListViewCell {
  int row = 0;
  int col = 0;
  std::string text;  // in for LVM_INSERTITEM (column 0) and LVM_SETITEMTEXT, out for GET
};

// What WM_NOTIFY carries in lParam (wParam: the control id).
struct NotifyHeader {
  Hwnd from;
  uint32_t id = 0;
  int32_t code = 0;
};
struct ListViewNotify {
  NotifyHeader hdr;
  int row = -1;       // the row concerned (the selected one for keys)
  uint16_t vkey = 0;  // LVN_KEYDOWN: the key
};

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_CONTROLS_H
