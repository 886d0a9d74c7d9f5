// Folders, directory entries, the application's folders by kind and the search of the
// definition folders.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <ctime>
#include <string>

#include "core/appfolders.h"
#include "core/folders.h"
#include "core/hostpath.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

using FoldersTest = FilesTest;

// A NUL-separated list as a readable comma list.
std::string Commas(Val v) {
  std::string s = S(v);
  for (char& c : s)
    if (c == '\0') c = ',';
  return s;
}

TEST_F(FoldersTest, CreatePathMakesEveryMissingParent) {
  EXPECT_EQ(FolderCreatePath("a\\B\\c"_v), 0);
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "a/B/c"));
  EXPECT_EQ(FolderCreatePath("A\\b\\C\\d"_v), 0);  // existing parents in any case
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "a/B/c/d"));
  EXPECT_EQ(FolderCreatePath("a\\b"_v), 0);  // exists already
  Put("file", "x");
  EXPECT_EQ(FolderCreatePath("file"_v), kFileExists);
  EXPECT_EQ(FolderCreatePath("C:"_v), kDataError);
  EXPECT_EQ(S(ErrDetail()), "C:");
  EXPECT_EQ(FolderMake("a"_v), kFileExists);
}

TEST_F(FoldersTest, ChangeAndCurrentFolder) {
  Put("Sub/x", "");
  EXPECT_EQ(FolderChange("SUB"_v), 0);
  EXPECT_EQ(S(FolderCurrent()), EnginePathOf("Sub"));
  EXPECT_EQ(FolderChange("nothere"_v), kFileNotFound);
}

TEST_F(FoldersTest, ListMatchesWildcardsAndSortsIgnoringCase) {
  for (const char* n : {"b.PMT", "A.pmt", "c.prx", "noext", "Dir.pmt/inner"}) Put(n, "");
  struct Case {
    const char* pattern;
    const char* names;  // comma-separated, or an error
  } cases[] = {
      {"*.PMT", "A.pmt,b.PMT,Dir.pmt"},
      {"*.*", "A.pmt,b.PMT,c.prx,Dir.pmt,noext"},
      {"*", "A.pmt,b.PMT,c.prx,Dir.pmt,noext"},
      {"?.p*", "A.pmt,b.PMT,c.prx"},
      {"NOEXT.*", "noext"},
      {"*.zip", "<error 164>"},
      {"dir.PMT\\*.*", "inner"},
      {"missing\\*.*", "<error 164>"},
  };
  for (const Case& c : cases) {
    ScratchScope scope;
    EXPECT_EQ(Commas(FileList(ValFromCStr(c.pattern))), c.names) << c.pattern;
  }
  EXPECT_EQ(FileFind("*.prx"_v), 0);
  EXPECT_EQ(FileFind("*.zip"_v), kFileNotFound);
  EXPECT_EQ(FileFind("NOEXT"_v), 0);
  EXPECT_EQ(FileFind("other"_v), kFileNotFound);
}

TEST_F(FoldersTest, EntryAttributesSizesAndTimes) {
  Put("f.txt", "12345");
  Put(".hidden", "");
  Put("d/x", "");
  uint64_t size = 0;
  EXPECT_EQ(FileSizeOf("F.TXT"_v, &size), 0);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(FileSizeOf("none"_v, &size), kFileNotFound);
  EXPECT_EQ(FileAttributes("f.txt"_v), kAttrArchive);
  EXPECT_EQ(FileAttributes("D"_v), kAttrFolder);
  EXPECT_EQ(FileAttributes(".hidden"_v), kAttrArchive | kAttrHidden);
  EXPECT_EQ(FileAttributes("none"_v), kNoAttributes);
  chmod((root_ / "f.txt").c_str(), 0444);
  EXPECT_EQ(FileAttributes("f.txt"_v), kAttrArchive | kAttrReadOnly);

  struct tm when = {};
  when.tm_year = 2024 - 1900;
  when.tm_mon = 2;
  when.tm_mday = 5;
  when.tm_hour = 14;
  when.tm_min = 5;
  when.tm_sec = 9;
  when.tm_isdst = -1;
  struct timespec times[2] = {{mktime(&when), 0}, {mktime(&when) + 60, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, (root_ / "f.txt").c_str(), times, 0), 0);
  EXPECT_EQ(S(FileTimeText("f.txt"_v, 1, 0)), "20240305");
  EXPECT_EQ(S(FileTimeText("f.txt"_v, 1, 1)), "14:05:09");
  EXPECT_EQ(S(FileTimeText("f.txt"_v, 2, 1)), "14:06:09");
  EXPECT_EQ(S(FileTimeText("none"_v, 2, 0)), "");
}

