// A fresh runtime, file layer (in a new temporary folder) and expression state for each
// test case.
#ifndef ORVALE_TESTS_EXPR_EXPR_FILES_FIXTURE_H
#define ORVALE_TESTS_EXPR_EXPR_FILES_FIXTURE_H

#include <string>

#include "expr/console.h"
#include "expr/state.h"
#include "support/files_fixture.h"

namespace orv {

class ExprFilesTest : public FilesTest {
 protected:
  uint16_t ScratchKib() const override { return 256; }
  void SetUp() override {
    FilesTest::SetUp();
    ASSERT_EQ(ExprInit(), 0);
  }
  void TearDown() override {
    ExprShutdown();
    FilesTest::TearDown();
  }
  // The console's line for an expression.
  static std::string Eval(const std::string& text) {
    std::string line;
    ConsoleEval(text, &line);
    return line;
  }
};

}  // namespace orv

#endif  // ORVALE_TESTS_EXPR_EXPR_FILES_FIXTURE_H
