// Menus: menu bars with item ids, pop-up menus that return the chosen id, and the keyboard
// tracking of both.
//
// A menu bar belongs to its top-level window and is destroyed with it. F10 (or Alt with a
// letter) opens the bar: Left and Right move between its titles, Down or Enter opens one,
// Up and Down move in a pop-up, Right opens a sub-menu, Enter chooses, Esc closes one level.
// Choosing an item posts WM_COMMAND (id, 0) to the window; a pop-up menu tracked with
// TPM_RETURNCMD returns the id instead.
#ifndef ORVALE_PLATFORM_MENU_H
#define ORVALE_PLATFORM_MENU_H

#include <cstdint>
#include <string_view>

#include "platform/canvas.h"
#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

Hmenu CreateMenu(WindowSystem& ws);
Menu* LookupMenu(WindowSystem& ws, Hmenu m);
bool AppendMenuItem(WindowSystem& ws, Hmenu m, std::string_view text, uint32_t id);
// Appends `sub` as a pop-up under `text`; `m` owns it from then on.
bool AppendSubMenu(WindowSystem& ws, Hmenu m, std::string_view text, Hmenu sub);
bool AppendSeparator(WindowSystem& ws, Hmenu m);
// Enables or disables the item with `id` anywhere in `m`; false when there is none.
bool EnableMenuItem(WindowSystem& ws, Hmenu m, uint32_t id, bool enable);
// Destroys a menu and its sub-menus.
bool DestroyMenu(WindowSystem& ws, Hmenu m);

// Gives a top-level window its menu bar (destroying the one it had).
bool SetMenu(WindowSystem& ws, Hwnd h, Hmenu m);
Hmenu GetMenu(const WindowSystem& ws, Hwnd h);

// Opens the menu bar of top-level window `h` for the keyboard: the title that starts with
// `letter` (any title when 0) is highlighted, and opened when a letter was given. False
// when the window has no bar or cannot take input.
bool OpenMenuBar(WindowSystem& ws, Hwnd h, uint8_t letter);
// Shows pop-up menu `m` with its left edge at desktop pixel x and (with TPM_BOTTOMALIGN)
// its bottom at y, else its top at y, and tracks it in a nested loop. With TPM_RETURNCMD the
// chosen id is returned (0: none); otherwise WM_COMMAND goes to `owner` and 1 is returned
// for a choice. An input failure ends it with 0.
uint32_t TrackPopupMenu(WindowSystem& ws, Hmenu m, uint32_t flags, int x, int y, Hwnd owner);

// Input while a menu is tracked: a key goes to the menu (true when menus are tracked).
bool MenuTrackKey(WindowSystem& ws, uint16_t vk, uint8_t ch);
// A scripted choice: the item `id` of the tracked menu, or of the active window's menu bar.
// False when no such item is enabled there.
bool MenuChoose(WindowSystem& ws, uint32_t id);
// Ends any menu tracking without a choice.
void MenuTrackCancel(WindowSystem& ws);

// Draws the menu bar row of `h` (at the canvas origin) and, last of all, tracked pop-ups.
void DrawMenuBar(WindowSystem& ws, Hwnd h, Canvas c, int width);
void DrawTrackedMenus(WindowSystem& ws, CellGrid* grid);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_MENU_H
