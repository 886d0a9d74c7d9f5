// The list box: items, one selected, keyboard and double-click notifications, and with
// LBS_WANTKEYBOARDINPUT every key offered to the parent first (WM_VKEYTOITEM).
#include <algorithm>
#include <vector>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/item_cursor.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

namespace {
struct ListBoxState : ControlState {
  ItemList list;
};

void Select(WindowSystem& ws, Hwnd h, ListBoxState* st, int item) {
  if (item == st->list.cur.sel) return;
  st->list.cur.sel = item;
  st->list.cur.Show(item, ClientRows(ws, h));
  if (GetStyle(ws, h) & LBS_NOTIFY) NotifyParent(ws, h, LBN_SELCHANGE);
}
}  // namespace

intptr_t ListBoxProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  ListBoxState* st = StateOf<ListBoxState>(ws, h);
  if (!st) return 0;
  int rows = ClientRows(ws, h);
  int count = int(st->list.items.size());
  int ch = ws.metrics.cell_h;
  switch (msg) {
    case LB_ADDSTRING: return st->list.Apply(ItemOp::kAdd, wp, lp, rows);
    case LB_RESETCONTENT: return st->list.Apply(ItemOp::kReset, wp, lp, rows);
    case LB_SETCURSEL: return st->list.Apply(ItemOp::kSetSel, wp, lp, rows);
    case LB_GETCURSEL: return st->list.Apply(ItemOp::kGetSel, wp, lp, rows);
    case LB_GETCOUNT: return st->list.Apply(ItemOp::kCount, wp, lp, rows);
    case LB_GETTEXT: return st->list.Apply(ItemOp::kGetText, wp, lp, rows);
    case LB_GETTOPINDEX:
      return st->list.cur.top;
    case LB_GETCARETINDEX:
      return std::max(0, st->list.cur.sel);
    case LB_SETITEMHEIGHT:
      return 0;  // items are one cell row high on a grid of cells
    case kMsgItemPoint:
      if (intptr_t(wp) < 0 || intptr_t(wp) >= count) return -1;
      st->list.cur.Show(int(wp), rows);
      return MakePoint(ws.metrics.cell_w, (int(wp) - st->list.cur.top) * ch + ch / 2);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: {
      if (GetStyle(ws, h) & LBS_WANTKEYBOARDINPUT) {
        intptr_t r = SendMessage(ws, GetParent(ws, h), WM_VKEYTOITEM,
                                 MakeWParam(uint32_t(wp), uint32_t(std::max(0, st->list.cur.sel))),
                                 intptr_t(h.v));
        if (!IsWindow(ws, h) || r == -2) return 0;
        if (r >= 0 && r < count) {
          Select(ws, h, st, int(r));
          return 0;
        }
      }
      bool changed;
      if (st->list.cur.Key(uint16_t(wp), count, rows, &changed) && changed &&
          (GetStyle(ws, h) & LBS_NOTIFY))
        NotifyParent(ws, h, LBN_SELCHANGE);
      return 0;
    }
    case WM_CHAR:
      if (wp > ' ' && count) {
        int i = TypeAhead(st->list.items, st->list.cur.sel, uint8_t(wp));
        if (i >= 0) Select(ws, h, st, i);
      }
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(ws, h);
      int item = st->list.cur.top + std::max(0, PointY(lp)) / ch;
      if (IsWindow(ws, h) && item < count) Select(ws, h, st, item);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (GetStyle(ws, h) & LBS_NOTIFY) NotifyParent(ws, h, LBN_DBLCLK);
      return 0;
    case WM_PAINT: {
      auto* pc = reinterpret_cast<PaintContext*>(lp);
      st->list.cur.Clamp(count, rows);
      Canvas& c = pc->canvas;
      c.Fill(Rect{0, 0, pc->w, pc->h}, ' ', 0);
      for (int r = 0; r < pc->h && st->list.cur.top + r < count; ++r) {
        int i = st->list.cur.top + r;
        uint8_t attr = i == st->list.cur.sel ? kAttrReverse : 0;
        c.Fill(Rect{0, r, pc->w, 1}, ' ', attr);
        c.Text(0, r, st->list.items[size_t(i)].substr(0, size_t(std::max(0, pc->w - 1))), attr);
      }
      if (st->list.cur.top > 0) c.Put(pc->w - 1, 0, '^', 0);
      if (st->list.cur.top + pc->h < count) c.Put(pc->w - 1, pc->h - 1, 'v', 0);
      if (pc->focused) c.Cursor(0, std::max(0, st->list.cur.sel - st->list.cur.top));
      return 0;
    }
    default:
      return DefWindowProc(ws, h, msg, wp, lp);
  }
}

}  // namespace orv::platform
