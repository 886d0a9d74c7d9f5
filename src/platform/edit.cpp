// The single-line edit field: text with a length limit, caret and selection, read-only,
// password and right-aligned forms, the whole text selected when it gets the focus.
#include <algorithm>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

namespace {
struct EditState : ControlState {
  size_t limit = 30000;
  size_t caret = 0;
  size_t anchor = 0;  // the other end of the selection
  size_t scroll = 0;  // first character shown
};

size_t SelStart(const EditState& e) { return std::min(e.caret, e.anchor); }
size_t SelEnd(const EditState& e) { return std::max(e.caret, e.anchor); }

// Replaces the selection with `ins`, within the limit; true when the text changed.
bool ReplaceSelection(WindowSystem& ws, Hwnd h, EditState* e, std::string_view ins) {
  Window* w = Lookup(ws, h);
  size_t a = SelStart(*e), b = SelEnd(*e);
  if (w->text.size() - (b - a) + ins.size() > e->limit) {
    NotifyParent(ws, h, EN_MAXTEXT);
    return false;
  }
  if (a == b && ins.empty()) return false;
  w->text.replace(a, b - a, ins);
  e->caret = e->anchor = a + ins.size();
  return true;
}
}  // namespace

static void KeyDown(WindowSystem& ws, Hwnd h, EditState* e, uint16_t vk) {
  Window* w = Lookup(ws, h);
  size_t len = w->text.size();
  bool shift = ws.keys[VK_SHIFT];
  size_t to = e->caret;
  switch (vk) {
    case VK_LEFT:
      if (!shift && e->caret != e->anchor) to = SelStart(*e);
      else if (to > 0) --to;
      break;
    case VK_RIGHT:
      if (!shift && e->caret != e->anchor) to = SelEnd(*e);
      else if (to < len) ++to;
      break;
    case VK_HOME:
      to = 0;
      break;
    case VK_END:
      to = len;
      break;
    case VK_DELETE:
      if (w->style & ES_READONLY) return;
      if (e->caret == e->anchor && e->caret < len) e->anchor = e->caret + 1;
      if (ReplaceSelection(ws, h, e, "")) NotifyParent(ws, h, EN_CHANGE);
      return;
    default:
      return;
  }
  e->caret = to;
  if (!shift) e->anchor = to;
}

static void Char(WindowSystem& ws, Hwnd h, EditState* e, uint8_t ch) {
  Window* w = Lookup(ws, h);
  if (w->style & ES_READONLY) return;
  bool changed = false;
  if (ch == 8) {
    if (e->caret == e->anchor && e->caret > 0) e->anchor = e->caret - 1;
    changed = ReplaceSelection(ws, h, e, "");
  } else if (ch >= 0x20 && ch != 0x7F) {
    char c = char(ch);
    changed = ReplaceSelection(ws, h, e, std::string_view(&c, 1));
  }
  if (changed) NotifyParent(ws, h, EN_CHANGE);
}

static void Paint(WindowSystem& ws, Hwnd h, EditState* e, PaintContext* pc) {
  const Window* w = Lookup(ws, h);
  std::string shown = w->text;
  if (w->style & ES_PASSWORD) shown.assign(shown.size(), '*');
  int width = std::max(1, pc->w);
  size_t len = shown.size();
  e->caret = std::min(e->caret, len);
  e->anchor = std::min(e->anchor, len);
  // Keep the caret in view (it may sit just after the last character).
  if (e->caret < e->scroll) e->scroll = e->caret;
  if (e->caret >= e->scroll + size_t(width)) e->scroll = e->caret - size_t(width) + 1;
  if (len <= size_t(width)) e->scroll = 0;
  int offset = (w->style & ES_RIGHT) && len < size_t(width) ? width - int(len) : 0;
  bool editable = !(w->style & ES_READONLY) && pc->enabled;
  uint8_t base = editable ? kAttrUnderline : 0;
  Canvas& c = pc->canvas;
  c.Fill(Rect{0, 0, width, 1}, editable ? '_' : ' ', base);
  for (size_t i = e->scroll; i < len && int(i - e->scroll) + offset < width; ++i) {
    bool sel = pc->focused && i >= SelStart(*e) && i < SelEnd(*e);
    c.Put(int(i - e->scroll) + offset, 0, uint8_t(shown[i]), sel ? kAttrReverse : base);
  }
  if (pc->focused) c.Cursor(std::min(width - 1, int(e->caret - e->scroll) + offset), 0);
}

intptr_t EditProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  if (GetStyle(ws, h) & ES_MULTILINE) return TextViewProc(ws, h, msg, wp, lp);
  EditState* e = StateOf<EditState>(ws, h);
  if (!e) return 0;
  switch (msg) {
    case WM_SETTEXT:
      DefWindowProc(ws, h, msg, wp, lp);
      e->caret = e->anchor = e->scroll = 0;
      NotifyParent(ws, h, EN_CHANGE);
      return 1;
    case EM_LIMITTEXT:
      e->limit = wp ? size_t(wp) : 30000;
      return 0;
    case EM_SETSEL: {
      size_t len = Lookup(ws, h)->text.size();
      intptr_t a = intptr_t(wp), b = lp;
      if (a < 0) {
        e->anchor = e->caret;
      } else {
        e->anchor = std::min(size_t(a), len);
        e->caret = b < 0 ? len : std::min(size_t(b), len);
      }
      return 0;
    }
    case EM_GETSEL:
      return intptr_t(MakeWParam(uint32_t(SelStart(*e)), uint32_t(SelEnd(*e))));
    case EM_SETREADONLY: {
      Window* w = Lookup(ws, h);
      w->style = wp ? (w->style | ES_READONLY) : (w->style & ~ES_READONLY);
      return 1;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      e->anchor = 0;
      e->caret = Lookup(ws, h)->text.size();
      NotifyParent(ws, h, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParent(ws, h, EN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(ws, h);
      Window* w = Lookup(ws, h);
      if (!w) return 0;
      size_t at = e->scroll + size_t(std::max(0, PointX(lp)) / ws.metrics.cell_w);
      e->caret = e->anchor = std::min(at, w->text.size());
      return 0;
    }
    case WM_KEYDOWN:
      KeyDown(ws, h, e, uint16_t(wp));
      return 0;
    case WM_CHAR:
      Char(ws, h, e, uint8_t(wp));
      return 0;
    case WM_PAINT:
      Paint(ws, h, e, reinterpret_cast<PaintContext*>(lp));
      return 0;
    default:
      return DefWindowProc(ws, h, msg, wp, lp);
  }
}

}  // namespace orv::platform
