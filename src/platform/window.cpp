// Window classes, creation, destruction, the tree and message sending.
#include "platform/window.h"

#include <algorithm>
#include <cassert>

#include "core/cp1252.h"
#include "core/status.h"
#include "platform/canvas.h"
#include "platform/focus.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/timer.h"

namespace orv::platform {

static bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(uint8_t(a[i])) != AsciiUpper(uint8_t(b[i]))) return false;
  return true;
}

const WindowClass* FindClass(const WindowSystem& ws, std::string_view name) {
  for (const auto& c : ws.classes)
    if (SameName(c->name, name)) return c.get();
  return nullptr;
}

Status RegisterClass(WindowSystem& ws, std::string_view name, WndProc proc, uint32_t flags) {
  if (name.empty() || !proc || FindClass(ws, name)) return kDataError;
  ws.classes.push_back(std::make_unique<WindowClass>(WindowClass{std::string(name), proc, flags}));
  return kOk;
}

static Window* Slot(const WindowSystem& ws, Hwnd h) {
  uint32_t slot = (h.v & 0xFFFF);
  if (slot == 0 || slot > ws.windows.size()) return nullptr;
  --slot;
  if (ws.generations[slot] != (h.v >> 16)) return nullptr;
  return ws.windows[slot].get();
}

Window* Lookup(WindowSystem& ws, Hwnd h) {
  Window* w = Slot(ws, h);
  return w && !w->destroyed ? w : nullptr;
}

const Window* Lookup(const WindowSystem& ws, Hwnd h) {
  Window* w = Slot(ws, h);
  return w && !w->destroyed ? w : nullptr;
}

bool IsWindow(const WindowSystem& ws, Hwnd h) { return Lookup(ws, h) != nullptr; }

bool IsTopLevel(const Window& w) { return !(w.style & WS_CHILD); }

bool HasCaption(const Window& w) {
  return IsTopLevel(w) && (!(w.style & WS_POPUP) || (w.style & 0x00400000));
}

static void FreeSlot(WindowSystem& ws, Hwnd h) {
  uint32_t slot = (h.v & 0xFFFF) - 1;
  assert(ws.windows[slot] && ws.windows[slot]->destroyed && ws.windows[slot]->depth == 0);
  ws.windows[slot].reset();
  if (++ws.generations[slot] == 0) ws.generations[slot] = 1;
  ws.free_slots.push_back(slot);
}

// Calls a procedure for a window record, keeping the record alive while it runs.
static intptr_t Call(WindowSystem& ws, Window* w, WndProc proc, uint32_t msg, uintptr_t wp,
                     intptr_t lp) {
  Hwnd h = w->self;
  ++w->depth;
  intptr_t r = proc(ws, h, msg, wp, lp);
  if (--w->depth == 0 && w->destroyed) FreeSlot(ws, h);
  return r;
}

intptr_t SendMessage(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  Window* w = Lookup(ws, h);
  return w ? Call(ws, w, w->proc, msg, wp, lp) : 0;
}

intptr_t CallWindowProc(WindowSystem& ws, WndProc proc, Hwnd h, uint32_t msg, uintptr_t wp,
                        intptr_t lp) {
  Window* w = Lookup(ws, h);
  return w && proc ? Call(ws, w, proc, msg, wp, lp) : 0;
}

WndProc SetWindowProc(WindowSystem& ws, Hwnd h, WndProc proc) {
  Window* w = Lookup(ws, h);
  if (!w || !proc) return nullptr;
  WndProc old = w->proc;
  w->proc = proc;
  return old;
}

