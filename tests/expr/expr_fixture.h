// A fresh runtime core and expression state for each test case.
#ifndef ORVALE_TESTS_EXPR_EXPR_FIXTURE_H
#define ORVALE_TESTS_EXPR_EXPR_FIXTURE_H

#include <string>

#include "core/scratch.h"
#include "core/status.h"
#include "expr/console.h"
#include "expr/state.h"
#include "support/runtime_fixture.h"

namespace orv {

class ExprTest : public RuntimeTest {
 protected:
  uint16_t ScratchKib() const override { return 256; }
  void SetUp() override {
    RuntimeTest::SetUp();
    ASSERT_EQ(ExprInit(), 0);
  }
  void TearDown() override {
    ExprShutdown();
    RuntimeTest::TearDown();
  }

  // The console's line for an expression: "N 12.5", "T abc" or "E 147 SINTAXERROR".
  static std::string Eval(const std::string& text) {
    std::string line;
    ConsoleEval(text, &line);
    return line;
  }
};

}  // namespace orv

#endif  // ORVALE_TESTS_EXPR_EXPR_FIXTURE_H
