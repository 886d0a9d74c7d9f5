// A fresh runtime, file layer and shell for each test case, in a new temporary folder.
// Questions are answered by the shell's headless host, silently: tests script the answers
// with Answers() and read what was shown with Shown().
#ifndef ORVALE_TESTS_SHELL_SHELL_FIXTURE_H
#define ORVALE_TESTS_SHELL_SHELL_FIXTURE_H

#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/runtime.h"
#include "data/state.h"
#include "expr/state.h"
#include "shell/catalog.h"
#include "shell/settings.h"
#include "shell/state.h"
#include "support/files_fixture.h"

namespace orv {

class ShellTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    ShellReset();
    g_rt.message = MessageText;
    g_files.expand_settings = ExpandSettingsKeys;
  }
  void TearDown() override {
    ExprShutdown();  // the subsystems a test may have bound
    DataReset();
    ShellReset();
    FilesTest::TearDown();
  }

  void Answers(const std::string& script) { g_shell.headless.AnswerAll(script); }
  const std::vector<std::string>& Shown() const { return g_shell.headless.shown(); }
  // A CP1252 text written in UTF-8 in the test.
  static std::string Cp(const std::string& utf8) {
    std::string out;
    EXPECT_TRUE(Utf8ToCp1252(utf8, &out)) << utf8;
    return out;
  }
};

}  // namespace orv

#endif  // ORVALE_TESTS_SHELL_SHELL_FIXTURE_H
