// Focus, enabling and the stacking order.
#include "platform/focus.h"

#include <algorithm>

#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

bool AcceptsInput(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  while (w) {
    if (!w->enabled || !w->visible || w->dying) return false;
    if (!w->parent) return true;
    w = Lookup(ws, w->parent);
  }
  return false;
}

static void Raise(WindowSystem& ws, Hwnd top) {
  auto it = std::find(ws.zorder.begin(), ws.zorder.end(), top);
  if (it == ws.zorder.end() || it + 1 == ws.zorder.end()) return;
  ws.zorder.erase(it);
  ws.zorder.push_back(top);
}

// Scrolls every scrolled ancestor of `h` (through WM_HSCROLL and WM_VSCROLL with
// SB_THUMBTRACK) so that `h` is shown, as a keyboard user cannot reach the scroll bars.
static void ScrollIntoView(WindowSystem& ws, Hwnd h) {
  for (const Window* c = Lookup(ws, h); c && c->parent; c = Lookup(ws, c->parent)) {
    Hwnd p = c->parent;
    const Window* pw = Lookup(ws, p);
    if (!pw) return;
    Rect client = ClientRect(ws, p);
    Rect r = c->rect;
    for (int bar = 0; bar < 2; ++bar) {
      const ScrollBar& b = bar ? pw->vbar : pw->hbar;
      if (!b.shown) continue;
      int lo = bar ? r.y : r.x, len = bar ? r.h : r.w, view = bar ? client.h : client.w;
      int pos = b.pos;
      if (lo + len > pos + view) pos = lo + len - view;
      if (lo < pos) pos = lo;
      pos = std::clamp(pos, b.min, b.max);
      if (pos != b.pos)
        SendMessage(ws, p, bar ? WM_VSCROLL : WM_HSCROLL, MakeWParam(SB_THUMBTRACK, uint32_t(pos)));
      if (!(pw = Lookup(ws, p))) return;
    }
  }
}

Hwnd SetFocus(WindowSystem& ws, Hwnd h) {
  Hwnd old = ws.focus;
  if (h == old) return old;
  if (h && !AcceptsInput(ws, h)) return {};
  uint32_t serial = ++ws.focus_serial;
  ws.focus = {};
  if (IsWindow(ws, old)) SendMessage(ws, old, WM_KILLFOCUS, h.v);
  if (ws.focus_serial != serial) return old;  // the handler moved the focus itself
  if (!h) return old;
  if (!AcceptsInput(ws, h)) return old;  // the handler took `h` away
  ws.focus = h;
  Hwnd root = RootOf(ws, h);
  Lookup(ws, root)->last_focus = h;
  Raise(ws, root);
  ScrollIntoView(ws, h);
  if (ws.focus == h) SendMessage(ws, h, WM_SETFOCUS, old.v);
  return old;
}

Hwnd GetFocus(const WindowSystem& ws) { return ws.focus; }

bool EnableWindow(WindowSystem& ws, Hwnd h, bool enable) {
  Window* w = Lookup(ws, h);
  if (!w) return false;
  bool was_disabled = !w->enabled;
  if (w->enabled == enable) return was_disabled;
  w->enabled = enable;
  if (!enable && ws.focus && IsDescendant(ws, h, ws.focus)) SetFocus(ws, {});
  SendMessage(ws, h, WM_ENABLE, enable ? 1 : 0);
  return was_disabled;
}

bool IsWindowEnabled(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w && w->enabled;
}

Hwnd ActiveWindow(const WindowSystem& ws) {
  for (auto it = ws.zorder.rbegin(); it != ws.zorder.rend(); ++it) {
    const Window* w = Lookup(ws, *it);
    if (w && w->visible && !w->dying) return *it;
  }
  return {};
}

void Activate(WindowSystem& ws, Hwnd h) {
  Window* w = Lookup(ws, h);
  if (!w || !IsTopLevel(*w)) return;
  Raise(ws, h);
  if (ws.focus && RootOf(ws, ws.focus) == h) return;
  if (!AcceptsInput(ws, h)) {
    if (ws.focus) SetFocus(ws, {});
    return;
  }
  Hwnd target = w->last_focus;
  if (!IsWindow(ws, target) || !IsDescendant(ws, h, target) || !AcceptsInput(ws, target))
    target = h;
  SetFocus(ws, target);
}

void ActivateNext(WindowSystem& ws, Hwnd owner) {
  Hwnd root = RootOf(ws, owner);
  if (root && AcceptsInput(ws, root)) {
    Activate(ws, root);
    return;
  }
  if (Hwnd top = ActiveWindow(ws)) Activate(ws, top);
}

const std::vector<Hwnd>& ZOrder(const WindowSystem& ws) { return ws.zorder; }

}  // namespace orv::platform
