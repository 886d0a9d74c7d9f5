// The selected item and first shown item of a list of rows (list boxes, combo lists, grids),
// and how keys move them.
#ifndef ORVALE_PLATFORM_ITEM_CURSOR_H
#define ORVALE_PLATFORM_ITEM_CURSOR_H

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <string>
#include <vector>

namespace orv::platform {

struct ItemCursor {
  int sel = -1;  // -1: nothing selected
  int top = 0;

  // Moves the selection for Up, Down, PgUp, PgDn, Home or End over `count` items of which
  // `rows` are shown. False when the key is not one of them; `*changed` tells whether the
  // selection moved.
  bool Key(uint16_t vk, int count, int rows, bool* changed);
  // Scrolls so that `item` is shown in `rows` rows.
  void Show(int item, int rows);
  // Keeps sel and top valid after the count changed.
  void Clamp(int count, int rows);
};

// The messages list boxes and combo boxes share, on a list of texts with its cursor.
enum class ItemOp { kAdd, kReset, kSetSel, kGetSel, kCount, kGetText };
struct ItemList {
  std::vector<std::string> items;
  ItemCursor cur;
  // Add (lParam: const std::string_view*) answers the new index; SetSel (wParam: the item,
  // out of range: none) answers it or -1; GetText (wParam: the item, lParam: std::string*)
  // answers the length or -1.
  intptr_t Apply(ItemOp op, uintptr_t wp, intptr_t lp, int rows);
};

// The next item after `from` (wrapping) whose text starts with `ch` ignoring case; -1 when
// none does.
int TypeAhead(const std::vector<std::string>& items, int from, uint8_t ch);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_ITEM_CURSOR_H
