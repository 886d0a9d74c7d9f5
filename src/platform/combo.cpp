// The combo box: a selected item shown on the first row and its list below, always
// (CBS_SIMPLE) or while dropped down (F4 or Alt+Down). Choosing an item from the list
// notifies CBN_SELCHANGE and then CBN_SELENDOK ("selection made").
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
struct ComboState : ControlState {
  ItemList list;
  bool dropped = false;
};

bool IsSimple(WindowSystem& ws, Hwnd h) { return (GetStyle(ws, h) & 3) == CBS_SIMPLE; }

void Open(WindowSystem& ws, Hwnd h, ComboState* st) {
  if (st->dropped || IsSimple(ws, h)) return;
  st->dropped = true;
  Lookup(ws, h)->overlay = true;
  NotifyParent(ws, h, CBN_DROPDOWN);
}

void Close(WindowSystem& ws, Hwnd h, ComboState* st, bool ok) {
  if (!st->dropped) return;
  st->dropped = false;
  Lookup(ws, h)->overlay = false;
  NotifyParent(ws, h, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
}

void Choose(WindowSystem& ws, Hwnd h, ComboState* st, int item) {
  if (item != st->list.cur.sel) {
    st->list.cur.sel = item;
    st->list.cur.Show(item, std::max(1, ClientRows(ws, h) - 1));
    NotifyParent(ws, h, CBN_SELCHANGE);
    if (!IsWindow(ws, h)) return;
  }
  if (st->dropped) Close(ws, h, st, true);
  else NotifyParent(ws, h, CBN_SELENDOK);
}
}  // namespace

intptr_t ComboProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  ComboState* st = StateOf<ComboState>(ws, h);
  if (!st) return 0;
  int list_rows = std::max(1, ClientRows(ws, h) - 1);
  int count = int(st->list.items.size());
  int ch = ws.metrics.cell_h;
  switch (msg) {
    case CB_ADDSTRING: return st->list.Apply(ItemOp::kAdd, wp, lp, list_rows);
    case CB_RESETCONTENT: return st->list.Apply(ItemOp::kReset, wp, lp, list_rows);
    case CB_SETCURSEL: return st->list.Apply(ItemOp::kSetSel, wp, lp, list_rows);
    case CB_GETCURSEL: return st->list.Apply(ItemOp::kGetSel, wp, lp, list_rows);
    case CB_GETCOUNT: return st->list.Apply(ItemOp::kCount, wp, lp, list_rows);
    case CB_GETLBTEXT: return st->list.Apply(ItemOp::kGetText, wp, lp, list_rows);
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<std::string*>(lp);
      *out = st->list.cur.sel >= 0 ? st->list.items[size_t(st->list.cur.sel)] : std::string();
      return intptr_t(out->size());
    }
    case CB_SHOWDROPDOWN:
      if (wp) Open(ws, h, st);
      else Close(ws, h, st, false);
      return 1;
    case CB_GETDROPPEDSTATE:
      return st->dropped;
    case kMsgItemPoint:
      if (intptr_t(wp) < 0 || intptr_t(wp) >= count) return -1;
      Open(ws, h, st);
      st->list.cur.Show(int(wp), list_rows);
      return MakePoint(ws.metrics.cell_w, (int(wp) - st->list.cur.top + 1) * ch + ch / 2);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | (st->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_SYSKEYDOWN:
      if (wp == VK_DOWN || wp == VK_UP) {
        if (st->dropped) Close(ws, h, st, true);
        else Open(ws, h, st);
        return 0;
      }
      return DefWindowProc(ws, h, msg, wp, lp);
    case WM_KEYDOWN: {
      if (wp == VK_F4) {
        if (st->dropped) Close(ws, h, st, true);
        else Open(ws, h, st);
        return 0;
      }
      if (st->dropped && (wp == VK_RETURN || wp == VK_ESCAPE)) {
        Close(ws, h, st, wp == VK_RETURN);
        return 0;
      }
      bool changed;
      if (st->list.cur.Key(uint16_t(wp), count, list_rows, &changed) && changed)
        NotifyParent(ws, h, CBN_SELCHANGE);
      return 0;
    }
    case WM_CHAR:
      if (wp > ' ' && count) {
        int i = TypeAhead(st->list.items, st->list.cur.sel, uint8_t(wp));
        if (i >= 0 && i != st->list.cur.sel) {
          st->list.cur.sel = i;
          st->list.cur.Show(i, list_rows);
          NotifyParent(ws, h, CBN_SELCHANGE);
        }
      }
      return 0;
    case WM_KILLFOCUS:
      Close(ws, h, st, false);
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(ws, h);
      if (!IsWindow(ws, h)) return 0;
      int row = std::max(0, PointY(lp)) / ch;
      if (row == 0) {
        if (st->dropped) Close(ws, h, st, false);
        else Open(ws, h, st);
      } else if ((st->dropped || IsSimple(ws, h)) && st->list.cur.top + row - 1 < count) {
        Choose(ws, h, st, st->list.cur.top + row - 1);
      }
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (IsSimple(ws, h)) NotifyParent(ws, h, CBN_DBLCLK);
      return 0;
    case WM_PAINT: {
      auto* pc = reinterpret_cast<PaintContext*>(lp);
      Canvas& c = pc->canvas;
      bool simple = IsSimple(ws, h);
      st->list.cur.Clamp(count, list_rows);
      uint8_t head = pc->focused ? kAttrReverse : kAttrUnderline;
      c.Fill(Rect{0, 0, pc->w, 1}, ' ', head);
      if (st->list.cur.sel >= 0) c.Text(0, 0, st->list.items[size_t(st->list.cur.sel)], head);
      if (!simple) c.Put(pc->w - 1, 0, 'v', head);
      if (pc->focused) c.Cursor(0, 0);
      if (!simple && !st->dropped) return 0;
      c.Fill(Rect{0, 1, pc->w, pc->h - 1}, ' ', 0);
      for (int r = 0; r < list_rows && st->list.cur.top + r < count; ++r) {
        int i = st->list.cur.top + r;
        uint8_t attr = i == st->list.cur.sel ? kAttrReverse : 0;
        c.Fill(Rect{0, r + 1, pc->w, 1}, ' ', attr);
        c.Text(1, r + 1, st->list.items[size_t(i)], attr);
      }
      return 0;
    }
    default:
      return DefWindowProc(ws, h, msg, wp, lp);
  }
}

}  // namespace orv::platform