Hwnd CreateWindow(WindowSystem& ws, const CreateParams& p) {
  const WindowClass* cls = FindClass(ws, p.class_name);
  if (!cls) return {};
  bool child = p.style & WS_CHILD;
  if (p.parent && !IsWindow(ws, p.parent)) return {};
  if (child && !p.parent) return {};
  if (ws.windows.size() - ws.free_slots.size() >= kMaxWindows) return {};

  uint32_t slot;
  if (!ws.free_slots.empty()) {
    slot = ws.free_slots.back();
    ws.free_slots.pop_back();
  } else {
    slot = uint32_t(ws.windows.size());
    ws.windows.emplace_back();
    ws.generations.push_back(1);
  }
  auto w = std::make_unique<Window>();
  Hwnd h{(uint32_t(ws.generations[slot]) << 16) | (slot + 1)};
  w->self = h;
  w->cls = cls;
  w->proc = cls->proc;
  w->style = p.style & ~(WS_VISIBLE | WS_DISABLED);
  w->visible = p.style & WS_VISIBLE;
  w->enabled = !(p.style & WS_DISABLED);
  w->rect = p.rect;
  w->text = std::string(p.title);
  w->id = child ? p.id : 0;
  w->user = p.user;
  w->menu = child ? Hmenu{} : p.menu;
  if (child) {
    w->parent = p.parent;
    Lookup(ws, p.parent)->children.push_back(h);
  } else {
    w->owner = p.parent;
    ws.zorder.push_back(h);
  }
  ws.windows[slot] = std::move(w);

  if (SendMessage(ws, h, WM_CREATE, 0, reinterpret_cast<intptr_t>(&p)) == -1 || !IsWindow(ws, h)) {
    DestroyWindow(ws, h);
    return {};
  }
  Window* owner = child ? nullptr : Lookup(ws, p.parent);
  if (p.modal && owner) {
    Lookup(ws, h)->modal = true;
    ++owner->modal_disables;
    EnableWindow(ws, p.parent, false);
  }
  if (!child && IsWindow(ws, h) && Lookup(ws, h)->visible) Activate(ws, h);
  return IsWindow(ws, h) ? h : Hwnd{};
}

// The window and its descendants, leaving out subtrees that another DestroyWindow further up
// the stack is already taking down.
static void CollectTree(WindowSystem& ws, Hwnd h, std::vector<Hwnd>* out) {
  Window* w = Lookup(ws, h);
  if (!w || w->dying) return;
  out->push_back(h);
  for (Hwnd c : std::vector<Hwnd>(w->children)) CollectTree(ws, c, out);
}

bool DestroyWindow(WindowSystem& ws, Hwnd h) {
  Window* w = Lookup(ws, h);
  if (!w) return false;
  if (w->dying) return true;
  // Windows it owns (its dialogs and boxes) go first, as their owner's handle goes stale.
  for (Hwnd t : std::vector<Hwnd>(ws.zorder))
    if (const Window* tw = Lookup(ws, t); tw && tw->owner == h) DestroyWindow(ws, t);
  if (!IsWindow(ws, h)) return true;
  if (ws.focus && IsDescendant(ws, h, ws.focus)) SetFocus(ws, {});
  w = Lookup(ws, h);  // the kill-focus handler may have destroyed it already
  if (!w || w->dying) return true;

  std::vector<Hwnd> tree;
  CollectTree(ws, h, &tree);
  for (Hwnd t : tree) Lookup(ws, t)->dying = true;
  for (Hwnd t : tree) SendMessage(ws, t, WM_DESTROY);  // parents before their children

  w = Lookup(ws, h);
  bool top = IsTopLevel(*w);
  bool was_active = ActiveWindow(ws) == h;
  Hwnd owner = w->owner;
  bool modal = w->modal;
  if (Window* parent = Lookup(ws, w->parent)) {
    auto& sib = parent->children;
    sib.erase(std::remove(sib.begin(), sib.end(), h), sib.end());
  }
  if (top) ws.zorder.erase(std::remove(ws.zorder.begin(), ws.zorder.end(), h), ws.zorder.end());
  for (Hwnd t : tree) {
    Window* tw = Lookup(ws, t);
    if (!tw) continue;
    KillTimers(ws, t);
    if (tw->menu) DestroyMenu(ws, tw->menu);
    if (ws.track.active && ws.track.owner == t) MenuTrackCancel(ws);
    if (ws.focus == t) ws.focus = {};
    tw->destroyed = true;
  }
  std::erase_if(ws.queue, [&](const Msg& m) {
    return m.hwnd && std::find(tree.begin(), tree.end(), m.hwnd) != tree.end();
  });
  for (Hwnd t : tree)
    if (Window* tw = Slot(ws, t); tw && tw->depth == 0) FreeSlot(ws, t);

  if (modal) {
    if (Window* o = Lookup(ws, owner); o && --o->modal_disables == 0) EnableWindow(ws, owner, true);
  }
  if (top && (was_active || !ws.focus)) ActivateNext(ws, owner);
  return true;
}

