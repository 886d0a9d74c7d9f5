// The cell grid and clipped drawing onto it.
#include "platform/canvas.h"

#include <cassert>

namespace orv::platform {

void CellGrid::Reset(int width, int height) {
  assert(width >= 0 && height >= 0);
  w = width;
  h = height;
  cells.assign(size_t(w) * size_t(h), Cell{});
  cursor_x = cursor_y = -1;
}

static std::string Rows(const CellGrid& g, char (*map)(const Cell&), char blank) {
  std::string out;
  for (int y = 0; y < g.h; ++y) {
    std::string row;
    for (int x = 0; x < g.w; ++x) row += map(g.at(x, y));
    size_t end = row.find_last_not_of(blank);
    row.resize(end == std::string::npos ? 0 : end + 1);
    out += row;
    out += '\n';
  }
  return out;
}

std::string CellGrid::Text() const {
  return Rows(*this, [](const Cell& c) { return char(c.ch); }, ' ');
}

std::string CellGrid::Attrs() const {
  return Rows(*this,
              [](const Cell& c) {
                if (c.attr & kAttrReverse) return 'R';
                if (c.attr & kAttrDim) return 'D';
                if (c.attr & kAttrUnderline) return 'U';
                if (c.attr & kAttrBold) return 'B';
                return '.';
              },
              '.');
}

Canvas Canvas::Sub(const Rect& r) const {
  Rect abs{r.x + ox_, r.y + oy_, r.w, r.h};
  return Canvas(grid_, Intersect(abs, clip_), abs.x, abs.y);
}

static bool Printable(uint8_t c) {
  return c >= 0x20 && c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 &&
         c != 0x9D;
}

void Canvas::Put(int x, int y, uint8_t ch, uint8_t attr) {
  int gx = x + ox_, gy = y + oy_;
  if (gx < clip_.x || gy < clip_.y || gx >= clip_.right() || gy >= clip_.bottom()) return;
  grid_->at(gx, gy) = Cell{Printable(ch) ? ch : uint8_t('?'), attr};
}

int Canvas::Text(int x, int y, std::string_view text, uint8_t attr) {
  for (unsigned char c : text) Put(x++, y, c, attr);
  return x;
}

void Canvas::Fill(const Rect& r, uint8_t ch, uint8_t attr) {
  for (int y = r.y; y < r.bottom(); ++y)
    for (int x = r.x; x < r.right(); ++x) Put(x, y, ch, attr);
}

void Canvas::AddAttr(const Rect& r, uint8_t attr) {
  Rect abs = Intersect(Rect{r.x + ox_, r.y + oy_, r.w, r.h}, clip_);
  for (int y = abs.y; y < abs.bottom(); ++y)
    for (int x = abs.x; x < abs.right(); ++x) grid_->at(x, y).attr |= attr;
}

void Canvas::Cursor(int x, int y) {
  int gx = x + ox_, gy = y + oy_;
  if (gx < clip_.x || gy < clip_.y || gx >= clip_.right() || gy >= clip_.bottom()) return;
  grid_->cursor_x = gx;
  grid_->cursor_y = gy;
}

}  // namespace orv::platform
