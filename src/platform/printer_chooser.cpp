// The printer chooser: a list of printer names and a landscape check box.
#include <algorithm>

#include "core/status.h"
#include "platform/chooser.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

namespace {
struct PrinterState {
  const std::vector<std::string>* printers = nullptr;
  PrinterChoice choice;
  bool done = false;
};

intptr_t PrinterProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  auto* st = reinterpret_cast<PrinterState*>(GetUserData(ws, h));
  if (msg != WM_COMMAND || !st) return DefWindowProc(ws, h, msg, wp, lp);
  uint32_t id = LoWord(wp), code = HiWord(wp);
  Hwnd box = GetDlgItem(ws, h, kChooserLandscape);
  if (id == kChooserLandscape && code == BN_CLICKED) {
    // The box does not toggle itself; the chooser does.
    SendMessage(ws, box, BM_SETCHECK, SendMessage(ws, box, BM_GETCHECK) ? 0 : 1);
  } else if (id == uint32_t(IDOK) || (id == kChooserPrinters && code == LBN_DBLCLK)) {
    intptr_t sel = SendMessage(ws, GetDlgItem(ws, h, kChooserPrinters), LB_GETCURSEL);
    if (sel < 0 || size_t(sel) >= st->printers->size()) return 0;
    st->choice.printer = (*st->printers)[size_t(sel)];
    st->choice.landscape = SendMessage(ws, box, BM_GETCHECK) != 0;
    st->done = true;
    DestroyWindow(ws, h);
  } else if (id == uint32_t(IDCANCEL)) {
    DestroyWindow(ws, h);
  }
  return 0;
}
}  // namespace

Status ChoosePrinter(WindowSystem& ws, Hwnd owner, std::string_view title,
                     const std::vector<std::string>& printers, PrinterChoice* choice) {
  Status result = kCancelled;
  PrinterState st;
  st.printers = &printers;
  st.choice = *choice;
  if (!printers.empty()) {
    if (!FindClass(ws, "#PrinterChooser"))
      RegisterClass(ws, "#PrinterChooser", PrinterProc, kClassDialog);
    const Metrics& m = ws.metrics;
    int cols = 40, rows = std::min(12, m.work_area.h / m.cell_h - 1);
    Hwnd h = CreateDialogWindow(ws, "#PrinterChooser", title, cols, rows, owner,
                                reinterpret_cast<intptr_t>(&st));
    if (!h) return kDataError;
    auto cell = [&](int c, int r, int w, int hh) {
      return Rect{c * m.cell_w, r * m.cell_h, w * m.cell_w, hh * m.cell_h};
    };
    Hwnd list = CreateControl(ws, h, "LISTBOX", "", WS_TABSTOP | LBS_NOTIFY,
                              cell(1, 0, cols - 2, rows - 4), kChooserPrinters);
    for (const std::string& p : printers) SendText(ws, list, LB_ADDSTRING, 0, p);
    auto it = std::find(printers.begin(), printers.end(), choice->printer);
    SendMessage(ws, list, LB_SETCURSEL, it == printers.end() ? 0 : uintptr_t(it - printers.begin()));
    Hwnd box = CreateControl(ws, h, "BUTTON", "Landscape", WS_TABSTOP | BS_CHECKBOX,
                             cell(1, rows - 3, 20, 1), kChooserLandscape);
    SendMessage(ws, box, BM_SETCHECK, choice->landscape ? 1 : 0);
    CreateControl(ws, h, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, cell(cols - 24, rows - 1, 10, 1), IDOK);
    CreateControl(ws, h, "BUTTON", "Cancel", WS_TABSTOP, cell(cols - 12, rows - 1, 10, 1), IDCANCEL);
    SetFocus(ws, list);
    Status st_run = RunDialog(ws, h);
    result = st_run ? st_run : st.done ? kOk : kCancelled;
  }
  Transcript(ws, "printer chooser \"" + std::string(title) + "\" -> " +
                     (result == kOk ? st.choice.printer + (st.choice.landscape ? " landscape" : "")
                                    : result == kCancelled ? "cancelled" : "failed"));
  if (result == kOk) *choice = st.choice;
  return result;
}

}  // namespace orv::platform