Hwnd GetParent(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w ? w->parent : Hwnd{};
}

Hwnd GetOwner(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w ? w->owner : Hwnd{};
}

Hwnd RootOf(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  while (w && w->parent) {
    h = w->parent;
    w = Lookup(ws, h);
  }
  return w ? h : Hwnd{};
}

bool IsDescendant(const WindowSystem& ws, Hwnd ancestor, Hwnd h) {
  while (h) {
    if (h == ancestor) return true;
    const Window* w = Lookup(ws, h);
    if (!w) return false;
    h = w->parent;
  }
  return false;
}

Hwnd GetDlgItem(const WindowSystem& ws, Hwnd parent, uint32_t id) {
  const Window* w = Lookup(ws, parent);
  if (!w) return {};
  for (Hwnd c : w->children) {
    const Window* cw = Lookup(ws, c);
    if (cw && cw->id == id) return c;
    if (Hwnd d = GetDlgItem(ws, c, id)) return d;
  }
  return {};
}

std::vector<Hwnd> Children(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w ? w->children : std::vector<Hwnd>{};
}

uint32_t GetId(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w ? w->id : 0;
}

bool SetWindowText(WindowSystem& ws, Hwnd h, std::string_view text) {
  if (!IsWindow(ws, h)) return false;
  return SendMessage(ws, h, WM_SETTEXT, 0, reinterpret_cast<intptr_t>(&text)) != 0;
}

std::string GetWindowText(WindowSystem& ws, Hwnd h) {
  std::string out;
  SendMessage(ws, h, WM_GETTEXT, 0, reinterpret_cast<intptr_t>(&out));
  return out;
}

bool MoveWindow(WindowSystem& ws, Hwnd h, const Rect& r) {
  Window* w = Lookup(ws, h);
  if (!w) return false;
  Rect old = w->rect;
  w->rect = r;
  if (old.x != r.x || old.y != r.y) SendMessage(ws, h, WM_MOVE, 0, MakePoint(r.x, r.y));
  if (old.w != r.w || old.h != r.h) SendMessage(ws, h, WM_SIZE, 0, MakePoint(r.w, r.h));
  return true;
}

Rect GetWindowRect(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w ? w->rect : Rect{};
}

static int NonClientTop(const WindowSystem& ws, const Window& w) {
  if (!HasCaption(w)) return 0;
  return ws.metrics.caption_h() + (w.menu ? ws.metrics.menu_h() : 0);
}

Rect ClientRect(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  if (!w) return {};
  int bar = ws.metrics.scroll_bar;
  int cw = w->rect.w - (w->vbar.shown ? bar : 0);
  int ch = w->rect.h - NonClientTop(ws, *w) - (w->hbar.shown ? bar : 0);
  return Rect{0, 0, std::max(0, cw), std::max(0, ch)};
}

void ClientOrigin(const WindowSystem& ws, Hwnd h, int* x, int* y) {
  const Window* w = Lookup(ws, h);
  *x = *y = 0;
  if (!w) return;
  if (w->parent) {
    const Window* p = Lookup(ws, w->parent);
    ClientOrigin(ws, w->parent, x, y);
    *x += w->rect.x - (p ? p->hbar.pos : 0);
    *y += w->rect.y - (p ? p->vbar.pos : 0);
  } else {
    *x = w->rect.x;
    *y = w->rect.y + NonClientTop(ws, *w);
  }
}

