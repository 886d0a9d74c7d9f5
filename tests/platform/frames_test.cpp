// Golden 80x24 frames of composed windows: characters, attributes and the cursor. Set
// ORVALE_UPDATE_GOLDEN=1 to rewrite the files after a deliberate change of the look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/status.h"
#include "demo_scene.h"
#include "platform/geometry.h"
#include "platform/menu.h"
#include "platform_fixture.h"

namespace orv::platform {
namespace {

std::string Frame(const CellGrid& g) {
  return g.Text() + "--- attributes ---\n" + g.Attrs() + "--- cursor " +
         std::to_string(g.cursor_x) + "," + std::to_string(g.cursor_y) + "\n";
}

std::string Composed(WindowSystem& ws) {
  CellGrid g;
  Rect focus;
  Compose(ws, &g, &focus);
  return Frame(g);
}

void ExpectGolden(const std::string& name, const std::string& frame) {
  std::string path = std::string(ORVALE_GOLDEN_DIR) + "/" + name + ".txt";
  if (std::getenv("ORVALE_UPDATE_GOLDEN")) {
    std::ofstream(path, std::ios::binary) << frame;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << path;
  std::stringstream want;
  want << in.rdbuf();
  EXPECT_EQ(frame, want.str()) << "frame " << name << " differs from " << path;
}

using FramesTest = PlatformTest;

TEST_F(FramesTest, DemoSceneWithTypedName) {
  BuildDemoScene(ws);
  backend.Add(Script().Type("Ana Pe\xF1" "a").Key("Tab").Key("Tab").Key("Tab").Key("Tab"));
  EXPECT_EQ(RunLoop(ws, {}), kLoopFailure);  // the script runs out with the scene open
  ExpectGolden("demo", Composed(ws));
}

TEST_F(FramesTest, MenuAndMessageBoxOverTheScene) {
  BuildDemoScene(ws);
  backend.KeepFrames(true);
  // A wait step presents the screen as it is: the File menu open, then the About box.
  backend.Add(Script().Key("F10").Key("Down").Wait(1).Key("Esc").Key("Esc"));
  backend.Add(Script().Menu(kDemoAbout).Wait(1).Answer(IDOK).Wait(1));
  EXPECT_EQ(RunLoop(ws, {}), kLoopFailure);  // the script runs out with the scene open
  ASSERT_EQ(backend.frames().size(), 3u);
  ExpectGolden("demo_menu", Frame(backend.frames()[0]));
  ExpectGolden("demo_about", Frame(backend.frames()[1]));
  EXPECT_EQ(ws.transcript.back(),
            "message box \"About\": \"Orvale demo\\nA miniature window system\" [OK] -> OK");
}

TEST_F(FramesTest, OversizedWindowGetsScrollBarsAndAnOpenDropDown) {
  // 100 columns and 30 rows do not fit an 80x24 desktop: both bars, each added once.
  Rect outer = OuterForClient(100 * 8, 30 * 16, false, ws.metrics);
  Fit f = FitToDesktop(outer.w, outer.h, ws.metrics);
  ASSERT_TRUE(f.hbar && f.vbar);
  CreateParams p;
  p.class_name = "Rec";
  p.title = "Wide";
  p.style = WS_VISIBLE | WS_CAPTION;
  p.rect = Rect{0, 0, f.w, f.h};
  p.user = reinterpret_cast<intptr_t>(&rec);
  Hwnd w = CreateWindow(ws, p);
  SetScrollRange(ws, w, 0, 0, outer.w - f.w, true);
  SetScrollRange(ws, w, 1, 0, outer.h - f.h, true);
  SetScrollPos(ws, w, 0, 2 * 8);
  for (int r = 0; r < 30; r += 4)
    CreateControl(ws, w, "STATIC", "Row " + std::to_string(r) + " starts in column 3", 0,
                  Cells(2, r, 30, 1), 0);
  Hwnd combo = CreateControl(ws, w, "COMBOBOX", "", WS_TABSTOP | CBS_DROPDOWNLIST, Cells(36, 2, 12, 5), 3500);
  for (const char* c : {"North", "South", "East"}) SendText(ws, combo, CB_ADDSTRING, 0, c);
  SendMessage(ws, combo, CB_SETCURSEL, 1);
  SetFocus(ws, combo);
  SendMessage(ws, combo, CB_SHOWDROPDOWN, 1);
  Hwnd off = CreateControl(ws, w, "BUTTON", "Disabled", 0, Cells(50, 2, 12, 1), 3102);
  EnableWindow(ws, off, false);
  ExpectGolden("scrolled", Composed(ws));
}

}  // namespace
}  // namespace orv::platform
