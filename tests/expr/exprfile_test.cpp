// Executing expression files found through the definition folders.
#include <gtest/gtest.h>

#include "core/appfolders.h"
#include "core/slots.h"
#include "core/status.h"
#include "expr/execute.h"
#include "expr/state.h"
#include "expr_fixture.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

class ExprFileTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    ASSERT_EQ(ExprInit(), 0);
    ASSERT_EQ(SlotSet(kSlotGroupSettings, kSettingDefaultFolder, "DEFS,MORE"_v), 0);
  }
  void TearDown() override {
    ExprShutdown();
    FilesTest::TearDown();
  }
  static std::string Eval(const std::string& text) {
    std::string line;
    ConsoleEval(text, &line);
    return line;
  }
};

TEST_F(ExprFileTest, LinesAreJoinedAndExecuted) {
  Put("MORE/set.dat", "A=1\r\nB$='x'\nC=A+1\rD=C*2\x1A");
  EXPECT_EQ(ExecuteFile("SET.DAT"_v, true), 0);
  EXPECT_EQ(Eval("B$+'|'+(D>3;'four')"), "T x|four");
  EXPECT_EQ(Eval("D"), "N 4");
  Put("DEFS/keys.dat", "K=7");
  EXPECT_EQ(ExecuteFile("%APPPATH_DEFAULT%\\KEYS.DAT"_v, true), 0);
  EXPECT_EQ(Eval("K"), "N 7");
}

TEST_F(ExprFileTest, MissingOrEmptyFiles) {
  Put("DEFS/empty.dat", "");
  for (Val name : {"NONE.DAT"_v, "EMPTY.DAT"_v}) {
    ErrReport(0, Val(), false);
    EXPECT_EQ(ExecuteFile(name, false), 0) << S(name);
    EXPECT_EQ(ExecuteFile(name, true), kFileNotFound) << S(name);
    EXPECT_EQ(S(ErrDetail()), S(name));
  }
}

TEST_F(ExprFileTest, FailuresComeBack) {
  Put("DEFS/bad.dat", "A=1;B=");
  EXPECT_EQ(ExecuteFile("BAD.DAT"_v, false), kSyntaxError);
  EXPECT_EQ(Eval("A"), "N 1");
  Put("DEFS/io.dat", "A=2");
  UseFaults().FailAt(FsOp::kReadAt, 1, kDiskIo);
  EXPECT_EQ(ExecuteFile("IO.DAT"_v, false), kDiskIo);
}

}  // namespace
}  // namespace orv
