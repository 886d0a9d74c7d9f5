// Menus and their keyboard tracking.
#include "platform/menu.h"

#include <algorithm>

#include "core/cp1252.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/queue.h"
#include "platform/window.h"

namespace orv::platform {

Hmenu CreateMenu(WindowSystem& ws) {
  size_t slot = 0;
  while (slot < ws.menus.size() && ws.menus[slot].live) ++slot;
  if (slot == ws.menus.size()) ws.menus.emplace_back();
  if (slot >= 0xFFFF) return {};
  Menu& m = ws.menus[slot];
  m.live = true;
  m.items.clear();
  return Hmenu{(uint32_t(m.gen) << 16) | uint32_t(slot + 1)};
}

Menu* LookupMenu(WindowSystem& ws, Hmenu h) {
  uint32_t slot = h.v & 0xFFFF;
  if (slot == 0 || slot > ws.menus.size()) return nullptr;
  Menu& m = ws.menus[slot - 1];
  return m.live && m.gen == (h.v >> 16) ? &m : nullptr;
}

bool AppendMenuItem(WindowSystem& ws, Hmenu h, std::string_view text, uint32_t id) {
  Menu* m = LookupMenu(ws, h);
  if (!m) return false;
  m->items.push_back(MenuItem{std::string(text), id, {}, false, true});
  return true;
}

bool AppendSubMenu(WindowSystem& ws, Hmenu h, std::string_view text, Hmenu sub) {
  Menu* m = LookupMenu(ws, h);
  if (!m || !LookupMenu(ws, sub) || sub == h) return false;
  m->items.push_back(MenuItem{std::string(text), 0, sub, false, true});
  return true;
}

bool AppendSeparator(WindowSystem& ws, Hmenu h) {
  Menu* m = LookupMenu(ws, h);
  if (!m) return false;
  m->items.push_back(MenuItem{"", 0, {}, true, false});
  return true;
}

static MenuItem* FindItem(WindowSystem& ws, Hmenu h, uint32_t id, int depth = 0) {
  Menu* m = LookupMenu(ws, h);
  if (!m || depth > 16) return nullptr;
  for (MenuItem& it : m->items) {
    if (it.popup) {
      if (MenuItem* f = FindItem(ws, it.popup, id, depth + 1)) return f;
    } else if (!it.separator && it.id == id) {
      return &it;
    }
  }
  return nullptr;
}

bool EnableMenuItem(WindowSystem& ws, Hmenu h, uint32_t id, bool enable) {
  MenuItem* it = FindItem(ws, h, id);
  if (!it) return false;
  it->enabled = enable;
  return true;
}

bool DestroyMenu(WindowSystem& ws, Hmenu h) {
  Menu* m = LookupMenu(ws, h);
  if (!m) return false;
  std::vector<MenuItem> items = std::move(m->items);
  m->live = false;
  m->items.clear();
  if (++m->gen == 0) m->gen = 1;
  for (const MenuItem& it : items)
    if (it.popup) DestroyMenu(ws, it.popup);
  return true;
}

bool SetMenu(WindowSystem& ws, Hwnd h, Hmenu m) {
  Window* w = Lookup(ws, h);
  if (!w || !IsTopLevel(*w) || (m && !LookupMenu(ws, m))) return false;
  if (w->menu && w->menu != m) DestroyMenu(ws, w->menu);
  w->menu = m;
  return true;
}

Hmenu GetMenu(const WindowSystem& ws, Hwnd h) {
  const Window* w = Lookup(ws, h);
  return w ? w->menu : Hmenu{};
}

// The menu shown at tracking level k.
static Hmenu LevelMenu(WindowSystem& ws, size_t k) {
  Hmenu m = ws.track.root;
  for (size_t i = 0; i < k; ++i) {
    Menu* mm = LookupMenu(ws, m);
    if (!mm || ws.track.path[i] < 0 || size_t(ws.track.path[i]) >= mm->items.size()) return {};
    m = mm->items[size_t(ws.track.path[i])].popup;
  }
  return m;
}

static void EndTrack(WindowSystem& ws, uint32_t chosen) {
  MenuTrack& t = ws.track;
  t.active = false;
  t.chosen = chosen;
  // A pop-up menu's command is posted once its loop has ended (TrackPopupMenu).
  if (chosen && t.bar) PostMessage(ws, t.owner, WM_COMMAND, MakeWParam(chosen, 0), 0);
}

void MenuTrackCancel(WindowSystem& ws) {
  if (ws.track.active) EndTrack(ws, 0);
}

static int FirstSelectable(const Menu& m) {
  for (size_t i = 0; i < m.items.size(); ++i)
    if (!m.items[i].separator) return int(i);
  return -1;
}

// Opens the pop-up of the highlighted item of the deepest level.
static void OpenLevel(WindowSystem& ws) {
  Hmenu sub = LevelMenu(ws, ws.track.path.size());
  Menu* m = LookupMenu(ws, sub);
  if (!m || m->items.empty()) return;
  ws.track.path.push_back(FirstSelectable(*m));
}

static void Activate(WindowSystem& ws, const MenuItem& it) {
  if (it.popup) {
    OpenLevel(ws);
  } else if (it.enabled && !it.separator) {
    EndTrack(ws, it.id);
  }
}

bool OpenMenuBar(WindowSystem& ws, Hwnd h, uint8_t letter) {
  Menu* bar = LookupMenu(ws, GetMenu(ws, h));
  if (ws.track.active || !bar || bar->items.empty() || !AcceptsInput(ws, h)) return false;
  int pick = 0;
  if (letter) {
    pick = -1;
    for (size_t i = 0; i < bar->items.size() && pick < 0; ++i)
      if (!bar->items[i].text.empty() &&
          Cp1252Upper(uint8_t(bar->items[i].text[0])) == Cp1252Upper(letter))
        pick = int(i);
    if (pick < 0) return false;
  }
  ws.track = MenuTrack{};
  ws.track.active = true;
  ws.track.bar = true;
  ws.track.owner = h;
  ws.track.root = GetMenu(ws, h);
  ws.track.path = {pick};
  if (letter) Activate(ws, bar->items[size_t(pick)]);
  return true;
}

static void Move(const Menu& m, int* sel, int dir) {
  int n = int(m.items.size());
  for (int step = 0; step < n; ++step) {
    *sel = (*sel + dir + n) % n;
    if (!m.items[size_t(*sel)].separator) return;
  }
}

bool MenuTrackKey(WindowSystem& ws, uint16_t vk, uint8_t ch) {
  MenuTrack& t = ws.track;
  if (!t.active) return false;
  size_t depth = t.path.size();
  Menu* cur = LookupMenu(ws, LevelMenu(ws, depth - 1));
  Menu* bar = t.bar ? LookupMenu(ws, t.root) : nullptr;
  if (!cur) {
    MenuTrackCancel(ws);
    return true;
  }
  bool on_bar = t.bar && depth == 1;
  int& sel = t.path.back();
  switch (vk) {
    case VK_ESCAPE:
      if (depth > 1) t.path.pop_back();
      else MenuTrackCancel(ws);
      return true;
    case VK_UP:
    case VK_DOWN:
      if (on_bar) {
        if (vk == VK_DOWN) OpenLevel(ws);
      } else {
        Move(*cur, &sel, vk == VK_UP ? -1 : 1);
      }
      return true;
    case VK_LEFT:
    case VK_RIGHT: {
      bool right = vk == VK_RIGHT;
      if (right && !on_bar && sel >= 0 && cur->items[size_t(sel)].popup) {
        OpenLevel(ws);
        return true;
      }
      if (!right && depth > (t.bar ? 2u : 1u)) {
        t.path.pop_back();
        return true;
      }
      if (bar) {
        bool was_open = depth > 1;
        t.path.resize(1);
        Move(*bar, &t.path[0], right ? 1 : -1);
        if (was_open) OpenLevel(ws);
      }
      return true;
    }
    case VK_RETURN:
      if (sel >= 0 && size_t(sel) < cur->items.size()) Activate(ws, cur->items[size_t(sel)]);
      return true;
    default:
      break;
  }
  if (ch > ' ') {
    for (size_t i = 0; i < cur->items.size(); ++i) {
      const MenuItem& it = cur->items[i];
      if (!it.text.empty() && Cp1252Upper(uint8_t(it.text[0])) == Cp1252Upper(ch)) {
        sel = int(i);
        Activate(ws, cur->items[i]);
        break;
      }
    }
  }
  return true;
}

bool MenuChoose(WindowSystem& ws, uint32_t id) {
  if (ws.track.active) {
    MenuItem* it = FindItem(ws, ws.track.root, id);
    if (!it || !it->enabled) return false;
    EndTrack(ws, id);
    return true;
  }
  Hwnd act = ActiveWindow(ws);
  MenuItem* it = FindItem(ws, GetMenu(ws, act), id);
  if (!it || !it->enabled || !AcceptsInput(ws, act)) return false;
  PostMessage(ws, act, WM_COMMAND, MakeWParam(id, 0), 0);
  return true;
}

uint32_t TrackPopupMenu(WindowSystem& ws, Hmenu m, uint32_t flags, int x, int y, Hwnd owner) {
  Menu* menu = LookupMenu(ws, m);
  if (ws.track.active || !menu || menu->items.empty()) return 0;
  ws.track = MenuTrack{};
  ws.track.active = true;
  ws.track.return_cmd = flags & TPM_RETURNCMD;
  ws.track.owner = owner;
  ws.track.root = m;
  ws.track.path = {FirstSelectable(*menu)};
  ws.track.x = CellOf(x, ws.metrics.cell_w);
  int rows = int(menu->items.size()) + 2;
  int cy = CellOf(y, ws.metrics.cell_h);
  ws.track.y = flags & TPM_BOTTOMALIGN ? cy - rows : cy;
  LoopScope scope(ws);
  while (ws.track.active) {
    Msg msg;
    if (GetMessage(ws, &msg, {}) <= 0) {
      MenuTrackCancel(ws);
      break;
    }
    TranslateMessage(ws, msg);
    DispatchMessage(ws, msg);
  }
  uint32_t chosen = ws.track.chosen;
  if (ws.track.return_cmd) return chosen;
  if (chosen) PostMessage(ws, owner, WM_COMMAND, MakeWParam(chosen, 0), 0);
  return chosen ? 1 : 0;
}

static int TitleX(const Menu& bar, size_t i) {
  int x = 1;
  for (size_t k = 0; k < i && k < bar.items.size(); ++k) x += int(bar.items[k].text.size()) + 2;
  return x;
}

void DrawMenuBar(WindowSystem& ws, Hwnd h, Canvas c, int width) {
  Menu* bar = LookupMenu(ws, GetMenu(ws, h));
  if (!bar) return;
  c.Fill(Rect{0, 0, width, 1}, ' ', 0);
  bool tracked = ws.track.active && ws.track.bar && ws.track.owner == h;
  for (size_t i = 0; i < bar->items.size(); ++i) {
    const MenuItem& it = bar->items[i];
    uint8_t attr = tracked && ws.track.path[0] == int(i) ? kAttrReverse : 0;
    if (!it.enabled && !it.popup) attr |= kAttrDim;
    c.Text(TitleX(*bar, i), 0, it.text, attr);
  }
}

// Draws one pop-up box at cells (x, y); returns its width.
static int DrawBox(CellGrid* grid, const Menu& m, int x, int y, int sel) {
  int w = 4;
  for (const MenuItem& it : m.items) w = std::max(w, int(it.text.size()) + 4 + (it.popup ? 2 : 0));
  int h = int(m.items.size()) + 2;
  x = std::clamp(x, 0, std::max(0, grid->w - w));
  y = std::clamp(y, 0, std::max(0, grid->h - h));
  Canvas c(grid, Rect{0, 0, grid->w, grid->h}, x, y);
  c.Fill(Rect{0, 0, w, h}, ' ', 0);
  for (int i = 1; i < w - 1; ++i) {
    c.Put(i, 0, '-', 0);
    c.Put(i, h - 1, '-', 0);
  }
  for (int row : {0, h - 1}) {
    c.Put(0, row, '+', 0);
    c.Put(w - 1, row, '+', 0);
  }
  for (size_t i = 0; i < m.items.size(); ++i) {
    int row = int(i) + 1;
    const MenuItem& it = m.items[i];
    c.Put(0, row, '|', 0);
    c.Put(w - 1, row, '|', 0);
    if (it.separator) {
      for (int k = 1; k < w - 1; ++k) c.Put(k, row, '-', 0);
      continue;
    }
    uint8_t attr = (int(i) == sel ? kAttrReverse : 0) | (it.enabled ? 0 : kAttrDim);
    c.Fill(Rect{1, row, w - 2, 1}, ' ', attr);
    c.Text(2, row, it.text, attr);
    if (it.popup) c.Put(w - 3, row, '>', attr);
  }
  return w;
}

void DrawTrackedMenus(WindowSystem& ws, CellGrid* grid) {
  const MenuTrack& t = ws.track;
  if (!t.active) return;
  int x = t.x, y = t.y;
  size_t first = 0;
  if (t.bar) {
    const Window* w = Lookup(ws, t.owner);
    Menu* bar = LookupMenu(ws, t.root);
    if (!w || !bar) return;
    Rect oc = CellsOf(w->rect, ws.metrics);
    x = oc.x + TitleX(*bar, size_t(std::max(0, t.path[0]))) - 1;
    y = oc.y + 2;
    first = 1;
  }
  for (size_t k = first; k < t.path.size(); ++k) {
    Menu* m = LookupMenu(ws, LevelMenu(ws, k));
    if (!m) return;
    int w = DrawBox(grid, *m, x, y, t.path[k]);
    x += w - 1;
    y += std::max(0, t.path[k]) + 1;
  }
}

}  // namespace orv::platform
