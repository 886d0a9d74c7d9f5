// Each control class driven by key and click scripts: the notifications its parent gets
// and the text or selection it ends with.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/menu.h"
#include "platform_fixture.h"

namespace orv::platform {
namespace {

class ControlsTest;

struct ControlCase {
  const char* name;
  // Creates the control(s) in `w`; returns the one whose state is checked.
  std::function<Hwnd(ControlsTest&, Hwnd w)> setup;
  std::function<void(Script&)> script;
  std::vector<std::string> expect;  // the parent's log
  std::string state;                // the control's text, or "sel N" for lists
};

// Test names show the case's name, not its bytes.
void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.name; }

class ControlsTest : public PlatformTest, public ::testing::WithParamInterface<ControlCase> {
 public:
  using PlatformTest::rec;
  using PlatformTest::ws;
  Hwnd Make(Hwnd w, const char* cls, const char* text, uint32_t style, int col, int row, int cols,
            int rows, uint32_t id) {
    Hwnd h = CreateControl(ws, w, cls, text, style | WS_TABSTOP, Cells(col, row, cols, rows), id);
    SetFocus(ws, h);
    return h;
  }
  Hwnd List(Hwnd w, const char* cls, uint32_t style, uint32_t id, int rows = 4) {
    Hwnd h = Make(w, cls, "", style, 1, 1, 12, rows, id);
    for (const char* item : {"alpha", "beta", "gamma", "delta", "omega"})
      SendText(ws, h, std::string(cls) == "COMBOBOX" ? CB_ADDSTRING : LB_ADDSTRING, 0, item);
    return h;
  }
};

std::string SelOf(WindowSystem& ws, Hwnd h) {
  const char* cls = Lookup(ws, h)->cls->name.c_str();
  uint32_t msg = std::string(cls) == "LISTBOX" ? LB_GETCURSEL
                 : std::string(cls) == "COMBOBOX" ? CB_GETCURSEL
                                                  : LVM_GETNEXTITEM;
  intptr_t lp = msg == LVM_GETNEXTITEM ? LVNI_SELECTED : 0;
  return "sel " + std::to_string(SendMessage(ws, h, msg, msg == LVM_GETNEXTITEM ? uintptr_t(-1) : 0, lp));
}

Hwnd Grid(ControlsTest& t, Hwnd w) {
  Hwnd g = t.Make(w, "SysListView32", "", 0, 0, 0, 30, 5, 3200);
  t.rec.log.clear();
  ListViewColumn c1{"Code", 6 * 8, false}, c2{"Amount", 8 * 8, true};
  SendMessage(t.ws, g, LVM_INSERTCOLUMN, 0, reinterpret_cast<intptr_t>(&c1));
  SendMessage(t.ws, g, LVM_INSERTCOLUMN, 1, reinterpret_cast<intptr_t>(&c2));
  for (int r = 0; r < 6; ++r) {
    ListViewCell cell{r, 0, "L" + std::to_string(r)};
    SendMessage(t.ws, g, LVM_INSERTITEM, 0, reinterpret_cast<intptr_t>(&cell));
    cell.col = 1;
    cell.text = std::to_string(r * 10);
    SendMessage(t.ws, g, LVM_SETITEMTEXT, 0, reinterpret_cast<intptr_t>(&cell));
  }
  SendMessage(t.ws, g, LVM_SETITEMSTATE, 0, LVIS_SELECTED);
  return g;
}

const std::string kChange = "w COMMAND 2000,768";

const ControlCase kCases[] = {
    {"EditKeepsItsLengthLimit",
     [](ControlsTest& t, Hwnd w) {
       Hwnd e = t.Make(w, "EDIT", "", 0, 1, 1, 10, 1, 2000);
       SendMessage(t.ws, e, EM_LIMITTEXT, 3);
       return e;
     },
     [](Script& s) { s.Type("abcd"); },
     {kChange, kChange, kChange, "w COMMAND 2000,1281"},
     "abc"},

    {"EditSelectsAllOnFocusSoTypingReplaces",
     [](ControlsTest& t, Hwnd w) { return t.Make(w, "EDIT", "hello", 0, 1, 1, 10, 1, 2000); },
     [](Script& s) { s.Type("x"); },
     {kChange},
     "x"},

    {"EditCaretSelectionAndDeletion",
     [](ControlsTest& t, Hwnd w) { return t.Make(w, "EDIT", "hello", 0, 1, 1, 10, 1, 2000); },
     [](Script& s) { s.Key("End").Key("Left").Key("Left").Key("Back").Key("Shift+Home").Type("J").Key("Del"); },
     {kChange, kChange, kChange},
     "Jo"},

    {"ReadOnlyEditIgnoresTyping",
     [](ControlsTest& t, Hwnd w) { return t.Make(w, "EDIT", "fixed", ES_READONLY, 1, 1, 10, 1, 2000); },
     [](Script& s) { s.Type("x").Key("Back").Key("Del"); },
     {},
     "fixed"},

    {"PushButtonClicksBySpaceAndPointer",
     [](ControlsTest& t, Hwnd w) { return t.Make(w, "BUTTON", "Ok", 0, 1, 1, 8, 1, 3100); },
     [](Script& s) { s.Key("Space").Click(3100).Key("Enter"); },
     {"w COMMAND 3100,0", "w COMMAND 3100,0"},
     "Ok"},

    {"CheckBoxNotifiesButDoesNotToggleItself",
     [](ControlsTest& t, Hwnd w) { return t.Make(w, "BUTTON", "", BS_CHECKBOX, 1, 1, 4, 1, 2005); },
     [](Script& s) { s.Click(2005).Key("Space"); },
     {"w COMMAND 2005,0", "w COMMAND 2005,0"},
     "check 0"},

    {"ListBoxKeysMoveTheSelection",
     [](ControlsTest& t, Hwnd w) { return t.List(w, "LISTBOX", LBS_NOTIFY, 3350); },
     [](Script& s) { s.Key("Down").Key("Down").Key("Up").Key("End").Key("End").Type("b"); },
     {"w COMMAND 3350,1", "w COMMAND 3350,1", "w COMMAND 3350,1", "w COMMAND 3350,1",
      "w COMMAND 3350,1"},
     "sel 1"},

    {"ListBoxDoubleClickOnTheThirdItem",
     [](ControlsTest& t, Hwnd w) { return t.List(w, "LISTBOX", LBS_NOTIFY, 3350); },
     [](Script& s) { s.DoubleClick(3350, 2); },
     {"w COMMAND 3350,1", "w COMMAND 3350,2"},
     "sel 2"},

    {"ListBoxOffersKeysToItsParent",
     [](ControlsTest& t, Hwnd w) {
       t.rec.on["w VKEYTOITEM"] = [](Hwnd) { return intptr_t(-2); };  // the parent takes them
       return t.List(w, "LISTBOX", LBS_NOTIFY | LBS_WANTKEYBOARDINPUT, 3350);
     },
     [](Script& s) { s.Key("Down").Key("Enter"); },
     {"w VKEYTOITEM", "w VKEYTOITEM"},
     "sel -1"},

    {"DropDownComboMakesASelection",
     [](ControlsTest& t, Hwnd w) { return t.List(w, "COMBOBOX", CBS_DROPDOWNLIST, 3500, 5); },
     [](Script& s) { s.Key("F4").Key("Down").Key("Down").Key("Enter"); },
     {"w COMMAND 3500,7", "w COMMAND 3500,1", "w COMMAND 3500,1", "w COMMAND 3500,9"},
     "beta"},

    {"ComboClickOnAnItemOpensSelectsAndCloses",
     [](ControlsTest& t, Hwnd w) { return t.List(w, "COMBOBOX", CBS_DROPDOWNLIST, 3500, 5); },
     [](Script& s) { s.Click(3500, 3).Key("Alt+Down").Key("Esc"); },
     {"w COMMAND 3500,7", "w COMMAND 3500,1", "w COMMAND 3500,9", "w COMMAND 3500,7",
      "w COMMAND 3500,10"},
     "delta"},

    {"GridKeysNotifyAndMove",
     [](ControlsTest& t, Hwnd w) {
       t.rec.on["w NOTIFY"] = [&t](Hwnd) {
         // The parent consumes PgDn, as the document window does on the last row.
         return intptr_t(t.rec.log.back().find("PgDn") != std::string::npos);
       };
       return Grid(t, w);
     },
     [](Script& s) { s.Key("Down").Key("PgDn").Key("Enter"); },
     {"w NOTIFY 3200,-155 row 0 Down", "w NOTIFY 3200,-101 row 1", "w NOTIFY 3200,-155 row 1 PgDn",
      "w NOTIFY 3200,-155 row 1 Enter", "w NOTIFY 3200,-4 row 1"},
     "sel 1"},

    {"GridClicks",
     [](ControlsTest& t, Hwnd w) {
       Hwnd g = Grid(t, w);
       SetFocus(t.ws, w);
       return g;
     },
     [](Script& s) { s.Click(3200, 2).DoubleClick(3200, 3).RightClick(3200, 1); },
     {"w KILLFOCUS", "w NOTIFY 3200,-7 row 0", "w NOTIFY 3200,-101 row 2", "w NOTIFY 3200,-2 row 2",
      "w NOTIFY 3200,-101 row 3", "w NOTIFY 3200,-2 row 3", "w NOTIFY 3200,-3 row 3",
      "w NOTIFY 3200,-2 row 3", "w NOTIFY 3200,-101 row 1", "w NOTIFY 3200,-5 row 1"},
     "sel 1"},

    {"MenuBarByF10AndArrows",
     [](ControlsTest& t, Hwnd w) {
       Hmenu bar = CreateMenu(t.ws), file = CreateMenu(t.ws), edit = CreateMenu(t.ws);
       AppendMenuItem(t.ws, file, "Open", 1500);
       AppendMenuItem(t.ws, file, "Close", 1501);
       AppendMenuItem(t.ws, edit, "Copy", 1502);
       AppendSeparator(t.ws, edit);
       AppendMenuItem(t.ws, edit, "Paste", 1503);
       AppendSubMenu(t.ws, bar, "File", file);
       AppendSubMenu(t.ws, bar, "Edit", edit);
       SetMenu(t.ws, w, bar);
       return w;
     },
     [](Script& s) {
       s.Key("F10").Key("Down").Key("Down").Key("Enter");    // File > Close
       s.Key("F10").Key("Right").Key("Down").Key("Up").Key("Enter");  // Edit > Paste (wraps)
       s.Key("Alt+E").Key("Esc").Key("Esc");                 // opened and closed again
       s.Menu(1502);                                         // a scripted choice
     },
     // Key-ups after a menu closed reach the window; Alt+E is a system key with its character.
     {"w SYSKEYDOWN F10", "w COMMAND 1501,0", "w KEYUP Enter", "w SYSKEYDOWN F10",
      "w COMMAND 1503,0", "w KEYUP Enter", "w SYSKEYDOWN Alt", "w SYSKEYDOWN E", "w SYSCHAR 101",
      "w KEYUP Esc", "w COMMAND 1502,0"},
     "w"},
};

TEST_P(ControlsTest, Case) {
  const ControlCase& c = GetParam();
  Hwnd w = Top("w");
  Hwnd h = c.setup(*this, w);
  ASSERT_TRUE(h);
  rec.log.clear();
  Script s;
  c.script(s);
  ASSERT_TRUE(s.error().empty()) << s.error();
  EXPECT_EQ(RunScript(w, std::move(s)), 0) << ws.failure_report;
  EXPECT_EQ(rec.log, c.expect);
  std::string cls = Lookup(ws, h)->cls->name;
  std::string state = cls == "LISTBOX" || cls == "SysListView32" ? SelOf(ws, h)
                      : cls == "BUTTON" && (GetStyle(ws, h) & BS_TYPEMASK) == BS_CHECKBOX
                          ? "check " + std::to_string(SendMessage(ws, h, BM_GETCHECK))
                          : GetWindowText(ws, h);
  EXPECT_EQ(state, c.state);
}

INSTANTIATE_TEST_SUITE_P(Platform, ControlsTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orv::platform
