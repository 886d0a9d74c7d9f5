// Static labels and images, buttons and check boxes, progress bars.
#include <algorithm>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

namespace {
struct StaticState : ControlState {
  std::string image;
};
struct ButtonState : ControlState {
  intptr_t check = 0;
  std::string image;
  bool pressed = false;
};
struct ProgressState : ControlState {
  int min = 0, max = 100, pos = 0;
};

std::string_view BaseName(std::string_view path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

// Text in a field of `w` cells: left, right or centred.
void Aligned(Canvas& c, int w, std::string_view text, int align, uint8_t attr) {
  if (int(text.size()) > w) text = text.substr(0, size_t(std::max(0, w)));
  int x = align < 0 ? 0 : align > 0 ? w - int(text.size()) : (w - int(text.size())) / 2;
  c.Text(x, 0, text, attr);
}
}  // namespace

intptr_t StaticProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  switch (msg) {
    case STM_SETIMAGE:
      StateOf<StaticState>(ws, h)->image = *reinterpret_cast<const std::string_view*>(lp);
      return 1;
    case WM_PAINT: {
      auto* pc = reinterpret_cast<PaintContext*>(lp);
      pc->canvas.Fill(Rect{0, 0, pc->w, pc->h}, ' ', 0);
      StaticState* st = StateOf<StaticState>(ws, h);
      uint32_t style = GetStyle(ws, h);
      if ((style & SS_TYPEMASK) == SS_BITMAP || !st->image.empty()) {
        std::string label = "[" + std::string(BaseName(st->image)) + "]";
        Aligned(pc->canvas, pc->w, label, 0, 0);
      } else {
        Aligned(pc->canvas, pc->w, GetWindowText(ws, h), (style & SS_RIGHT) ? 1 : -1, 0);
      }
      return 0;
    }
    default:
      return DefWindowProc(ws, h, msg, wp, lp);
  }
}

static bool IsCheckBox(uint32_t style) { return (style & BS_TYPEMASK) == BS_CHECKBOX; }

intptr_t ButtonProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  ButtonState* st = StateOf<ButtonState>(ws, h);
  switch (msg) {
    case BM_GETCHECK:
      return st->check;
    case BM_SETCHECK:
      st->check = intptr_t(wp);
      return 0;
    case BM_SETIMAGE:
      st->image = *reinterpret_cast<const std::string_view*>(lp);
      return 1;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case WM_LBUTTONDOWN:
      SetFocus(ws, h);
      if (Lookup(ws, h)) st->pressed = true;
      return 0;
    case WM_LBUTTONUP:
      if (st->pressed) {
        st->pressed = false;
        NotifyParent(ws, h, BN_CLICKED);
      }
      return 0;
    case WM_KEYUP:
      if (wp == VK_SPACE) NotifyParent(ws, h, BN_CLICKED);
      return 0;
    case WM_KILLFOCUS:
      st->pressed = false;
      return 0;
    case WM_PAINT: {
      auto* pc = reinterpret_cast<PaintContext*>(lp);
      Canvas& c = pc->canvas;
      uint32_t style = GetStyle(ws, h);
      std::string caption = GetWindowText(ws, h);
      if ((style & BS_BITMAP) || !st->image.empty())
        caption = std::string(BaseName(st->image.empty() ? caption : st->image));
      c.Fill(Rect{0, 0, pc->w, pc->h}, ' ', 0);
      uint8_t attr = pc->enabled ? 0 : kAttrDim;
      if (IsCheckBox(style)) {
        c.Text(0, 0, st->check ? "[X]" : "[ ]", attr | (pc->focused ? kAttrReverse : 0));
        c.Text(4, 0, caption, attr);
        if (pc->focused) c.Cursor(1, 0);
        return 0;
      }
      if ((style & BS_TYPEMASK) == BS_OWNERDRAW && st->check) caption = "*" + caption;
      if (pc->focused) attr |= kAttrReverse;
      c.Fill(Rect{0, 0, pc->w, 1}, ' ', attr);
      int inner = std::max(0, pc->w - 2);
      if (int(caption.size()) > inner) caption.resize(size_t(inner));
      c.Text(1 + (inner - int(caption.size())) / 2, 0, caption, attr);
      const char* ends = !pc->enabled ? "()" : pc->focused ? "<>" : "[]";
      c.Put(0, 0, uint8_t(ends[0]), attr);
      c.Put(pc->w - 1, 0, uint8_t(ends[1]), attr);
      if (pc->focused) c.Cursor(1 + (inner - int(caption.size())) / 2, 0);
      return 0;
    }
    default:
      return DefWindowProc(ws, h, msg, wp, lp);
  }
}

intptr_t ProgressProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  ProgressState* st = StateOf<ProgressState>(ws, h);
  switch (msg) {
    case PBM_SETRANGE32:
      st->min = int(wp);
      st->max = std::max(st->min, int(lp));
      st->pos = std::clamp(st->pos, st->min, st->max);
      return 0;
    case PBM_SETPOS: {
      int old = st->pos;
      st->pos = std::clamp(int(wp), st->min, st->max);
      return old;
    }
    case PBM_GETPOS:
      return st->pos;
    case WM_PAINT: {
      auto* pc = reinterpret_cast<PaintContext*>(lp);
      int span = st->max - st->min;
      int full = span > 0 ? int(int64_t(st->pos - st->min) * pc->w / span) : 0;
      pc->canvas.Fill(Rect{0, 0, pc->w, pc->h}, '.', 0);
      pc->canvas.Fill(Rect{0, 0, full, pc->h}, '#', 0);
      return 0;
    }
    default:
      return DefWindowProc(ws, h, msg, wp, lp);
  }
}

}  // namespace orv::platform
