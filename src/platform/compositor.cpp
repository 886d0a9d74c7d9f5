// Drawing the window tree into cells, and the text views of screen and tree.
#include "platform/compositor.h"

#include <algorithm>
#include <cstdio>

#include "platform/focus.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

static Rect ClientCells(const WindowSystem& ws, Hwnd h) {
  int x, y;
  ClientOrigin(ws, h, &x, &y);
  Rect c = ClientRect(ws, h);
  return CellsOf(Rect{x, y, c.w, c.h}, ws.metrics);
}

Rect WindowCells(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  if (!w) return {};
  if (IsTopLevel(*w)) return CellsOf(w->rect, ws.metrics);
  return ClientCells(ws, h);
}

static void DrawScrollBars(WindowSystem& ws, const Window& w, Canvas desk) {
  int x, y;
  ClientOrigin(ws, w.self, &x, &y);
  Rect c = ClientRect(ws, w.self);
  int bar = ws.metrics.scroll_bar;
  auto thumb = [](const ScrollBar& b, int len) {
    if (len <= 2 || b.max <= b.min) return 1;
    return 1 + int(int64_t(b.pos - b.min) * (len - 3) / (b.max - b.min));
  };
  if (w.vbar.shown) {
    Rect r = CellsOf(Rect{x + c.w, y, bar, c.h}, ws.metrics);
    int mid = r.x + r.w / 2;
    desk.Fill(r, ' ', 0);
    for (int i = 0; i < r.h; ++i) desk.Put(mid, r.y + i, ':', 0);
    desk.Put(mid, r.y, '^', 0);
    desk.Put(mid, r.bottom() - 1, 'v', 0);
    if (r.h > 2) desk.Put(mid, r.y + thumb(w.vbar, r.h), '#', 0);
  }
  if (w.hbar.shown) {
    Rect r = CellsOf(Rect{x, y + c.h, c.w, bar}, ws.metrics);
    desk.Fill(r, ' ', 0);
    for (int i = 0; i < r.w; ++i) desk.Put(r.x + i, r.y, '-', 0);
    desk.Put(r.x, r.y, '<', 0);
    desk.Put(r.right() - 1, r.y, '>', 0);
    if (r.w > 2) desk.Put(r.x + thumb(w.hbar, r.w), r.y, '#', 0);
  }
}

static void PaintTree(WindowSystem& ws, CellGrid* grid, Hwnd h, const Rect& clip) {
  const Window* w = Lookup(ws, h);
  if (!w || !w->visible) return;
  Rect cr = ClientCells(ws, h);
  Rect inner = Intersect(cr, clip);
  PaintContext pc{Canvas(grid, inner, cr.x, cr.y), cr.w, cr.h, ws.focus == h, true};
  for (const Window* a = w; a; a = Lookup(ws, a->parent))
    if (!a->enabled) pc.enabled = false;
  SendMessage(ws, h, WM_PAINT, 0, reinterpret_cast<intptr_t>(&pc));
  std::vector<Hwnd> kids = Children(ws, h);
  for (bool overlay : {false, true})
    for (Hwnd c : kids)
      if (const Window* cw = Lookup(ws, c); cw && cw->overlay == overlay)
        PaintTree(ws, grid, c, inner);
  w = Lookup(ws, h);
  if (!w) return;
  Canvas desk(grid, clip, 0, 0);
  if (!IsTopLevel(*w)) DrawScrollBars(ws, *w, desk);
  if (!w->enabled) desk.AddAttr(Intersect(WindowCells(ws, h), clip), kAttrDim);
}

static void DrawTopLevel(WindowSystem& ws, CellGrid* grid, Hwnd h, bool active) {
  const Window* w = Lookup(ws, h);
  Rect all{0, 0, grid->w, grid->h};
  Canvas desk(grid, all, 0, 0);
  Rect oc = CellsOf(w->rect, ws.metrics);
  desk.Fill(oc, ' ', 0);
  if (HasCaption(*w)) {
    uint8_t attr = kAttrReverse | (active ? kAttrBold : 0);
    desk.Fill(Rect{oc.x, oc.y, oc.w, 1}, active ? '=' : '-', attr);
    std::string title = " " + w->text + " ";
    if (int(title.size()) > oc.w) title.resize(size_t(std::max(0, oc.w)));
    desk.Text(oc.x + (oc.w - int(title.size())) / 2, oc.y, title, attr);
    if (w->menu) DrawMenuBar(ws, h, desk.Sub(Rect{oc.x, oc.y + 1, oc.w, 1}), oc.w);
  }
  PaintTree(ws, grid, h, Intersect(oc, all));
  if ((w = Lookup(ws, h))) DrawScrollBars(ws, *w, Canvas(grid, Intersect(oc, all), 0, 0));
}

void Compose(WindowSystem& ws, CellGrid* grid, Rect* focus) {
  const Rect& wa = ws.metrics.work_area;
  grid->Reset(std::max(1, wa.w / ws.metrics.cell_w), std::max(1, wa.h / ws.metrics.cell_h));
  Hwnd active = ActiveWindow(ws);
  for (Hwnd h : std::vector<Hwnd>(ws.zorder)) {
    const Window* w = Lookup(ws, h);
    if (w && w->visible) DrawTopLevel(ws, grid, h, h == active);
  }
  DrawTrackedMenus(ws, grid);
  *focus = ws.focus ? WindowCells(ws, ws.focus) : Rect{};
}

std::string Snapshot(WindowSystem& ws) {
  CellGrid g;
  Rect f;
  Compose(ws, &g, &f);
  return g.Text();
}

static void DumpOne(const WindowSystem& ws, Hwnd h, int depth, Hwnd active, std::string* out) {
  const Window* w = Lookup(ws, h);
  if (!w) return;
  char buf[160];
  std::snprintf(buf, sizeof buf, "%*s#%u %s", depth * 2, "", unsigned(h.v & 0xFFFF),
                w->cls->name.c_str());
  *out += buf;
  if (w->id) *out += " id=" + std::to_string(w->id);
  *out += " \"";
  for (unsigned char c : w->text) *out += c < 0x20 ? '?' : char(c);
  std::snprintf(buf, sizeof buf, "\" %d,%d %dx%d", w->rect.x, w->rect.y, w->rect.w, w->rect.h);
  *out += buf;
  if (!w->visible) *out += " hidden";
  if (!w->enabled) *out += " disabled";
  if (ws.focus == h) *out += " focus";
  if (active == h) *out += " active";
  *out += '\n';
  for (Hwnd c : w->children) DumpOne(ws, c, depth + 1, active, out);
}

std::string DumpTree(const WindowSystem& ws) {
  std::string out;
  Hwnd active = ActiveWindow(ws);
  for (Hwnd h : ws.zorder) DumpOne(ws, h, 0, active, &out);
  return out;
}

}  // namespace orv::platform