TEST_F(FoldersTest, ExecutablePathComesFromTheProcess) {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf);
  ASSERT_GT(n, 0);
  std::string exe(buf, size_t(n));
  ScratchScope scope;
  EXPECT_EQ(S(ExecutablePath(0)), S(EnginePath(exe)));
  EXPECT_EQ(S(ExecutablePath(2)), S(EnginePath(exe.substr(0, exe.rfind('/')))));
  g_files.exe_path = "/opt/orvale/bin/orvale";
  EXPECT_EQ(S(FolderOfKind(kFolderRun)), "\\opt\\orvale\\bin");
}

TEST_F(FoldersTest, FoldersByKindFollowTheSettings) {
  g_files.exe_path = "/opt/orvale/orvale";
  std::string cwd = EnginePathOf("");
  cwd.pop_back();  // no trailing backslash
  struct Case {
    const char* what;
    const char* item5;
    const char* item6;
    const char* item7;
    const char* item11;
    uint16_t kind;
    std::string want;
  } cases[] = {
      {"default folder: the first of the list", " \\apps\\GE\\data , other", "", "", "", 2,
       "\\apps\\GE\\data"},
      {"data beside the documents", "\\apps\\GE\\data", "\\docs\\ge\\datas", "", "", 3,
       "\\docs\\ge\\data"},
      {"data beside the current folder", "\\apps\\GE\\data", "", "", "", 3,
       cwd.substr(0, cwd.rfind('\\')) + "\\data"},
      {"documents", "", "\\docs", "", "", 4, "\\docs"},
      {"documents default to the current folder", "", "", "", "", 4, cwd},
      {"help setting", "\\apps\\GE\\data", "", "\\help", "", 5, "\\help"},
      {"help in the default folder", "\\apps\\GE\\data", "", "", "", 5, "\\apps\\GE\\data\\Help"},
      {"backups beside the documents", "", "\\docs", "", "", 6, "\\docs\\Backups"},
      {"backups per database", "", "", "", "srv1,'Gest',user,pw", 7,
       cwd + "\\Backups\\SRV1\\Gest"},
      {"unknown kind", "", "", "", "", 8, ""},
  };
  for (const Case& c : cases) {
    SlotSet(kSlotGroupSettings, kSettingDefaultFolder, ValFromCStr(c.item5));
    SlotSet(kSlotGroupSettings, kSettingDocsFolder, ValFromCStr(c.item6));
    SlotSet(kSlotGroupSettings, kSettingHelpFolder, ValFromCStr(c.item7));
    SlotSet(kSlotGroupSettings, kSettingDatabase, ValFromCStr(c.item11));
    ScratchScope scope;
    EXPECT_EQ(S(FolderOfKind(c.kind)), c.want) << c.what;
  }
  SlotSet(kSlotGroupSettings, kSettingDefaultFolder, "\\apps\\GE\\data"_v);
  EXPECT_EQ(S(FolderFile("x.hlp"_v, kFolderHelp)), "\\apps\\GE\\data\\Help\\x.hlp");
  // A drive letter from "F" on puts the data folder beside the default folder.
  g_files.exe_path = "F:/net/orvale";
  EXPECT_EQ(S(FolderOfKind(kFolderData)), "\\apps\\GE\\data");
}

TEST_F(FoldersTest, FindInFoldersTriesTheNameThenEachFolder) {
  Put("GEDICC.DAT", "here");
  Put("one/MENU.PPN", "");
  Put("Two/menu.ppn", "");
  Put("Two/GEREL.DAT", "");
  struct Case {
    const char* folders;
    const char* name;
    const char* want;
  } cases[] = {
      {"", "gedicc.dat", "gedicc.dat"},
      {"", "menu.ppn", ""},  // an empty list tries only the name
      {"one,two", "menu.ppn", "one\\menu.ppn"},
      {"two,one", "MENU.ppn", "two\\MENU.ppn"},
      {" none , ,TWO ", "gerel.dat", "TWO\\gerel.dat"},
      {"one,two", "nothere.dat", ""},
  };
  for (const Case& c : cases) {
    ScratchScope scope;
    EXPECT_EQ(S(FindInFolders(ValFromCStr(c.folders), ValFromCStr(c.name))), c.want) << c.name;
  }
}

TEST_F(FoldersTest, ListExceptAndApplicationPrefix) {
  EXPECT_EQ(S(ListExcept(Val("a\0.\0..\0b", 8), "..,."_v)), "a,b");
  EXPECT_EQ(S(ListExcept(Val("x", 1), ""_v)), "x");
  EXPECT_EQ(S(ApplicationPrefix()), "");
  SlotSet(kSlotGroupSettings, kSettingAppName, "GESTION:extra"_v);
  EXPECT_EQ(S(ApplicationPrefix()), "GE");
  SlotSet(kSlotGroupSettings, kSettingAppName, "G"_v);
  EXPECT_EQ(S(ApplicationPrefix()), "");
}

}  // namespace
}  // namespace orv
