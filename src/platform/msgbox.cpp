// Message boxes and the text viewer.
#include "platform/msgbox.h"

#include <algorithm>

#include "core/status.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

namespace {
struct BoxState {
  uint32_t style = 0;
  int answer = 0;
};

const char* ButtonLabel(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "?";
  }
}

std::vector<int> Buttons(uint32_t style) {
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

const char* Icon(uint32_t style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONHAND: return "(x)";
    case MB_ICONQUESTION: return "(?)";
    case MB_ICONEXCLAMATION: return "(!)";
    case MB_ICONASTERISK: return "(i)";
    default: return nullptr;
  }
}

// Lines of `text` broken at CR LF, LF or CR and wrapped at `width` (at a blank when there
// is one).
std::vector<std::string> Wrap(std::string_view text, size_t width) {
  std::vector<std::string> out;
  std::string line;
  auto flush = [&] {
    while (line.size() > width) {
      size_t cut = line.rfind(' ', width);
      if (cut == std::string::npos || cut == 0) cut = width;
      out.push_back(line.substr(0, cut));
      line.erase(0, cut + (line[cut] == ' ' ? 1 : 0));
    }
    out.push_back(line);
    line.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      flush();
    } else {
      line += text[i];
    }
  }
  flush();
  return out;
}

std::string OneLine(std::string_view text) {
  std::string s;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    s += text[i] == '\n' || text[i] == '\r' ? std::string("\\n") : std::string(1, text[i]);
  }
  return s;
}

intptr_t BoxProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  auto* st = reinterpret_cast<BoxState*>(GetUserData(ws, h));
  if (msg == WM_CREATE || !st) return DefWindowProc(ws, h, msg, wp, lp);
  int id = msg == WM_COMMAND ? int(LoWord(wp)) : msg == WM_CLOSE ? IDCANCEL : 0;
  if (!id) return DefWindowProc(ws, h, msg, wp, lp);
  std::vector<int> buttons = Buttons(st->style);
  if (id == IDCANCEL && std::find(buttons.begin(), buttons.end(), IDCANCEL) == buttons.end()) {
    if (buttons.size() != 1) return 0;  // no way out but an answer
    id = IDOK;
  }
  if (std::find(buttons.begin(), buttons.end(), id) == buttons.end()) return 0;
  st->answer = id;
  DestroyWindow(ws, h);
  return 0;
}

struct ViewerState {
  int buttons = 0;
  int pressed = -1;
};

constexpr uint32_t kViewerButton = 100;
constexpr uint32_t kViewerText = 99;

intptr_t ViewerProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  auto* st = reinterpret_cast<ViewerState*>(GetUserData(ws, h));
  if (msg != WM_COMMAND || !st) return DefWindowProc(ws, h, msg, wp, lp);
  uint32_t id = LoWord(wp);
  if (id == uint32_t(IDCANCEL)) {
    DestroyWindow(ws, h);
  } else if (id >= kViewerButton && id < kViewerButton + uint32_t(st->buttons)) {
    st->pressed = int(id - kViewerButton);
    DestroyWindow(ws, h);
  }
  return 0;
}

void EnsureClasses(WindowSystem& ws) {
  if (!FindClass(ws, "#MessageBox")) RegisterClass(ws, "#MessageBox", BoxProc, kClassDialog);
  if (!FindClass(ws, "#Viewer")) RegisterClass(ws, "#Viewer", ViewerProc, kClassDialog);
}
}  // namespace

Status MessageBox(WindowSystem& ws, Hwnd owner, std::string_view text, std::string_view caption,
                  uint32_t style, int* answer) {
  EnsureClasses(ws);
  *answer = 0;
  const Metrics& m = ws.metrics;
  int desk_cols = m.work_area.w / m.cell_w;
  const char* icon = Icon(style);
  int indent = icon ? 5 : 1;
  std::vector<std::string> lines = Wrap(text, size_t(std::max(10, desk_cols - indent - 3)));
  std::vector<int> buttons = Buttons(style);
  int bw = 10, gap = 2;
  int row_w = int(buttons.size()) * bw + (int(buttons.size()) - 1) * gap;
  int cols = std::max(row_w + 4, int(caption.size()) + 6);
  for (const std::string& l : lines) cols = std::max(cols, int(l.size()) + indent + 2);
  cols = std::min(cols, desk_cols);
  int rows = int(lines.size()) + 4;

  BoxState st{style, 0};
  Hwnd box = CreateDialogWindow(ws, "#MessageBox", caption, cols, rows, owner,
                                reinterpret_cast<intptr_t>(&st));
  if (!box) return kDataError;
  auto cell = [&](int c, int r, int w) { return Rect{c * m.cell_w, r * m.cell_h, w * m.cell_w, m.cell_h}; };
  if (icon) CreateControl(ws, box, "STATIC", icon, 0, cell(1, 1, 3), 0);
  for (size_t i = 0; i < lines.size(); ++i)
    CreateControl(ws, box, "STATIC", lines[i], 0, cell(indent, 1 + int(i), cols - indent - 1), 0);
  int x = (cols - row_w) / 2;
  Hwnd first;
  for (size_t i = 0; i < buttons.size(); ++i) {
    Hwnd b = CreateControl(ws, box, "BUTTON", ButtonLabel(buttons[i]),
                           WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                           cell(x + int(i) * (bw + gap), rows - 2, bw), uint32_t(buttons[i]));
    if (i == 0) first = b;
  }
  SetFocus(ws, first);
  Status result = RunDialog(ws, box);
  *answer = st.answer;
  std::string names;
  for (int b : buttons) names += std::string(names.empty() ? "" : "/") + ButtonLabel(b);
  Transcript(ws, "message box \"" + std::string(caption) + "\": \"" + OneLine(text) + "\" [" +
                     names + "] -> " + (st.answer ? ButtonLabel(st.answer) : "none"));
  return result;
}

Status ShowTextViewer(WindowSystem& ws, Hwnd owner, std::string_view title, std::string_view text,
                      const std::vector<std::string>& buttons, int* pressed) {
  EnsureClasses(ws);
  *pressed = -1;
  const Metrics& m = ws.metrics;
  int cols = m.work_area.w / m.cell_w;
  int rows = m.work_area.h / m.cell_h - 1;
  ViewerState st{int(buttons.size()), -1};
  Hwnd win = CreateDialogWindow(ws, "#Viewer", title, cols, rows, owner, reinterpret_cast<intptr_t>(&st));
  if (!win) return kDataError;
  int x = 1;
  for (size_t i = 0; i < buttons.size(); ++i) {
    int w = int(buttons[i].size()) + 4;
    CreateControl(ws, win, "BUTTON", buttons[i], WS_TABSTOP,
                  Rect{x * m.cell_w, 0, w * m.cell_w, m.cell_h}, kViewerButton + uint32_t(i));
    x += w + 1;
  }
  Hwnd view = CreateControl(ws, win, "EDIT", text, WS_TABSTOP | ES_MULTILINE | ES_READONLY,
                            Rect{0, m.cell_h, cols * m.cell_w, (rows - 1) * m.cell_h}, kViewerText);
  SetFocus(ws, view);
  size_t line_count = 1 + size_t(std::count(text.begin(), text.end(), '\n'));
  Status result = RunDialog(ws, win);
  *pressed = st.pressed;
  Transcript(ws, "viewer \"" + std::string(title) + "\": " + std::to_string(line_count) +
                     " lines -> " + (st.pressed >= 0 ? buttons[size_t(st.pressed)] : "closed"));
  return result;
}

}  // namespace orv::platform
