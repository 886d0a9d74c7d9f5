// The grid ("SysListView32" in report view): titled columns, rows of cells, one selected
// row. Keys are offered to the parent first as LVN_KEYDOWN; a non-zero answer keeps the
// grid from acting on the key. Clicks notify NM_CLICK, NM_DBLCLK and NM_RCLICK, Enter
// NM_RETURN, focus NM_SETFOCUS and NM_KILLFOCUS, a new selection LVN_ITEMCHANGED.
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
struct ListViewState : ControlState {
  std::vector<ListViewColumn> cols;
  std::vector<std::vector<std::string>> rows;
  ItemCursor cur;
};

intptr_t Notify(WindowSystem& ws, Hwnd h, int32_t code, int row, uint16_t vkey = 0) {
  ListViewNotify n;
  n.hdr = NotifyHeader{h, GetId(ws, h), code};
  n.row = row;
  n.vkey = vkey;
  return SendMessage(ws, GetParent(ws, h), WM_NOTIFY, n.hdr.id, reinterpret_cast<intptr_t>(&n));
}

void Select(WindowSystem& ws, Hwnd h, ListViewState* st, int row) {
  if (row == st->cur.sel) return;
  st->cur.sel = row;
  if (row >= 0) st->cur.Show(row, std::max(1, ClientRows(ws, h) - 1));
  Notify(ws, h, LVN_ITEMCHANGED, row);
}

// The row under a point of the client area (the header is row -1).
int RowAt(const WindowSystem& ws, const ListViewState* st, intptr_t pt) {
  return st->cur.top + std::max(0, PointY(pt)) / ws.metrics.cell_h - 1;
}
}  // namespace

