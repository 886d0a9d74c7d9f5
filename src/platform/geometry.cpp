// Pixel geometry: cells, fitting to the desktop and the view that follows the focus.
#include "platform/geometry.h"

#include <algorithm>
#include <cassert>

namespace orv::platform {

Rect Intersect(const Rect& a, const Rect& b) {
  int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  int x1 = std::min(a.right(), b.right()), y1 = std::min(a.bottom(), b.bottom());
  if (x1 <= x0 || y1 <= y0) return Rect{x0, y0, 0, 0};
  return Rect{x0, y0, x1 - x0, y1 - y0};
}

int CellOf(int px, int cell) {
  assert(cell > 0);
  // Floor division of px + cell/2, also right for negative positions.
  int v = px + cell / 2;
  return v >= 0 ? v / cell : -((-v + cell - 1) / cell);
}

Rect CellsOf(const Rect& px, const Metrics& m) {
  Rect c;
  c.x = CellOf(px.x, m.cell_w);
  c.y = CellOf(px.y, m.cell_h);
  if (px.empty()) return c;
  c.w = std::max(1, CellOf(px.right(), m.cell_w) - c.x);
  c.h = std::max(1, CellOf(px.bottom(), m.cell_h) - c.y);
  return c;
}

Rect OuterForClient(int w, int h, bool has_menu, const Metrics& m) {
  return Rect{0, 0, w, h + m.caption_h() + (has_menu ? m.menu_h() : 0)};
}

Fit FitToDesktop(int w, int h, const Metrics& m) {
  Fit f{w, h, false, false};
  int dw = m.work_area.w, dh = m.work_area.h;
  // At most two rounds: a bar added in one direction can make the other too large once.
  for (int round = 0; round < 2; ++round) {
    if (f.w > dw) {
      f.w = dw;
      if (!f.hbar) {
        f.hbar = true;
        f.h += m.scroll_bar;
      }
    }
    if (f.h > dh) {
      f.h = dh;
      if (!f.vbar) {
        f.vbar = true;
        f.w += m.scroll_bar;
      }
    }
  }
  assert(f.w <= dw && f.h <= dh);
  return f;
}

void ClampToDesktop(int* x, int* y, int w, int h, const Metrics& m) {
  const Rect& d = m.work_area;
  *x = std::max(d.x, std::min(*x, d.x + std::max(0, d.w - w)));
  *y = std::max(d.y, std::min(*y, d.y + std::max(0, d.h - h)));
}

void CentreOnDesktop(int* x, int* y, int w, int h, const Metrics& m) {
  const Rect& d = m.work_area;
  *x = d.x + std::max(0, (d.w - w) / 2);
  *y = d.y + std::max(0, (d.h - h) / 2);
}

static int FollowAxis(int grid, int view, int lo, int len, int origin) {
  if (grid <= view) return 0;
  if (len > view) len = view;  // show the start of something larger than the view
  if (lo < origin) origin = lo;
  if (lo + len > origin + view) origin = lo + len - view;
  return std::clamp(origin, 0, grid - view);
}

void FollowFocus(int grid_w, int grid_h, int view_w, int view_h, const Rect& focus, int* ox,
                 int* oy) {
  *ox = FollowAxis(grid_w, view_w, focus.x, focus.w, *ox);
  *oy = FollowAxis(grid_h, view_h, focus.y, focus.h, *oy);
}

}  // namespace orv::platform
