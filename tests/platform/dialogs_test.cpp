// Message boxes, the text viewer and the choosers, answered by scripts; each leaves its
// line in the transcript.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/status.h"
#include "core/file_dialog.h"
#include "core/files.h"
#include "core/hostpath.h"
#include "core/scratch.h"
#include "platform/chooser.h"
#include "platform/file_dialog_host.h"
#include "platform/menu.h"
#include "platform/msgbox.h"
#include "platform_fixture.h"

namespace fs = std::filesystem;

namespace orv::platform {
namespace {

struct BoxCase {
  const char* name;
  uint32_t style;
  std::function<void(Script&)> script;
  int answer;
  const char* transcript;
};

// Test names show the case's name, not its bytes.
void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class MessageBoxTest : public PlatformTest, public ::testing::WithParamInterface<BoxCase> {};

const BoxCase kBoxes[] = {
    {"YesNoAnsweredNo", MB_YESNO | MB_ICONASTERISK, [](Script& s) { s.Answer(IDNO); }, IDNO,
     "message box \"Caption\": \"Line one\\nLine two\" [Yes/No] -> No"},
    {"EscInYesNoCancelCancels", MB_YESNOCANCEL | MB_ICONQUESTION, [](Script& s) { s.Key("Esc"); },
     IDCANCEL, "message box \"Caption\": \"Line one\\nLine two\" [Yes/No/Cancel] -> Cancel"},
    {"EscInOkBoxAnswersOk", MB_OK | MB_ICONEXCLAMATION, [](Script& s) { s.Key("Esc"); }, IDOK,
     "message box \"Caption\": \"Line one\\nLine two\" [OK] -> OK"},
    {"EscInYesNoDoesNothingEnterTakesTheFirst", MB_YESNO, [](Script& s) { s.Key("Esc").Key("Enter"); },
     IDYES, "message box \"Caption\": \"Line one\\nLine two\" [Yes/No] -> Yes"},
    {"TabThenEnterPressesTheSecondButton", MB_RETRYCANCEL | MB_ICONHAND,
     [](Script& s) { s.Key("Tab").Key("Enter"); }, IDCANCEL,
     "message box \"Caption\": \"Line one\\nLine two\" [Retry/Cancel] -> Cancel"},
    {"ArrowAndSpace", MB_ABORTRETRYIGNORE, [](Script& s) { s.Key("Right").Key("Right").Key("Space"); },
     IDIGNORE, "message box \"Caption\": \"Line one\\nLine two\" [Abort/Retry/Ignore] -> Ignore"},
    {"ExhaustedScriptGivesNoAnswer", MB_OKCANCEL, [](Script&) {}, 0,
     "message box \"Caption\": \"Line one\\nLine two\" [OK/Cancel] -> none"},
};

TEST_P(MessageBoxTest, Answer) {
  const BoxCase& c = GetParam();
  Hwnd owner = Top("owner");
  Script s;
  c.script(s);
  backend.Add(std::move(s));
  int answer = -1;
  Status st = MessageBox(ws, owner, "Line one\r\nLine two", "Caption", c.style, &answer);
  EXPECT_EQ(st, c.answer ? kOk : kLoopFailure);
  EXPECT_EQ(answer, c.answer);
  ASSERT_EQ(ws.transcript.size(), 1u);
  EXPECT_EQ(ws.transcript[0], c.transcript);
  // The owner has its input back and the focus again.
  EXPECT_TRUE(IsWindowEnabled(ws, owner));
  EXPECT_EQ(GetFocus(ws), owner);
}

INSTANTIATE_TEST_SUITE_P(Platform, MessageBoxTest, ::testing::ValuesIn(kBoxes),
                         [](const auto& info) { return std::string(info.param.name); });

using DialogsTest = PlatformTest;

TEST_F(DialogsTest, TextViewerScrollsAndReportsTheButton) {
  std::string text;
  for (int i = 1; i <= 60; ++i) text += "Report line " + std::to_string(i) + "\r\n";
  backend.KeepFrames(true);
  backend.Add(Script().Key("PgDn").Key("Down").Wait(1).Key("Shift+Tab").Key("Enter"));
  int pressed = -2;
  EXPECT_EQ(ShowTextViewer(ws, {}, "ReportWin", text, {"Salir", "Imprimir"}, &pressed), kOk);
  EXPECT_EQ(pressed, 1);  // Shift+Tab from the text reaches the last button
  ASSERT_EQ(backend.frames().size(), 1u);
  std::string shown = backend.frames()[0].Text();
  EXPECT_NE(shown.find("\n [ Salir ] [ Imprimir ]\nReport line 24\n"), std::string::npos)
      << shown;  // a page of 22 rows and one more
  backend.Add(Script().Key("Esc"));
  EXPECT_EQ(ShowTextViewer(ws, {}, "ReportWin", text, {"Salir"}, &pressed), kOk);
  EXPECT_EQ(pressed, -1);
  EXPECT_EQ(ws.transcript, (std::vector<std::string>{"viewer \"ReportWin\": 61 lines -> Imprimir",
                                                     "viewer \"ReportWin\": 61 lines -> closed"}));
}

class ChooserTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    dir = fs::path(::testing::TempDir()) / ("orv_chooser_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "sub");
    for (const char* f : {"b.prx", "A.PRX", "notes.txt", "sub/c.prx"}) std::ofstream(dir / f) << "x";
    opt.title = "Procedures";
    opt.folder = dir.string();
    opt.filters = {{"Procedures (*.PRX)", "*.PRX"}, {"All (*.*)", "*"}};
  }
  void TearDown() override {
    fs::remove_all(dir);
    PlatformTest::TearDown();
  }
  fs::path dir;
  FileChooserOptions opt;
};

TEST_F(ChooserTest, OpenWalksIntoAFolderAndChoosesAFile) {
  // The list: ../, sub/, A.PRX, b.prx (sorted ignoring case, folders first).
  backend.Add(Script().Key("Down").Key("Enter").Key("Down").Key("Down").Key("Enter"));
  std::string path;
  EXPECT_EQ(ChooseFile(ws, {}, opt, &path), kOk) << ws.failure_report;
  EXPECT_EQ(path, (dir / "sub" / "c.prx").string());
  EXPECT_EQ(ws.transcript.back(), "file chooser \"Procedures\" open -> " + path);
}

TEST_F(ChooserTest, FilterAndTypedNames) {
  // The second filter lists notes.txt too; a typed pattern narrows; a missing file is refused
  // when opening, an existing one is taken.
  backend.Add(Script().Key("Tab").Key("Tab").Key("Down").Key("Shift+Tab").Type("*.TXT").Key("Enter"));
  backend.Add(Script().Type("missing.prx").Key("Enter").Key("Ctrl+A"));
  backend.Add(Script().Key("Home").Key("Shift+End").Type("notes.txt").Key("Enter"));
  std::string path;
  EXPECT_EQ(ChooseFile(ws, {}, opt, &path), kOk) << ws.failure_report;
  EXPECT_EQ(path, (dir / "notes.txt").string());
}

TEST_F(ChooserTest, SaveAddsTheExtensionAndAsksBeforeOverwriting) {
  opt.save = true;
  opt.default_ext = "PRX";
  opt.overwrite_prompt = "Sobreescribir?";
  backend.Add(Script().Key("Tab").Type("A").Key("Enter").Answer(IDNO));
  backend.Add(Script().Key("Home").Key("Shift+End").Type("new").Key("Enter"));
  std::string path;
  EXPECT_EQ(ChooseFile(ws, {}, opt, &path), kOk) << ws.failure_report;
  EXPECT_EQ(path, (dir / "new.PRX").string());
  ASSERT_EQ(ws.transcript.size(), 2u);
  EXPECT_EQ(ws.transcript[0], "message box \"Procedures\": \"Sobreescribir?\\n" +
                                  (dir / "A.PRX").string() + "\" [Yes/No] -> No");
}

TEST_F(ChooserTest, CancelLeavesThePathAlone) {
  backend.Add(Script().Key("Esc"));
  std::string path = "unchanged";
  EXPECT_EQ(ChooseFile(ws, {}, opt, &path), kCancelled);
  EXPECT_EQ(path, "unchanged");
  backend.Add(Script().Key("Esc"));
  EXPECT_EQ(ChooseFolder(ws, {}, "Folder", dir.string(), &path), kCancelled);
  EXPECT_EQ(ws.transcript, (std::vector<std::string>{"file chooser \"Procedures\" open -> cancelled",
                                                     "folder chooser \"Folder\" -> cancelled"}));
}

TEST_F(ChooserTest, FolderChooserEntersAndChooses) {
  backend.Add(Script().Key("Down").Key("Enter").Click(IDOK));
  std::string path;
  EXPECT_EQ(ChooseFolder(ws, {}, "Folder", dir.string(), &path), kOk) << ws.failure_report;
  EXPECT_EQ(path, (dir / "sub").string());
}

TEST_F(ChooserTest, EngineFileDialogsUseTheChooserInEnginePaths) {
  WindowFileDialogs host(ws, [] { return Hwnd{}; });
  g_files.dialogs = &host;
  std::string engine_dir = S(EnginePath(dir.string()));
  backend.Add(Script().Click(IDOK));
  Val chosen = FileDialog(false, "PRX"_v, ValOf(engine_dir + "\\A.PRX"),
                          "Procedimientos (*.PRX),*.PRX"_v);
  EXPECT_EQ(S(chosen), engine_dir + "\\A.PRX") << ws.failure_report;
  backend.Add(Script().Key("Esc"));
  EXPECT_EQ(S(FileDialog(false, "PRX"_v, "*.PRX"_v, "Procedimientos (*.PRX),*.PRX"_v)), "");
  g_files.dialogs = nullptr;
}

TEST_F(DialogsTest, PrinterChooser) {
  std::vector<std::string> printers = {"Laser", "Matrix"};
  PrinterChoice choice;
  choice.printer = "Laser";
  backend.Add(Script().Key("Down").Click(kChooserLandscape).Key("Enter"));
  EXPECT_EQ(ChoosePrinter(ws, {}, "Print", printers, &choice), kOk) << ws.failure_report;
  EXPECT_EQ(choice.printer, "Matrix");
  EXPECT_TRUE(choice.landscape);
  EXPECT_EQ(ChoosePrinter(ws, {}, "Print", {}, &choice), kCancelled);
  EXPECT_EQ(ws.transcript, (std::vector<std::string>{"printer chooser \"Print\" -> Matrix landscape",
                                                     "printer chooser \"Print\" -> cancelled"}));
}

TEST_F(DialogsTest, PopupMenuReturnsTheChosenId) {
  Hwnd w = Top("w");
  Hmenu m = CreateMenu(ws);
  for (uint32_t i = 0; i < 4; ++i)
    AppendMenuItem(ws, m, std::vector<std::string>{"Visualizar", "Insertar", "Eliminar", "Buscar"}[i], 1700 + i);
  EnableMenuItem(ws, m, 1701, false);
  backend.KeepFrames(true);
  backend.Add(Script().Key("Down").Key("Down").Wait(1).Key("Enter"));
  EXPECT_EQ(TrackPopupMenu(ws, m, TPM_RETURNCMD | TPM_BOTTOMALIGN, 80, 200, w), 1702u);
  // Left edge at x 80 (column 10), bottom at y 200 (row 12, rounded): six rows up from there.
  ASSERT_EQ(backend.frames().size(), 1u);
  std::vector<std::string> rows;
  std::stringstream text(backend.frames()[0].Text());
  for (std::string line; std::getline(text, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 24u);
  EXPECT_EQ(rows[7].substr(10), "+------------+");
  EXPECT_EQ(rows[10].substr(10), "| Eliminar   |");
  EXPECT_EQ(rows[12].substr(10), "+------------+");
  backend.Add(Script().Key("Esc"));
  EXPECT_EQ(TrackPopupMenu(ws, m, TPM_RETURNCMD, 0, 0, w), 0u);
  backend.Add(Script().Menu(1701).Menu(1703));  // a disabled item cannot be chosen
  EXPECT_EQ(TrackPopupMenu(ws, m, TPM_RETURNCMD, 0, 0, w), 0u);
  EXPECT_EQ(ws.failure, kLoopFailure);
  EXPECT_NE(ws.failure_report.find("menu: no enabled item 1701"), std::string::npos);
  DestroyMenu(ws, m);
}

TEST_F(DialogsTest, PopupMenuWithoutReturnPostsTheCommand) {
  Hwnd w = Top("w");
  Hmenu m = CreateMenu(ws);
  AppendMenuItem(ws, m, "Buscar", 1703);
  backend.Add(Script().Key("Enter"));
  EXPECT_EQ(TrackPopupMenu(ws, m, 0, 0, 0, w), 1u);
  Msg msg;
  ASSERT_TRUE(PeekMessage(ws, &msg, w, true));
  EXPECT_EQ(msg.message, WM_COMMAND);
  EXPECT_EQ(msg.wparam, MakeWParam(1703, 0));
  DestroyMenu(ws, m);
}

}  // namespace
}  // namespace orv::platform
