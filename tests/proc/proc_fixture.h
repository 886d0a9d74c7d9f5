// A fresh runtime, file layer, expression state and procedure state for each test case, in a
// new temporary folder. Commands go to a recording handler in slot 0 unless a test installs
// the real ones.
#ifndef ORVALE_TESTS_PROC_PROC_FIXTURE_H
#define ORVALE_TESTS_PROC_PROC_FIXTURE_H

#include <memory>
#include <string>
#include <vector>

#include "core/scratch.h"
#include "core/status.h"
#include "data/state.h"
#include "expr/eval.h"
#include "expr/execute.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "proc/compile.h"
#include "proc/keywords.h"
#include "proc/load.h"
#include "proc/run.h"
#include "proc/state.h"
#include "proc/task.h"
#include "support/files_fixture.h"

namespace orv {

// What the recording handler saw: "WORD text1|text2" per command.
struct CommandLog {
  std::vector<std::string> lines;
  std::vector<std::vector<int>> ints;
  Status answer = 0;  // what every command returns
};
inline CommandLog* g_command_log = nullptr;

inline Status RecordCommand(uint16_t, uint16_t op, const CommandArgs& args) {
  std::string line(KeywordName(op).sv());
  std::vector<int> ints;
  for (uint16_t i = 1; i <= args.count; ++i) {
    line += (i == 1 ? " " : "|") + args.Text(i).str();
    ints.push_back(args.Int(i));
  }
  g_command_log->lines.push_back(line);
  g_command_log->ints.push_back(ints);
  return g_command_log->answer;
}

// The data layer's bracket expansion evaluates through the expression language.
inline Status EvaluateForExpansion(Val text, Val* value, bool* numeric) {
  uint16_t mark = ScratchMark();
  Status st = Evaluate(text);
  if (st >= kCancelled) {
    ScratchRelease(mark);
    return st;
  }
  *numeric = st == kResultNumber;
  Val top = ScratchTop();
  *value = ScratchReturn(mark, *numeric ? NumberToText(NumberOf(top), g_expr.precis) : top);
  return ValCheck(*value);
}

class ProcTest : public FilesTest {
 protected:
  uint16_t ScratchKib() const override { return 256; }
  void SetUp() override {
    FilesTest::SetUp();
    g_command_log = &log_;
    Fresh();
  }
  // A fresh expression, data and procedure state, commands going to the recorder.
  void Fresh() {
    ExprShutdown();
    ASSERT_EQ(ExprInit(), 0);
    DataReset();
    g_data.hooks.evaluate = EvaluateForExpansion;
    ProcReset();
    ProcInstall();
    for (uint16_t s = 0; s < kCommandSlots; ++s) CommandHandlerInstall(s, nullptr);
    CommandHandlerInstall(0, RecordCommand);
  }
  void TearDown() override {
    g_command_log = nullptr;
    ProcReset();
    DataReset();
    ExprShutdown();
    FilesTest::TearDown();
  }

  // Compiles a procedure text into the table.
  Status Add(const std::string& text) {
    auto p = std::make_unique<Procedure>();
    p->name = "TEST";
    if (Status st = ProcCompileText(ValOf(text), p.get())) return st;
    uint16_t number;
    return ProcAdd(std::move(p), &number);
  }
  // Compiles and runs a procedure text from an entry label (empty: its start).
  Status Run(const std::string& text, const std::string& entry = "", int flags = 0) {
    if (Status st = Add(text)) return st;
    return ProcRun(ValOf(entry), Val(), flags);
  }
  // The value of an expression as text, "<error N>" when it fails.
  static std::string Value(const std::string& expr) {
    ScratchScope scope;
    Val v = EvalText(ValOf(expr));
    return v.ok() ? v.str() : "<error " + std::to_string(v.len) + ">";
  }
  static std::string Detail() { return ErrDetail().str(); }

  CommandLog log_;
};

}  // namespace orv

#endif  // ORVALE_TESTS_PROC_PROC_FIXTURE_H
