// Compiling and loading procedures: line classification, labels, block resolution, limits.
#include <gtest/gtest.h>

#include <string>

#include "core/appfolders.h"
#include "core/slots.h"
#include "proc/compile.h"
#include "proc/keywords.h"
#include "proc/load.h"
#include "proc_fixture.h"

namespace orv {
namespace {

// "WORD text>target" per statement (an expression statement as "= text"), then the labels
// as "NAME@position".
std::string Describe(const Procedure& p) {
  std::string out;
  for (uint32_t i = 0; i < p.count(); ++i) {
    const Statement& s = p.statements[i];
    if (i) out += " | ";
    out += s.op ? KeywordName(s.op).str() + " " : "= ";
    out += p.Text(i).str();
    if (s.target) out += ">" + std::to_string(s.target);
  }
  for (size_t i = 0; i < p.labels.size(); ++i)
    out += " ; " + p.labels[i] + "@" + std::to_string(p.label_pos[i]);
  return out;
}

std::string Repeat(const std::string& line, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += line;
  return out;
}

using CompileTest = ProcTest;

TEST_F(CompileTest, ClassifiesLinesAndResolvesTargets) {
  struct Case {
    const char* text;
    const char* compiled;
  };
  const Case cases[] = {
      // Remarks, blank lines and labels are no statements.
      {"; remark\n\n# also\n/ and this\n:START\nX=1\nGOTO START\n", "= X=1 | GOTO START ; START@0"},
      // CR LF and lone CR line ends compile like LF.
      {":START\r\nX=1\r\nGOTO START\r\n", "= X=1 | GOTO START ; START@0"},
      {":START\rX=1\rGOTO START", "= X=1 | GOTO START ; START@0"},
      // Keywords as written or in upper case; a word glued to its text is an expression.
      {"if X>1\nIf Y\nIFX>1\nENDIF\nendif", "IF X>1>5 | IF Y>4 | = IFX>1 | ENDIF >1 | ENDIF "},
      {"  IF\tX>1  \n\tENDIF", "IF X>1>2 | ENDIF "},
      // IF before ELSE jumps past it; ELSE jumps past ENDIF; ENDIF points at ELSE.
      {"IF X\nX=1\nELSE\nX=2\nENDIF", "IF X>3 | = X=1 | ELSE >5 | = X=2 | ENDIF >2"},
      // A loop closer jumps back to its opener (statement 0 has target 0).
      {"DO\nX=X+1\nLOOP_WHILE X<5", "DO >3 | = X=X+1 | LOOP_WHILE X<5"},
      {"DO_WHILE X<3\nX=X+1\nLOOP", "DO_WHILE X<3>3 | = X=X+1 | LOOP "},
      // Any closer closes the innermost block, whatever its kind.
      {"DO\nENDIF", "DO >2 | ENDIF "},
      // DEF_FN defines an entry label at the next statement.
      {"X=0\nDEF_FN TOTAL\nX=1\nEND", "= X=0 | = X=1 | END  ; TOTAL@1"},
      {"GOSUB SUB\nEND\n:SUB\nRETURN", "GOSUB SUB>2 | END  | RETURN  ; SUB@2"},
  };
  for (const Case& c : cases) {
    Procedure p;
    ASSERT_EQ(ProcCompileText(ValOf(c.text), &p), 0) << c.text << " " << Detail();
    EXPECT_EQ(Describe(p), c.compiled) << c.text;
  }
}

TEST_F(CompileTest, FailuresNameTheStatement) {
  struct Case {
    std::string text;
    Status status;
    const char* detail;
  };
  const Case cases[] = {
      {"GOTO NOWHERE", kSyntaxError, "Label 'NOWHERE' in line 1 (+ remmarks) not found"},
      {"X=1\nGOSUB START", kSyntaxError, "Label 'START' in line 2 (+ remmarks) not found"},
      {"X=1\nENDIF", kSyntaxError,
       "Final of Conditional or loop without \r\nBegin (Loop, Endif...) in line 2 (+ remmarks)"},
      {"X=1\nIF X\nDO\nLOOP", kSyntaxError,
       "Conditional or loop without end (Endif, Loop...) in line 2 (+ remmarks)"},
      {":A\nX=1\n:A", kSyntaxError, "Label 'A' in line 2 (+ remmarks) defined twice"},
      {":A\nDEF_FN A", kSyntaxError, "Label 'A' in line 1 (+ remmarks) defined twice"},
      {Repeat("IF 1\n", 17) + Repeat("ENDIF\n", 17), kOutOfMemory,
       "Blocks nested deeper than 16 in line 17"},
      {[] {
         std::string t;
         for (int i = 0; i < 129; ++i) t += ":L" + std::to_string(i) + "\n";
         return t;
       }(),
       kOutOfMemory, "More than 128 labels: 'L128'"},
  };
  for (const Case& c : cases) {
    ErrReport(0, Val(), false);
    ErrRecord(2, 0, 0, 0);
    Procedure p;
    EXPECT_EQ(ProcCompileText(ValOf(c.text), &p), c.status) << c.text;
    EXPECT_NE(Detail().find(c.detail), std::string::npos) << c.text << "\n" << Detail();
    if (c.status >= kSerious) {
      EXPECT_EQ(ErrRecorded() >> 16, kAreaExecCompiler);
    }
  }
  // The limits themselves compile.
  Procedure deep, labels;
  EXPECT_EQ(ProcCompileText(ValOf(Repeat("IF 1\n", 16) + Repeat("ENDIF\n", 16)), &deep), 0);
  std::string many;
  for (int i = 0; i < 128; ++i) many += ":L" + std::to_string(i) + "\nX=1\n";
  EXPECT_EQ(ProcCompileText(ValOf(many), &labels), 0);
}

TEST_F(CompileTest, LoadsFilesFromTheDefinitionFolders) {
  Put("defs/LONG.PRX", ":TOP\r\n" + Repeat("X=X+1\r\n", 20000) + "END\r\n");
  ASSERT_EQ(SlotSet(kSlotGroupSettings, kSettingDefaultFolder, ValOf("other," + EnginePathOf("defs"))), 0);
  uint16_t number = 99;
  // More statements than a 14-bit count holds, found in the second definition folder.
  ASSERT_EQ(ProcLoad("long.prx"_v, &number), 0) << Detail();
  EXPECT_EQ(number, 0);
  EXPECT_EQ(g_proc.table[0]->count(), 20001u);
  EXPECT_EQ(ProcRun(Val(), Val(), 0), 0) << Detail();
  EXPECT_EQ(Value("X"), "20000");

  // Loading twice gives two entries; unloading takes them out again.
  ASSERT_EQ(ProcLoad("LONG.PRX"_v, &number), 0);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(ProcUnload(5), kInternal);
  EXPECT_EQ(ProcUnload(kFileNotFound), kFileNotFound);
  EXPECT_EQ(ProcUnload(1), 0);
  EXPECT_EQ(ProcUnload(0), 0);
  EXPECT_TRUE(g_proc.table.empty());
}

TEST_F(CompileTest, MissingEmptyOrBadFilesAddNothing) {
  Put("EMPTY.PRX", "");
  Put("BAD.PRX", "X=1\nGOTO NOWHERE\n");
  Put("WIDE.PRX", "X=1\n" + std::string(70000, 'A') + "\n");
  struct Case {
    const char* file;
    Status status;
    const char* detail;
  };
  const Case cases[] = {
      {"NOPE.PRX", kFileNotFound, "NOPE.PRX"},
      {"EMPTY.PRX", kFileNotFound, "EMPTY.PRX"},
      {"BAD.PRX", kSyntaxError, "NOWHERE' in line 2 (+ remmarks) not found\r\nFile: BAD.PRX"},
      {"WIDE.PRX", kStringTooLong, "line 2 of the file is too long"},
  };
  for (const Case& c : cases) {
    ErrReport(0, Val(), false);
    uint16_t number;
    EXPECT_EQ(ProcLoad(ValOf(c.file), &number), c.status) << c.file;
    EXPECT_NE(Detail().find(c.detail), std::string::npos) << c.file << "\n" << Detail();
    EXPECT_TRUE(g_proc.table.empty());
  }
}

TEST_F(CompileTest, TheTableTakesAtMost121Procedures) {
  Put("P.PRX", "X=1\n");
  uint16_t number = 0;
  for (int i = 0; i < kMaxProcedures; ++i) ASSERT_EQ(ProcLoad("P.PRX"_v, &number), 0);
  EXPECT_EQ(number, kMaxProcedures - 1);
  EXPECT_EQ(ProcLoad("P.PRX"_v, &number), kInternal);
}

}  // namespace
}  // namespace orv
