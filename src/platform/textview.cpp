// The read-only multi-line text view (an edit control with ES_MULTILINE): lines split at
// CR LF, LF or CR, scrolled with the arrows, PgUp, PgDn, Home and End.
#include <algorithm>
#include <vector>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

namespace {
struct TextViewState : ControlState {
  std::vector<std::string> lines;
  int top = 0, left = 0;
};

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> out(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}
}  // namespace

intptr_t TextViewProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  TextViewState* st = StateOf<TextViewState>(ws, h);
  if (!st) return 0;
  int rows = ClientRows(ws, h);
  int last = std::max(0, int(st->lines.size()) - rows);
  switch (msg) {
    case WM_CREATE:
      st->lines = SplitLines(Lookup(ws, h)->text);
      return 0;
    case WM_SETTEXT:
      DefWindowProc(ws, h, msg, wp, lp);
      st->lines = SplitLines(*reinterpret_cast<const std::string_view*>(lp));
      st->top = st->left = 0;
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      SetFocus(ws, h);
      return 0;
    case WM_KEYDOWN:
      switch (wp) {
        case VK_UP: st->top -= 1; break;
        case VK_DOWN: st->top += 1; break;
        case VK_PRIOR: st->top -= rows; break;
        case VK_NEXT: st->top += rows; break;
        case VK_HOME: st->top = 0; st->left = 0; break;
        case VK_END: st->top = last; break;
        case VK_LEFT: st->left = std::max(0, st->left - 1); break;
        case VK_RIGHT: st->left += 1; break;
        default: break;
      }
      st->top = std::clamp(st->top, 0, last);
      return 0;
    case WM_PAINT: {
      auto* pc = reinterpret_cast<PaintContext*>(lp);
      pc->canvas.Fill(Rect{0, 0, pc->w, pc->h}, ' ', 0);
      for (int r = 0; r < pc->h && st->top + r < int(st->lines.size()); ++r) {
        const std::string& line = st->lines[size_t(st->top + r)];
        if (int(line.size()) > st->left) pc->canvas.Text(0, r, line.substr(size_t(st->left)), 0);
      }
      if (pc->focused) pc->canvas.Cursor(0, 0);
      return 0;
    }
    default:
      return DefWindowProc(ws, h, msg, wp, lp);
  }
}

}  // namespace orv::platform
