// Pixel geometry: metrics, rectangles, cells and pixels, fitting windows to the desktop,
// and the terminal view that follows the focus.
//
// The window code works in pixels, as the engine's screens compute them; what is drawn is a
// grid of character cells, a pixel position being divided by the cell size.
#ifndef ORVALE_PLATFORM_GEOMETRY_H
#define ORVALE_PLATFORM_GEOMETRY_H

#include <cstdint>

namespace orv::platform {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
  bool empty() const { return w <= 0 || h <= 0; }
  bool operator==(const Rect&) const = default;
};
Rect Intersect(const Rect& a, const Rect& b);

// Our own system metrics; a font record may change the cell.
struct Metrics {
  int cell_w = 8;        // system-font cell
  int cell_h = 16;
  int scroll_bar = 24;   // width of a vertical, height of a horizontal scroll bar
  Rect work_area{0, 0, 80 * 8, 24 * 16};  // the desktop, in pixels
  int caption_h() const { return cell_h; }
  int menu_h() const { return cell_h; }
};

// Cells from pixels: the nearest cell boundary, so that a control placed a quarter cell to
// the left of a column (as edit fields are) still starts in that column.
int CellOf(int px, int cell);
// A pixel rectangle as cells (x, y = first column and row; w, h = counts), at least one cell
// wide and high when the pixel rectangle is not empty.
Rect CellsOf(const Rect& px, const Metrics& m);

// The outer size of a top-level window whose client area is w by h: a caption row and, with
// a menu bar, a menu row above the client area.
Rect OuterForClient(int w, int h, bool has_menu, const Metrics& m);

// A size cut to the desktop. Each direction that is cut gets a scroll bar, which makes the
// other direction grow by the scroll-bar size; a direction grows at most once, so this always
// ends. `hbar` and `vbar` tell which bars are needed.
struct Fit {
  int w = 0, h = 0;
  bool hbar = false, vbar = false;
};
Fit FitToDesktop(int w, int h, const Metrics& m);

// A position moved back so that a window of size w by h lies on the desktop (its top-left
// corner wins when the window is larger than the desktop).
void ClampToDesktop(int* x, int* y, int w, int h, const Metrics& m);
// The top-left corner that centres w by h on the desktop.
void CentreOnDesktop(int* x, int* y, int w, int h, const Metrics& m);

// The view of a terminal of `view_w` by `view_h` cells on a grid of `grid_w` by `grid_h`
// cells: starting from the previous origin, the smallest move that shows all of `focus`
// (or its top-left corner when it is larger than the view), clamped to the grid. Returns
// the new origin in `*ox`, `*oy`.
void FollowFocus(int grid_w, int grid_h, int view_w, int view_h, const Rect& focus, int* ox,
                 int* oy);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_GEOMETRY_H
