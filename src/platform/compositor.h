// The compositor: draws the window tree into a grid of character cells (the desktop work
// area divided by the cell size). Top-level windows are drawn bottom to top, each with a
// caption row (filled with '=' for the active window, '-' for the others), its menu bar row,
// its client area (WM_PAINT), its children and its scroll bars; disabled windows are dimmed;
// tracked menus come last. Also the text views of the screen and of the window tree that
// tests and failure reports use.
#ifndef ORVALE_PLATFORM_COMPOSITOR_H
#define ORVALE_PLATFORM_COMPOSITOR_H

#include <string>

#include "platform/canvas.h"
#include "platform/system.h"

namespace orv::platform {

// Draws the desktop into `grid`; `focus` receives the focused window's cells (empty when
// nothing has the focus).
void Compose(WindowSystem& ws, CellGrid* grid, Rect* focus);
// The window's rectangle on the desktop in cells (its client area for child windows, the
// whole window with caption for top-level ones).
Rect WindowCells(const WindowSystem& ws, Hwnd h);

// The composed screen as text (CellGrid::Text).
std::string Snapshot(WindowSystem& ws);
// The window tree, one line per window, indented by depth: slot, class, id, text, pixel
// rectangle and the states hidden, disabled, focus, active.
std::string DumpTree(const WindowSystem& ws);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_COMPOSITOR_H