intptr_t ListViewProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  ListViewState* st = StateOf<ListViewState>(ws, h);
  if (!st) return 0;
  int body_rows = std::max(1, ClientRows(ws, h) - 1);
  int count = int(st->rows.size());
  int ch = ws.metrics.cell_h;
  switch (msg) {
    case LVM_INSERTCOLUMN: {
      size_t at = std::min(size_t(wp), st->cols.size());
      st->cols.insert(st->cols.begin() + ptrdiff_t(at), *reinterpret_cast<ListViewColumn*>(lp));
      for (auto& r : st->rows) r.insert(r.begin() + ptrdiff_t(std::min(at, r.size())), "");
      return intptr_t(at);
    }
    case LVM_INSERTITEM: {
      auto* cell = reinterpret_cast<ListViewCell*>(lp);
      int at = std::clamp(cell->row, 0, count);
      std::vector<std::string> row(std::max<size_t>(1, st->cols.size()));
      row[0] = cell->text;
      st->rows.insert(st->rows.begin() + at, std::move(row));
      if (st->cur.sel >= at) ++st->cur.sel;
      return at;
    }
    case LVM_SETITEMTEXT:
    case LVM_GETITEMTEXT: {
      auto* cell = reinterpret_cast<ListViewCell*>(lp);
      if (cell->row < 0 || cell->row >= count || cell->col < 0) return msg == LVM_SETITEMTEXT ? 0 : -1;
      auto& row = st->rows[size_t(cell->row)];
      if (size_t(cell->col) >= std::max(row.size(), st->cols.size()))
        return msg == LVM_SETITEMTEXT ? 0 : -1;
      if (size_t(cell->col) >= row.size()) row.resize(size_t(cell->col) + 1);
      if (msg == LVM_GETITEMTEXT) {
        cell->text = row[size_t(cell->col)];
        return intptr_t(cell->text.size());
      }
      row[size_t(cell->col)] = cell->text;
      return 1;
    }
    case LVM_DELETEITEM:
      if (intptr_t(wp) < 0 || intptr_t(wp) >= count) return 0;
      st->rows.erase(st->rows.begin() + ptrdiff_t(wp));
      if (st->cur.sel == int(wp)) st->cur.sel = -1;
      else if (st->cur.sel > int(wp)) --st->cur.sel;
      return 1;
    case LVM_DELETEALLITEMS:
      st->rows.clear();
      st->cur = ItemCursor{};
      return 1;
    case LVM_GETITEMCOUNT:
      return count;
    case LVM_GETNEXTITEM:
      return (lp & LVNI_SELECTED) && st->cur.sel > int(intptr_t(wp)) ? st->cur.sel : -1;
    case LVM_SETITEMSTATE:
      if (intptr_t(wp) >= count) return 0;
      Select(ws, h, st, (lp & LVIS_SELECTED) && intptr_t(wp) >= 0 ? int(wp) : -1);
      return 1;
    case LVM_ENSUREVISIBLE:
      if (intptr_t(wp) < 0 || intptr_t(wp) >= count) return 0;
      st->cur.Show(int(wp), body_rows);
      return 1;
    case LVM_SETCOLUMNWIDTH:
      if (wp >= st->cols.size()) return 0;
      st->cols[wp].width = int(lp);
      return 1;
    case LVM_GETCOLUMNWIDTH:
      return wp < st->cols.size() ? st->cols[wp].width : 0;
    case kMsgItemPoint:
      if (intptr_t(wp) < 0 || intptr_t(wp) >= count) return -1;
      st->cur.Show(int(wp), body_rows);
      return MakePoint(ws.metrics.cell_w, (int(wp) - st->cur.top + 1) * ch + ch / 2);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
      Notify(ws, h, NM_SETFOCUS, st->cur.sel);
      return 0;
    case WM_KILLFOCUS:
      Notify(ws, h, NM_KILLFOCUS, st->cur.sel);
      return 0;
    case WM_KEYDOWN: {
      if (Notify(ws, h, LVN_KEYDOWN, st->cur.sel, uint16_t(wp)) || !IsWindow(ws, h)) return 0;
      if (wp == VK_RETURN) {
        Notify(ws, h, NM_RETURN, st->cur.sel);
        return 0;
      }
      int before = st->cur.sel;
      bool changed;
      if (st->cur.Key(uint16_t(wp), count, body_rows, &changed) && changed) {
        int to = st->cur.sel;
        st->cur.sel = before;
        Select(ws, h, st, to);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      SetFocus(ws, h);
      int row = RowAt(ws, st, lp);
      if (IsWindow(ws, h) && row >= 0 && row < count) Select(ws, h, st, row);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK: {
      int row = RowAt(ws, st, lp);
      int32_t code = msg == WM_LBUTTONUP ? NM_CLICK : msg == WM_RBUTTONUP ? NM_RCLICK : NM_DBLCLK;
      Notify(ws, h, code, row >= 0 && row < count ? row : -1);
      return 0;
    }
    case WM_PAINT: {
      auto* pc = reinterpret_cast<PaintContext*>(lp);
      Canvas& c = pc->canvas;
      st->cur.Clamp(count, body_rows);
      c.Fill(Rect{0, 0, pc->w, pc->h}, ' ', 0);
      c.Fill(Rect{0, 0, pc->w, 1}, ' ', kAttrReverse);
      auto line = [&](int y, const std::vector<std::string>* cells, uint8_t attr) {
        int x = 0;
        for (size_t k = 0; k < st->cols.size(); ++k) {
          int w = std::max(1, CellOf(st->cols[k].width, ws.metrics.cell_w));
          std::string t = cells ? (k < cells->size() ? (*cells)[k] : "") : st->cols[k].title;
          if (int(t.size()) > w - 1) t.resize(size_t(std::max(0, w - 1)));
          int tx = st->cols[k].right && cells ? x + w - 1 - int(t.size()) : x;
          c.Text(tx, y, t, attr);
          c.Put(x + w - 1, y, '|', attr);
          x += w;
        }
      };
      line(0, nullptr, kAttrReverse);
      for (int r = 0; r < body_rows && st->cur.top + r < count; ++r) {
        int i = st->cur.top + r;
        uint8_t attr = i == st->cur.sel ? kAttrReverse : 0;
        if (attr) c.Fill(Rect{0, r + 1, pc->w, 1}, ' ', attr);
        line(r + 1, &st->rows[size_t(i)], attr);
      }
      if (pc->focused) c.Cursor(0, std::max(0, st->cur.sel - st->cur.top) + 1);
      return 0;
    }
    default:
      return DefWindowProc(ws, h, msg, wp, lp);
  }
}

}  // namespace orv::platform
