// The grid of character cells that windows are drawn into, and a clipped drawing surface
// onto part of it.
#ifndef ORVALE_PLATFORM_CANVAS_H
#define ORVALE_PLATFORM_CANVAS_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

namespace orv::platform {

// Cell attributes.
inline constexpr uint8_t kAttrReverse = 1;    // captions, selections, the focused item
inline constexpr uint8_t kAttrDim = 2;        // disabled windows
inline constexpr uint8_t kAttrUnderline = 4;  // edit fields
inline constexpr uint8_t kAttrBold = 8;       // the active window's caption

struct Cell {
  uint8_t ch = ' ';  // CP1252, never a control character
  uint8_t attr = 0;
  bool operator==(const Cell&) const = default;
};

struct CellGrid {
  int w = 0, h = 0;
  std::vector<Cell> cells;
  // Where the terminal cursor belongs (the caret of the focused edit field); -1 when hidden.
  int cursor_x = -1, cursor_y = -1;

  void Reset(int width, int height);
  Cell& at(int x, int y) { return cells[size_t(y) * size_t(w) + size_t(x)]; }
  const Cell& at(int x, int y) const { return cells[size_t(y) * size_t(w) + size_t(x)]; }
  // The characters, one line per row, trailing blanks removed.
  std::string Text() const;
  // The attributes, one line per row: '.' none, otherwise a letter per attribute set
  // (R reverse, D dim, U underline, B bold; the first that is set), trailing dots removed.
  std::string Attrs() const;
};

// Drawing onto a grid in coordinates relative to an origin, clipped to a rectangle of the
// grid. Control characters and the bytes CP1252 leaves undefined are drawn as '?'.
class Canvas {
 public:
  Canvas(CellGrid* grid, Rect clip, int origin_x, int origin_y)
      : grid_(grid), clip_(clip), ox_(origin_x), oy_(origin_y) {}
  // A canvas for a part of this one: `r` relative to this origin, clipped to this clip.
  Canvas Sub(const Rect& r) const;
  void Put(int x, int y, uint8_t ch, uint8_t attr);
  // Writes `text` from (x, y) on one row; returns the column after it.
  int Text(int x, int y, std::string_view text, uint8_t attr);
  void Fill(const Rect& r, uint8_t ch, uint8_t attr);
  // Adds attribute bits to the cells of `r` that are inside the clip.
  void AddAttr(const Rect& r, uint8_t attr);
  // Places the terminal cursor at (x, y) when that cell is visible.
  void Cursor(int x, int y);

 private:
  CellGrid* grid_;
  Rect clip_;    // in grid cells
  int ox_, oy_;  // origin in grid cells
};

// What WM_PAINT carries in lParam: a canvas onto the client area (origin at its top-left
// cell), its size in cells and the states a control shows.
struct PaintContext {
  Canvas canvas;
  int w = 0, h = 0;
  bool focused = false;  // the window has the keyboard focus
  bool enabled = true;   // the window and all its ancestors are enabled
};

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_CANVAS_H
