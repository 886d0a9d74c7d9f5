// Pure input and geometry rules: terminal keys to key presses and the messages they become,
// key names, scripts, cells and pixels, fitting to the desktop, the view that follows focus.
#include <gtest/gtest.h>

#include <curses.h>

#include <string>
#include <vector>

#include "core/status.h"
#include "platform/geometry.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/term_keys.h"

namespace orv::platform {
namespace {

// The events of a key press written as the key window logs them.
std::string Events(const KeyPress& kp) {
  std::vector<InputEvent> evs;
  ExpandKey(kp.vk, kp.mods, kp.ch, &evs);
  std::string out;
  for (const InputEvent& e : evs) {
    if (!out.empty()) out += ", ";
    out += std::string(e.sys ? "S" : "") + (e.kind == InputEvent::kKeyDown ? "KD " : "KU ") + KeyName(e.vk);
    if (e.kind == InputEvent::kKeyDown && e.ch) out += "/" + std::to_string(e.ch);
  }
  return out;
}

int SequenceCode(const std::string& seq) {
  const auto& seqs = KeySequences();
  for (size_t i = 0; i < seqs.size(); ++i)
    if (seqs[i].seq == seq) return kFirstSequenceCode + int(i);
  return -1;
}

TEST(TermKeys, TerminalKeysBecomeKeyMessages) {
  struct Case {
    bool code;
    uint32_t value;
    const char* events;
  };
  const Case cases[] = {
      {false, 9, "KD Tab/9, KU Tab"},
      {true, uint32_t(KEY_BTAB), "KD Shift, KD Tab/9, KU Tab, KU Shift"},
      {false, 13, "KD Enter/13, KU Enter"},
      {false, 10, "KD Enter/13, KU Enter"},
      {false, 27, "KD Esc/27, KU Esc"},
      {false, 127, "KD Back/8, KU Back"},
      {true, uint32_t(KEY_BACKSPACE), "KD Back/8, KU Back"},
      {false, 29, "KD Ctrl, KD ]/29, KU ], KU Ctrl"},
      {false, 1, "KD Ctrl, KD A/1, KU A, KU Ctrl"},
      {false, 'a', "KD A/97, KU A"},
      {false, 'Z', "KD Shift, KD Z/90, KU Z, KU Shift"},
      {false, 0xE9, "KD Packet/233, KU Packet"},      // é
      {false, 0x20AC, "KD Packet/128, KU Packet"},    // the euro sign is CP1252 0x80
      {true, uint32_t(KEY_F(1)), "KD F1, KU F1"},
      {true, uint32_t(KEY_F(10)), "SKD F10, SKU F10"},  // F10 is a system key
      {true, uint32_t(KEY_F(15)), "KD Shift, KD F3, KU F3, KU Shift"},
      {true, uint32_t(KEY_F(32)), "KD Ctrl, KD F8, KU F8, KU Ctrl"},
      {true, uint32_t(KEY_PPAGE), "KD PgUp, KU PgUp"},
      {true, uint32_t(KEY_NPAGE), "KD PgDn, KU PgDn"},
      {true, uint32_t(KEY_SR), "KD Shift, KD Up, KU Up, KU Shift"},
      {true, uint32_t(SequenceCode("\x1b[1;5F")), "KD Ctrl, KD End, KU End, KU Ctrl"},
      {true, uint32_t(SequenceCode("\x1b[6;5~")), "KD Ctrl, KD PgDn, KU PgDn, KU Ctrl"},
      {true, uint32_t(SequenceCode("\x1b[1;3A")), "SKD Alt, SKD Up, SKU Up, SKU Alt"},
      {true, uint32_t(SequenceCode("\x1b[21;2~")), "KD Shift, SKD F10, SKU F10, KU Shift"},
      {true, uint32_t(SequenceCode("\x1b[Z")), "KD Shift, KD Tab/9, KU Tab, KU Shift"},
  };
  for (const Case& c : cases) {
    KeyPress kp;
    ASSERT_TRUE(DecodeTermKey(c.code, c.value, &kp)) << c.value;
    EXPECT_EQ(Events(kp), c.events) << (c.code ? "code " : "char ") << c.value;
  }
  KeyPress kp;
  EXPECT_FALSE(DecodeTermKey(false, 0x4E2D, &kp));  // not in CP1252
  EXPECT_FALSE(DecodeTermKey(true, uint32_t(KEY_MOUSE), &kp));
}

TEST(TermKeys, KeyNamesRoundTrip) {
  struct Case {
    const char* name;
    uint16_t vk;
    uint8_t mods;
  };
  for (Case c : {Case{"Shift+Tab", VK_TAB, kModShift}, Case{"Ctrl+End", VK_END, kModCtrl},
                 Case{"Ctrl+]", VK_OEM_6, kModCtrl}, Case{"F24", uint16_t(VK_F1 + 23), 0},
                 Case{"alt+f", 'F', kModAlt}, Case{"PgDn", VK_NEXT, 0}}) {
    uint16_t vk = 0;
    uint8_t mods = 0;
    ASSERT_TRUE(ParseKeyName(c.name, &vk, &mods)) << c.name;
    EXPECT_EQ(vk, c.vk) << c.name;
    EXPECT_EQ(mods, c.mods) << c.name;
  }
  uint16_t vk;
  uint8_t mods;
  for (const char* bad : {"F25", "F0", "Hyper+A", "Ctrl+", "Enterr", ""})
    EXPECT_FALSE(ParseKeyName(bad, &vk, &mods)) << bad;
}

TEST(Scripts, ParseStepsAndRejectBadLines) {
  Script s;
  std::string error;
  ASSERT_EQ(ParseScript("# comment\r\nkey Shift+Tab\ntype Peña\nclick 3350 2\ndblclick 7\n"
                        "rclick 3200 0\nmenu 1503\nanswer no\nwait 350\n",
                        &s, &error), kOk) << error;
  // Shift+Tab: 4 events; "Peña" as four presses (P with Shift: 4 events, the rest 2 each);
  // then one step each.
  EXPECT_EQ(s.steps().size(), 4u + 4u + 2u + 2u + 2u + 6u);
  EXPECT_EQ(s.steps()[4 + 4 + 2].ev.ch, 0xF1);  // ñ typed as CP1252
  const Script::Step& wait = s.steps().back();
  EXPECT_TRUE(wait.wait);
  EXPECT_EQ(wait.wait_ms, 350u);
  struct Bad {
    const char* text;
    const char* error;
  };
  for (Bad b : {Bad{"key\n", "line 1: key takes one key name"},
                Bad{"\nkey Hyper+X\n", "line 2: unknown key: Hyper+X"},
                Bad{"click x\n", "line 1: click takes a control id and an optional item"},
                Bad{"click 5 -1\n", "line 1: click takes a control id and an optional item"},
                Bad{"answer maybe\n", "line 1: answer takes ok, cancel, abort, retry, ignore, yes or no"},
                Bad{"wait 99999999999\n", "line 1: wait takes milliseconds"},
                Bad{"type \xff\n", "line 1: text is not UTF-8"},
                Bad{"jump 3\n", "line 1: unknown step: jump"}}) {
    Script t;
    EXPECT_EQ(ParseScript(b.text, &t, &error), kDataError) << b.text;
    EXPECT_EQ(error, b.error);
  }
}

TEST(Geometry, CellsOfPixels) {
  Metrics m;
  // Column c of the screens sits at x (c - 1) * 8 + 1; edit fields a quarter cell left of it.
  EXPECT_EQ(CellsOf(Rect{1, 1, 80, 16}, m), (Rect{0, 0, 10, 1}));
  EXPECT_EQ(CellsOf(Rect{8 * 5 + 1 - 2, 17, 156, 16}, m), (Rect{5, 1, 19, 1}));
  EXPECT_EQ(CellsOf(Rect{-12, -8, 3, 3}, m), (Rect{-1, 0, 1, 1}));
  m.cell_w = 12;
  m.cell_h = 24;  // a font record's cell
  EXPECT_EQ(CellsOf(Rect{120, 48, 120, 24}, m), (Rect{10, 2, 10, 1}));
}

TEST(Geometry, FittingToTheDesktopAlwaysEnds) {
  Metrics m;  // 640 x 384, scroll bars of 24
  struct Case {
    int w, h;
    Fit fit;
  };
  const Case cases[] = {
      {600, 300, {600, 300, false, false}},
      {800, 300, {640, 324, true, false}},   // cut wide: a horizontal bar adds 24 rows of pixels
      {600, 500, {624, 384, false, true}},   // cut tall: a vertical bar adds 24 columns
      {630, 500, {640, 384, true, true}},    // the vertical bar then makes it too wide: cut once
      {800, 370, {640, 384, true, true}},    // the horizontal bar makes it too tall
      {5000, 5000, {640, 384, true, true}},
  };
  for (const Case& c : cases) {
    Fit f = FitToDesktop(c.w, c.h, m);
    EXPECT_EQ(f.w, c.fit.w) << c.w << "x" << c.h;
    EXPECT_EQ(f.h, c.fit.h) << c.w << "x" << c.h;
    EXPECT_EQ(f.hbar, c.fit.hbar) << c.w << "x" << c.h;
    EXPECT_EQ(f.vbar, c.fit.vbar) << c.w << "x" << c.h;
  }
  int x = 600, y = -5;
  ClampToDesktop(&x, &y, 100, 50, m);
  EXPECT_EQ(x, 540);
  EXPECT_EQ(y, 0);
  x = 50;
  ClampToDesktop(&x, &y, 900, 50, m);  // larger than the desktop: the corner wins
  EXPECT_EQ(x, 0);
}

TEST(Geometry, ViewFollowsTheFocus) {
  struct Case {
    Rect focus;
    int ox, oy;      // origin before
    int want_x, want_y;
  };
  // An 80x24 desktop in a 50x12 terminal.
  const Case cases[] = {
      {{12, 3, 20, 1}, 0, 0, 0, 0},
      {{40, 3, 20, 1}, 0, 0, 10, 0},     // just enough to show its right end
      {{1, 20, 10, 1}, 10, 0, 1, 9},     // back left, down to the last rows
      {{0, 9, 79, 5}, 0, 0, 0, 2},       // wider than the view: its start
      {{75, 23, 5, 1}, 0, 0, 30, 12},    // clamped to the desktop's edge
      {{30, 5, 5, 1}, 20, 2, 20, 2},     // already shown: the view stays
  };
  for (const Case& c : cases) {
    int ox = c.ox, oy = c.oy;
    FollowFocus(80, 24, 50, 12, c.focus, &ox, &oy);
    EXPECT_EQ(ox, c.want_x) << c.focus.x << "," << c.focus.y;
    EXPECT_EQ(oy, c.want_y) << c.focus.x << "," << c.focus.y;
  }
  int ox = 7, oy = 7;
  FollowFocus(80, 24, 100, 30, Rect{70, 20, 5, 1}, &ox, &oy);  // the terminal is larger
  EXPECT_EQ(ox, 0);
  EXPECT_EQ(oy, 0);
}

}  // namespace
}  // namespace orv::platform
