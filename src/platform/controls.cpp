// Registration of the control classes and helpers shared by their users.
#include "platform/controls.h"

#include <algorithm>

#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

void RegisterControlClasses(WindowSystem& ws) {
  RegisterClass(ws, "STATIC", StaticProc, 0);
  RegisterClass(ws, "EDIT", EditProc, 0);
  RegisterClass(ws, "BUTTON", ButtonProc, 0);
  RegisterClass(ws, "LISTBOX", ListBoxProc, 0);
  RegisterClass(ws, "COMBOBOX", ComboProc, 0);
  RegisterClass(ws, "SysListView32", ListViewProc, 0);
  RegisterClass(ws, "msctls_progress32", ProgressProc, 0);
}

Hwnd CreateControl(WindowSystem& ws, Hwnd parent, std::string_view cls, std::string_view text,
                   uint32_t style, const Rect& rect, uint32_t id) {
  CreateParams p;
  p.class_name = cls;
  p.title = text;
  p.style = style | WS_CHILD | WS_VISIBLE;
  p.rect = rect;
  p.parent = parent;
  p.id = id;
  return CreateWindow(ws, p);
}

int ClientRows(const WindowSystem& ws, Hwnd h) {
  return std::max(1, ClientRect(ws, h).h / ws.metrics.cell_h);
}

intptr_t SendText(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, std::string_view text) {
  return SendMessage(ws, h, msg, wp, reinterpret_cast<intptr_t>(&text));
}

std::string ReceiveText(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp) {
  std::string out;
  SendMessage(ws, h, msg, wp, reinterpret_cast<intptr_t>(&out));
  return out;
}

}  // namespace orv::platform