bool ShowWindow(WindowSystem& ws, Hwnd h, bool show) {
  Window* w = Lookup(ws, h);
  if (!w) return false;
  bool was = w->visible;
  if (was == show) {
    if (show && IsTopLevel(*w)) Activate(ws, h);
    return was;
  }
  w->visible = show;
  SendMessage(ws, h, WM_SHOWWINDOW, show ? 1 : 0);
  if (!IsWindow(ws, h)) return was;
  bool top = IsTopLevel(*Lookup(ws, h));
  if (show && top) {
    Activate(ws, h);
  } else if (!show) {
    if (ws.focus && IsDescendant(ws, h, ws.focus)) SetFocus(ws, {});
    if (top) ActivateNext(ws, GetOwner(ws, h));
  }
  return was;
}

void SetScrollRange(WindowSystem& ws, Hwnd h, int bar, int min, int max, bool show) {
  Window* w = Lookup(ws, h);
  if (!w) return;
  ScrollBar& b = bar ? w->vbar : w->hbar;
  b.min = min;
  b.max = std::max(min, max);
  b.pos = std::clamp(b.pos, b.min, b.max);
  b.shown = show;
}

void SetScrollPos(WindowSystem& ws, Hwnd h, int bar, int pos) {
  Window* w = Lookup(ws, h);
  if (!w) return;
  ScrollBar& b = bar ? w->vbar : w->hbar;
  b.pos = std::clamp(pos, b.min, b.max);
}

int GetScrollPos(const WindowSystem& ws, Hwnd h, int bar) {
  const Window* w = Lookup(ws, h);
  return w ? (bar ? w->vbar.pos : w->hbar.pos) : 0;
}

void SetUserData(WindowSystem& ws, Hwnd h, intptr_t v) {
  if (Window* w = Lookup(ws, h)) w->user = v;
}

intptr_t GetUserData(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w ? w->user : 0;
}

uint32_t GetStyle(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w ? w->style : 0;
}

void NotifyParent(WindowSystem& ws, Hwnd h, uint32_t code) {
  const Window* w = Lookup(ws, h);
  if (!w || !w->parent) return;
  SendMessage(ws, w->parent, WM_COMMAND, MakeWParam(w->id, code), intptr_t(h.v));
}

intptr_t DefWindowProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  Window* w = Lookup(ws, h);
  if (!w) return 0;
  switch (msg) {
    case WM_CLOSE:
      DestroyWindow(ws, h);
      return 0;
    case WM_SETTEXT:
      w->text = std::string(*reinterpret_cast<const std::string_view*>(lp));
      return 1;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<std::string*>(lp);
      *out = w->text;
      return intptr_t(out->size());
    }
    case WM_PAINT: {
      auto* pc = reinterpret_cast<PaintContext*>(lp);
      pc->canvas.Fill(Rect{0, 0, pc->w, pc->h}, ' ', 0);
      return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      // The usual codes move the client area by a cell, a page, to the ends or to the
      // position given (SB_THUMBTRACK, high word).
      bool v = msg == WM_VSCROLL;
      ScrollBar& b = v ? w->vbar : w->hbar;
      int cell = v ? ws.metrics.cell_h : ws.metrics.cell_w;
      int page = v ? ClientRect(ws, h).h : ClientRect(ws, h).w;
      int pos = b.pos;
      switch (LoWord(wp)) {
        case SB_LINEUP: pos -= cell; break;
        case SB_LINEDOWN: pos += cell; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK: pos = int(HiWord(wp)); break;
        case SB_TOP: pos = b.min; break;
        case SB_BOTTOM: pos = b.max; break;
        default: break;
      }
      b.pos = std::clamp(pos, b.min, b.max);
      return 0;
    }
    case WM_SYSKEYDOWN:
      if (wp == VK_F10) return OpenMenuBar(ws, RootOf(ws, h), 0);
      if (IsAsciiAlpha(uint8_t(wp)) || IsDigit(uint8_t(wp)))
        return OpenMenuBar(ws, RootOf(ws, h), uint8_t(wp));
      return 0;
    default:
      return 0;
  }
}

}  // namespace orv::platform
