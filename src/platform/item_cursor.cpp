// Keys over lists of rows.
#include "platform/item_cursor.h"

#include <algorithm>

#include "core/cp1252.h"
#include "platform/messages.h"

namespace orv::platform {

bool ItemCursor::Key(uint16_t vk, int count, int rows, bool* changed) {
  *changed = false;
  rows = std::max(1, rows);
  int to;
  switch (vk) {
    case VK_UP: to = sel < 0 ? 0 : sel - 1; break;
    case VK_DOWN: to = sel + 1; break;
    case VK_PRIOR: to = sel - (rows - 1); break;
    case VK_NEXT: to = sel < 0 ? rows - 1 : sel + (rows - 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    default: return false;
  }
  if (count == 0) return true;
  to = std::clamp(to, 0, count - 1);
  *changed = to != sel;
  sel = to;
  Show(sel, rows);
  return true;
}

void ItemCursor::Show(int item, int rows) {
  rows = std::max(1, rows);
  if (item < top) top = item;
  if (item >= top + rows) top = item - rows + 1;
  top = std::max(0, top);
}

void ItemCursor::Clamp(int count, int rows) {
  if (sel >= count) sel = count - 1;
  top = std::clamp(top, 0, std::max(0, count - std::max(1, rows)));
}

intptr_t ItemList::Apply(ItemOp op, uintptr_t wp, intptr_t lp, int rows) {
  intptr_t count = intptr_t(items.size()), at = intptr_t(wp);
  switch (op) {
    case ItemOp::kAdd:
      items.emplace_back(*reinterpret_cast<const std::string_view*>(lp));
      return count;
    case ItemOp::kReset:
      items.clear();
      cur = ItemCursor{};
      return 0;
    case ItemOp::kSetSel:
      cur.sel = at >= 0 && at < count ? int(at) : -1;
      if (cur.sel >= 0) cur.Show(cur.sel, rows);
      return cur.sel;
    case ItemOp::kGetSel:
      return cur.sel;
    case ItemOp::kCount:
      return count;
    case ItemOp::kGetText:
      if (at < 0 || at >= count) return -1;
      *reinterpret_cast<std::string*>(lp) = items[size_t(at)];
      return intptr_t(items[size_t(at)].size());
  }
  return -1;
}

int TypeAhead(const std::vector<std::string>& items, int from, uint8_t ch) {
  int n = int(items.size());
  for (int k = 1; k <= n; ++k) {
    int i = ((from < 0 ? -1 : from) + k + n) % n;
    const std::string& t = items[size_t(i)];
    if (!t.empty() && Cp1252Upper(uint8_t(t[0])) == Cp1252Upper(ch)) return i;
  }
  return -1;
}

}  // namespace orv::platform
