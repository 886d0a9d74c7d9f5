// Dialog navigation.
#include "platform/dialog.h"

#include <algorithm>
#include <vector>

#include "platform/focus.h"
#include "platform/geometry.h"
#include "platform/messages.h"
#include "platform/queue.h"
#include "platform/window.h"

namespace orv::platform {

static void TabStops(WindowSystem& ws, Hwnd h, std::vector<Hwnd>* out) {
  for (Hwnd c : Children(ws, h)) {
    if ((GetStyle(ws, c) & WS_TABSTOP) && AcceptsInput(ws, c)) out->push_back(c);
    TabStops(ws, c, out);
  }
}

Hwnd NextTabStop(WindowSystem& ws, Hwnd root, Hwnd from, int dir) {
  std::vector<Hwnd> stops;
  TabStops(ws, root, &stops);
  if (stops.empty()) return {};
  auto it = std::find(stops.begin(), stops.end(), from);
  if (it == stops.end()) return dir > 0 ? stops.front() : stops.back();
  size_t i = size_t(it - stops.begin()), n = stops.size();
  return stops[dir > 0 ? (i + 1) % n : (i + n - 1) % n];
}

static bool IsPushButton(WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  if (!w || w->cls->name != "BUTTON") return false;
  uint32_t type = w->style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

static uint32_t DefaultId(WindowSystem& ws, Hwnd h) {
  for (Hwnd c : Children(ws, h)) {
    const Window* w = Lookup(ws, c);
    if (w && w->cls->name == "BUTTON" && (w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
        AcceptsInput(ws, c))
      return w->id;
    if (uint32_t id = DefaultId(ws, c)) return id;
  }
  return 0;
}

bool IsDialogMessage(WindowSystem& ws, const Msg& m) {
  if (m.message != WM_KEYDOWN) return false;
  Hwnd root = RootOf(ws, m.hwnd);
  const Window* r = Lookup(ws, root);
  if (!r || !(r->cls->flags & kClassDialog)) return false;
  Hwnd f = ws.focus && RootOf(ws, ws.focus) == root ? ws.focus : Hwnd{};
  uint32_t code = f && f != root ? uint32_t(SendMessage(ws, f, WM_GETDLGCODE, m.wparam)) : 0;
  if (code & DLGC_WANTALLKEYS) return false;
  bool ctrl = ws.keys[VK_CONTROL], alt = ws.keys[VK_MENU], shift = ws.keys[VK_SHIFT];
  switch (m.wparam) {
    case VK_TAB:
      if (ctrl || alt) return false;
      if (Hwnd n = NextTabStop(ws, root, f, shift ? -1 : 1)) SetFocus(ws, n);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (!(code & DLGC_BUTTON)) return false;
      if (Hwnd n = NextTabStop(ws, root, f, m.wparam == VK_LEFT || m.wparam == VK_UP ? -1 : 1))
        SetFocus(ws, n);
      return true;
    case VK_RETURN: {
      uint32_t id = f && IsPushButton(ws, f) ? GetId(ws, f) : DefaultId(ws, root);
      PostMessage(ws, root, WM_COMMAND, MakeWParam(id ? id : uint32_t(IDOK), BN_CLICKED));
      return true;
    }
    case VK_ESCAPE:
      PostMessage(ws, root, WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED));
      return true;
    default:
      return false;
  }
}

Hwnd CreateDialogWindow(WindowSystem& ws, std::string_view cls, std::string_view title, int cols,
                        int rows, Hwnd owner, intptr_t user) {
  const Metrics& m = ws.metrics;
  Rect r = OuterForClient(cols * m.cell_w, rows * m.cell_h, false, m);
  r.w = std::min(r.w, m.work_area.w);
  r.h = std::min(r.h, m.work_area.h);
  CentreOnDesktop(&r.x, &r.y, r.w, r.h, m);
  CreateParams p;
  p.class_name = cls;
  p.title = title;
  p.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
  p.rect = r;
  p.parent = owner ? owner : ActiveWindow(ws);
  p.modal = true;
  p.user = user;
  return CreateWindow(ws, p);
}

Status RunDialog(WindowSystem& ws, Hwnd dlg) {
  Status st = RunLoop(ws, dlg);
  if (IsWindow(ws, dlg)) DestroyWindow(ws, dlg);
  return st;
}

}  // namespace orv::platform
