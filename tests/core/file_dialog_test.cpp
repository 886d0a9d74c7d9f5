// The file dialogs through the scripted host: the requests they make and the answers.
#include <gtest/gtest.h>

#include <string>

#include "core/appfolders.h"
#include "core/file_dialog.h"
#include "core/files.h"
#include "core/folders.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

class FileDialogTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    g_files.dialogs = &host_;
  }
  ScriptedFileDialogs host_;
};

TEST_F(FileDialogTest, AnswersFromTheScriptElseCancels) {
  host_.Answer("C:\\data\\x.txt");
  host_.Cancel();
  EXPECT_EQ(S(FileDialog(false, ""_v, "*.txt"_v, "Text (*.txt),*.txt,All,*.*"_v)),
            "C:\\data\\x.txt");
  EXPECT_EQ(S(FileDialog(true, "TXT"_v, ""_v, ""_v)), "");
  EXPECT_EQ(S(FileDialog(false, ""_v, ""_v, ""_v)), "");  // the script is used up
  ASSERT_EQ(host_.requests().size(), 3u);
  const FileDialogRequest& r = host_.requests()[0];
  EXPECT_FALSE(r.save);
  EXPECT_EQ(r.initial_name, "*.txt");
  ASSERT_EQ(r.filters.size(), 2u);
  EXPECT_EQ(r.filters[0].description, "Text (*.txt)");
  EXPECT_EQ(r.filters[1].pattern, "*.*");
  EXPECT_TRUE(host_.requests()[1].save);
  g_files.dialogs = nullptr;
  EXPECT_EQ(S(FileDialog(false, ""_v, ""_v, ""_v)), "");  // no host: cancelled
}

TEST_F(FileDialogTest, TypeDialogsBuildFiltersAndNames) {
  struct Case {
    bool save;
    uint16_t kind_flags;
    const char* description;  // of the kind's own filter
    const char* pattern;
    const char* initial;
    const char* ext;
  } cases[] = {
      {false, 3, "Ficheros de Plantilla de Impresi\xf3n (*.PDC)", "*.PDC", "*.PDC", ""},
      {true, 3 | kDialogPrefix, "Ficheros de Plantilla de Impresi\xf3n (*.PDC)", "*.PDC",
       "GE*.PDC", "PDC"},
      {false, 1, "Ficheros de Estructura (*.DAT)", "*.DAT", "??DICC.DAT", ""},
      {false, 1 | kDialogPrefix, "Ficheros de Estructura (*.DAT)", "*.DAT", "GEDICC.DAT", ""},
      {true, 6 | kDialogPrefix, "Ficheros de Men\xfa (*.PPN)", "*.PPN", "GEMENU.PPN", "PPN"},
      {false, 10, "Ficheros de Estructura (*.DAT)", "*.DAT", "*.DAT", ""},
      {false, 7, "Ficheros PDF (*.PDF)", "*.PDF", "*.PDF", ""},
  };
  SlotSet(kSlotGroupSettings, kSettingAppName, "GESTION"_v);
  for (const Case& c : cases) {
    FileTypeDialog(c.save, c.kind_flags);
    const FileDialogRequest& r = host_.requests().back();
    ASSERT_EQ(r.filters.size(), 2u) << c.kind_flags;
    EXPECT_EQ(r.filters[0].description, c.description);
    EXPECT_EQ(r.filters[0].pattern, c.pattern);
    EXPECT_EQ(r.filters[1].description, "Todos (*.*)");
    EXPECT_EQ(r.filters[1].pattern, "*.*");
    EXPECT_EQ(r.initial_name, c.initial) << c.kind_flags;
    EXPECT_EQ(r.default_ext, c.ext) << c.kind_flags;
    EXPECT_EQ(r.save, c.save);
  }
  FileTypeDialog(false, 9);  // no such kind: only "all files"
  EXPECT_EQ(host_.requests().back().filters.size(), 1u);
}

// A host that wanders off to another folder, as a real dialog may.
class WanderingHost : public FileDialogHost {
 public:
  Status Ask(const FileDialogRequest&, std::string* path) override {
    FolderChange("elsewhere"_v);
    *path = "chosen.prx";
    return 0;
  }
};

TEST_F(FileDialogTest, FolderIsSetBackOnlyWhenAsked) {
  Put("elsewhere/.keep", "");
  WanderingHost wander;
  g_files.dialogs = &wander;
  std::string start = S(FolderCurrent());
  EXPECT_EQ(S(FileTypeDialog(false, 4 | kDialogRestoreFolder)), "chosen.prx");
  EXPECT_EQ(S(FolderCurrent()), start);
  FileTypeDialog(false, 4);
  EXPECT_EQ(S(FolderCurrent()), start + "\\elsewhere");
}

}  // namespace
}  // namespace orv
