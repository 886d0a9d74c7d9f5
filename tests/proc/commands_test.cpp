// The commands that work without windows, and the ones that wait for their layer.
#include <gtest/gtest.h>

#include <string>

#include "expr/sysvars.h"
#include "core/file_dialog.h"
#include "core/slots.h"
#include "proc/commands.h"
#include "proc_fixture.h"

namespace orv {
namespace {

class CommandsTest : public ProcTest {
 protected:
  void SetUp() override {
    ProcTest::SetUp();
    ProcCommandsInstall();
  }
};

TEST_F(CommandsTest, StatusesAndStat) {
  Put("GONE.TXT", "x");
  struct Case {
    const char* text;
    Status status;
    const char* stat;    // _STAT afterwards
    const char* detail;  // part of the detail text
  };
  const Case cases[] = {
      {"KILL 'GONE.TXT'", 0, "0", ""},
      {"KILL 'GONE.TXT'", 0, "164", ""},
      {"SYSTEM 'exit 0'", 0, "0", ""},
      {"SYSTEM 'exit 3'", 0, "173", "SYSTEM: exit status 3"},
      {"SYSTEM 'printf %s [1+1] > shell.txt'", 0, "0", ""},
      {"WAIT 5", 0, "0", ""},
      {"RC_UPDATE 1,2,'x'", kNone, "0", "Line: 1 (+ remmarks):\r\nRC_UPDATE 1,2,'x'"},
      {"SHELL 'ls'", kFeatureRemoved, "0", "ExecRunUtils SHELL\r\nLine: 1 (+ remmarks):\r\nSHELL 'ls'"},
      {"REMOTE", kFeatureRemoved, "0", "ExecRunTrans REMOTE"},
      {"CONNECT", kFeatureRemoved, "0", "CONNECT"},
      {"ACCEPT", kSyntaxError, "0", "ACCEPT"},
      {"ACCEPT 'a','b'", kSyntaxError, "0", "ACCEPT"},
      {"WINOPEN 10,5", kSyntaxError, "0", "WINOPEN"},
      {"REPORT", kSyntaxError, "0", "REPORT"},
      {"DOCPRINT", kSyntaxError, "0", "DOCPRINT"},
      // The commands of layers still to come name themselves.
      {"ACCEPT 'x'", kDataError, "0", "ACCEPT: not available yet"},
      {"WINOPEN 10,5,'Title'", kDataError, "0", "WINOPEN: not available yet"},
      {"MESSAGE 'hello'", kDataError, "0", "MESSAGE: not available yet"},
      {"WAIT 'KEY'", kDataError, "0", "WAIT: not available yet"},
      {"REPORT 'P,T.PDC'", kDataError, "0", "REPORT: not available yet"},
      {"DEVICE 'PRN'", kDataError, "0", "DEVICE: not available yet"},
      {"EXPORT 'x'", kDataError, "0", "EXPORT: not available yet"},
      {"FILESCAN 'ACUM FILE=1'", kDataError, "0", "FILESCAN: not available yet"},
      {"STATSTEPS 'S'", kDataError, "0", "STATSTEPS: not available yet"},
      {"SYSTEM 1,'x.txt'", kDataError, "0", "SYSTEM: not available yet"},
  };
  for (const Case& c : cases) {
    ErrReport(0, Val(), false);
    ASSERT_EQ(Execute("_STAT=0"_v), 0);
    EXPECT_EQ(Run(c.text), c.status) << c.text << "\n" << Detail();
    EXPECT_EQ(Value("_STAT+0"), c.stat == std::string("0") ? "" : c.stat) << c.text;
    EXPECT_NE(Detail().find(c.detail), std::string::npos) << c.text << "\n" << Detail();
  }
  EXPECT_EQ(Get("GONE.TXT"), "<missing>");
  // Brackets are expanded in the shell command too, and the output does not reach us.
  EXPECT_EQ(Get("shell.txt"), "2");
}

TEST_F(CommandsTest, FileSelectDialogReplacesTheResult) {
  ScriptedFileDialogs dialogs;
  g_files.dialogs = &dialogs;
  dialogs.Answer("\\data\\CHOSEN.PRX");
  ASSERT_EQ(SlotPush(kResultGroup, "old"_v), 0);
  EXPECT_EQ(Run("FILESELECT 0,4"), 0) << Detail();
  EXPECT_EQ(SlotLast(kResultGroup).str(), "\\data\\CHOSEN.PRX");
  ASSERT_EQ(dialogs.requests().size(), 1u);
  EXPECT_FALSE(dialogs.requests()[0].save);
}

}  // namespace
}  // namespace orv
