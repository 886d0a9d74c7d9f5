// The demo scene.
#include "demo_scene.h"

#include <string>

#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/msgbox.h"
#include "platform/window.h"

namespace orv::platform {

static intptr_t DemoProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  if (msg != WM_COMMAND) return DefWindowProc(ws, h, msg, wp, lp);
  Hwnd status = GetDlgItem(ws, h, kDemoStatus);
  switch (LoWord(wp)) {
    case kDemoAbout: {
      int answer;
      MessageBox(ws, h, "Orvale demo\r\nA miniature window system", "About",
                 MB_OK | MB_ICONASTERISK, &answer);
      return 0;
    }
    case kDemoExit:
      DestroyWindow(ws, h);
      return 0;
    case kDemoOk:
      SetWindowText(ws, status, "Saved: " + GetWindowText(ws, GetDlgItem(ws, h, kDemoName)));
      return 0;
    case kDemoAsk: {
      int answer;
      MessageBox(ws, h, "Keep these values?", "Question", MB_YESNO | MB_ICONQUESTION, &answer);
      SetWindowText(ws, status, answer == IDYES ? "Answer: yes" : "Answer: no");
      return 0;
    }
    case kDemoActive: {
      Hwnd box = GetDlgItem(ws, h, kDemoActive);
      SendMessage(ws, box, BM_SETCHECK, SendMessage(ws, box, BM_GETCHECK) ? 0 : 1);
      return 0;
    }
    default:
      return 0;
  }
}

Hwnd BuildDemoScene(WindowSystem& ws) {
  if (!FindClass(ws, "DemoMain")) RegisterClass(ws, "DemoMain", DemoProc, kClassDialog);
  const Metrics& m = ws.metrics;
  auto cell = [&](int c, int r, int w, int h) {
    return Rect{c * m.cell_w, r * m.cell_h, w * m.cell_w, h * m.cell_h};
  };
  Hmenu bar = CreateMenu(ws), file = CreateMenu(ws), help = CreateMenu(ws);
  AppendMenuItem(ws, file, "Exit", kDemoExit);
  AppendMenuItem(ws, help, "About", kDemoAbout);
  AppendSubMenu(ws, bar, "File", file);
  AppendSubMenu(ws, bar, "Help", help);
  CreateParams p;
  p.class_name = "DemoMain";
  p.title = "Orvale Business Runtime";
  p.style = WS_VISIBLE | WS_CAPTION;
  p.rect = m.work_area;
  p.menu = bar;
  Hwnd w = CreateWindow(ws, p);
  auto label = [&](const char* text, int row) {
    CreateControl(ws, w, "STATIC", text, SS_RIGHT, cell(1, row, 10, 1), 0);
  };
  label("Name:", 1);
  Hwnd name = CreateControl(ws, w, "EDIT", "", WS_TABSTOP, cell(12, 1, 20, 1), kDemoName);
  SendMessage(ws, name, EM_LIMITTEXT, 20);
  label("Password:", 2);
  CreateControl(ws, w, "EDIT", "secret", WS_TABSTOP | ES_PASSWORD, cell(12, 2, 10, 1), kDemoPassword);
  label("Amount:", 3);
  CreateControl(ws, w, "EDIT", "1234.50", WS_TABSTOP | ES_RIGHT, cell(12, 3, 10, 1), kDemoAmount);
  label("Code:", 4);
  CreateControl(ws, w, "EDIT", "GE-0001", ES_READONLY, cell(12, 4, 10, 1), kDemoCode);
  label("Active:", 5);
  CreateControl(ws, w, "BUTTON", "Yes", WS_TABSTOP | BS_CHECKBOX, cell(12, 5, 8, 1), kDemoActive);
  label("Country:", 7);
  Hwnd combo = CreateControl(ws, w, "COMBOBOX", "", WS_TABSTOP | CBS_DROPDOWNLIST,
                             cell(12, 7, 14, 5), kDemoCountry);
  for (const char* c : {"Espa\xF1" "a", "France", "Italia", "Portugal"}) SendText(ws, combo, CB_ADDSTRING, 0, c);
  SendMessage(ws, combo, CB_SETCURSEL, 0);
  Hwnd list = CreateControl(ws, w, "LISTBOX", "", WS_TABSTOP | LBS_NOTIFY, cell(40, 1, 20, 5), kDemoList);
  for (const char* c : {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"})
    SendText(ws, list, LB_ADDSTRING, 0, c);
  SendMessage(ws, list, LB_SETCURSEL, 1);
  Hwnd grid = CreateControl(ws, w, "SysListView32", "", WS_TABSTOP, cell(1, 9, 40, 5), kDemoGrid);
  ListViewColumn cols[] = {{"Line", 6 * 8, false}, {"Item", 20 * 8, false}, {"Amount", 12 * 8, true}};
  for (int i = 0; i < 3; ++i) SendMessage(ws, grid, LVM_INSERTCOLUMN, uintptr_t(i), reinterpret_cast<intptr_t>(&cols[i]));
  const char* items[][3] = {{"1", "Paper A4", "12.00"}, {"2", "Toner", "87.50"}, {"3", "Stapler", "9.95"}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      ListViewCell cell_text{r, c, items[r][c]};
      SendMessage(ws, grid, c ? LVM_SETITEMTEXT : LVM_INSERTITEM, 0, reinterpret_cast<intptr_t>(&cell_text));
    }
  }
  SendMessage(ws, grid, LVM_SETITEMSTATE, 0, LVIS_SELECTED);
  Hwnd bar_ctl = CreateControl(ws, w, "msctls_progress32", "", 0, cell(44, 9, 30, 1), kDemoProgress);
  SendMessage(ws, bar_ctl, PBM_SETRANGE32, 0, 200);
  SendMessage(ws, bar_ctl, PBM_SETPOS, 100);
  CreateControl(ws, w, "BUTTON", "Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, cell(12, 16, 10, 1), kDemoOk);
  CreateControl(ws, w, "BUTTON", "Ask", WS_TABSTOP, cell(24, 16, 10, 1), kDemoAsk);
  Hwnd off = CreateControl(ws, w, "BUTTON", "Off", WS_TABSTOP, cell(36, 16, 10, 1), kDemoOff);
  EnableWindow(ws, off, false);
  CreateControl(ws, w, "EDIT", "Ready", ES_READONLY, cell(1, 20, 60, 1), kDemoStatus);
  SetFocus(ws, name);
  return w;
}

}  // namespace orv::platform
