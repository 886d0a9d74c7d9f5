// Running procedures: control flow, GOSUB, CALL and LOCALVARS, bracket expansion, command
// arguments, entry labels and results, the trace file, the PrcExec task.
#include <gtest/gtest.h>

#include <string>

#include "core/slots.h"
#include "expr/funcs.h"
#include "expr/sysvars.h"
#include "proc_fixture.h"

namespace orv {
namespace {

struct FlowCase {
  const char* text;
  const char* expr;   // read after the run
  const char* value;  // its value as text
  Status status = 0;
};

class RunTest : public ProcTest {
 protected:
  // Runs each case in a fresh procedure table with a statement budget.
  template <size_t N>
  void RunCases(const FlowCase (&cases)[N]) {
    for (const FlowCase& c : cases) {
      Fresh();
      g_proc.bounded = true;
      g_proc.budget = 100000;
      EXPECT_EQ(Run(c.text), c.status) << c.text << "\n" << Detail();
      EXPECT_EQ(Value(c.expr), c.value) << c.text;
    }
  }
};

TEST_F(RunTest, LoopsAndConditions) {
  const FlowCase cases[] = {
      {"X=5\nIF X>1\nR$='big'\nELSE\nR$='small'\nENDIF", "R$", "big"},
      {"X=0\nIF X>1\nR$='big'\nELSE\nR$='small'\nENDIF", "R$", "small"},
      {"IF_TRUE 1\nR$='t'\nENDIF", "R$", "t"},
      {"IF_FALSE 0\nR$='ran'\nENDIF", "R$", "ran"},
      {"IF_FALSE 1\nR$='ran'\nENDIF", "R$", ""},
      // An empty condition is true, a text is false.
      {"IF\nR$='empty'\nENDIF", "R$", "empty"},
      {"IF 'x'\nR$='text'\nENDIF", "R$", ""},
      {"N=0\nDO_WHILE N<5\nN=N+1\nLOOP", "N", "5"},
      {"N=0\nDO_WHILE 0\nN=9\nLOOP", "N", ""},
      {"N=0\nDO_UNTIL N>=2\nN=N+1\nLOOP", "N", "2"},
      {"N=0\nDO\nN=N+1\nLOOP_UNTIL N>=3", "N", "3"},
      {"N=0\nDO\nN=N+1\nLOOP_WHILE N<4", "N", "4"},
      // A LOOP without a condition runs until a GOTO leaves it.
      {"N=0\nDO\nN=N+1\nIF N>=7\nGOTO OUT\nENDIF\nLOOP\n:OUT\nR$='out'", "N", "7"},
      {"C=0\nI=0\nDO_WHILE I<3\nI=I+1\nJ=0\nDO_WHILE J<4\nJ=J+1\nC=C+1\nLOOP\nLOOP", "C", "12"},
      // Statements after END do not run; the end of the text is an END.
      {"X=1\nEND\nX=2", "X", "1"},
      // An error of an expression statement stops the run.
      {"X=1\nY$='a'*2\nX=2", "X", "1", kIncompatibleTypes},
      {"IF 'a'*2\nX=1\nENDIF", "X", "", kIncompatibleTypes},
  };
  RunCases(cases);
}

TEST_F(RunTest, GosubAndReturn) {
  const FlowCase cases[] = {
      {"R$='a'\nGOSUB SUB\nR$=R$+'c'\nEND\n:SUB\nR$=R$+'b'\nRETURN", "R$", "abc"},
      {"R$=''\nGOSUB A\nR$=R$+'3'\nEND\n:A\nR$=R$+'1'\nGOSUB B\nRETURN\n:B\nR$=R$+'2'\nRETURN",
       "R$", "123"},
      // RETURN with nothing to return to ends the run, without error.
      {"X=1\nRETURN\nX=2", "X", "1"},
      // The 65th nested GOSUB is refused.
      {"N=0\n:SUB\nN=N+1\nGOSUB SUB", "N", "65", kPrcStackError},
  };
  RunCases(cases);
  EXPECT_NE(Detail().find("GOSUB nested deeper than 64\r\nLine: 3 (+ remmarks):\r\nGOSUB SUB"),
            std::string::npos)
      << Detail();
}

TEST_F(RunTest, CallAndLocalVariables) {
  Put("LIB.PRX", "DEF_FN TWICE\r\nLOCALVARS V#\r\nOUT#=V#*2\r\nRETURN\r\n");
  const FlowCase cases[] = {
      // Arguments become the callee's variables; a local call removes them afterwards.
      {"IN=0\nIT$=''\nCALL SUB,,1 5;'x'\nR$=T$+'|'+IT$\nEND\nDEF_FN SUB\nLOCALVARS N,T$\n"
       "IN=N\nIT$=T$\nRETURN",
       "R$", "|x"},
      {"IN=0\nCALL SUB,,1 5;'x'\nEND\nDEF_FN SUB\nLOCALVARS N,T$\nIN=N+1\nRETURN", "IN", "6"},
      // Not local: the variables stay.
      {"CALL SUB,,0 7\nEND\nDEF_FN SUB\nLOCALVARS N\nRETURN", "N", "7"},
      // The callee must take every argument.
      {"CALL SUB,,1 1;2\nEND\nDEF_FN SUB\nLOCALVARS A\nRETURN", "A", "", kSyntaxError},
      {"CALL SUB,,1 5\nEND\nDEF_FN SUB\nX=1\nRETURN", "X", "", kSyntaxError},
      // LOCALVARS beyond the arguments declares empty local variables.
      {"R=0\nCALL SUB\nEND\nDEF_FN SUB\nLOCALVARS I,J$\nR=I+1\nRETURN", "R", "1"},
      // A name that is no variable.
      {"CALL SUB,,1 1\nEND\nDEF_FN SUB\nLOCALVARS A@B\nRETURN", "1", "1", kIncompatibleTypes},
      {"CALL SUB,,1 1\nEND\nDEF_FN SUB\nLOCALVARS A,,B\nRETURN", "1", "1", kIncompatibleTypes},
      // A call that names a file loads it for the call only.
      {"OUT#=0\nCALL TWICE,LIB.PRX,1 2.25", "OUT#", "4.5"},
      {"OUT#=0\nCALL ,LIB.PRX,1 4", "OUT#", "8"},
      {"CALL NOWHERE", "1", "1", kSyntaxError},
      // Recursion: each run has its own return stack.
      {"R#=0\nCALL SUM,,1 5\nEND\nDEF_FN SUM\nLOCALVARS K\nGOSUB STEP\nRETURN\n:STEP\n"
       "R#=R#+K\nIF K>1\nCALL SUM,,1 K-1\nENDIF\nRETURN",
       "R#", "15"},
      {"DEF_FN R\nCALL R\nRETURN", "1", "1", kPrcStackError},
      {"CALL SUB,,1 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17\nEND\nDEF_FN SUB\nRETURN", "1", "1",
       kSyntaxError},
  };
  RunCases(cases);
  EXPECT_TRUE(g_proc.table.size() == 1);
  EXPECT_EQ(SlotCount(kArgStackGroup), 0);
}

TEST_F(RunTest, EntryLabelsLocalRunsAndResults) {
  ASSERT_EQ(Add("X=1\nEND\n:E\nX=2\nDEF_FN F\nV#=2.5\nV#*2\nEND"), 0);
  EXPECT_EQ(ProcRun("E"_v, Val(), 0), 0);
  EXPECT_EQ(Value("X"), "2");
  // The entry becomes the start of a later run without one.
  EXPECT_EQ(ProcRun(Val(), Val(), 0), 0);
  EXPECT_EQ(Value("X"), "2");
  EXPECT_EQ(ProcRun("NONE"_v, Val(), 0), kSyntaxError);
  EXPECT_EQ(Detail(), "NONE");

  // Keeping the result: the last expression statement's value goes on stack group 30.
  EXPECT_EQ(ProcRun("F"_v, Val(), kRunKeepResult), 0);
  ASSERT_EQ(SlotCount(kResultGroup), 1);
  EXPECT_EQ(SlotLast(kResultGroup).str(), "5");
  // A local run removes the variables it created; existing ones keep their new values.
  EXPECT_EQ(ProcRun("F"_v, Val(), kRunLocal), 0);
  EXPECT_EQ(Value("V#"), "2.5");
  ASSERT_EQ(Add("NEW1=5\nX=9"), 0);
  EXPECT_EQ(ProcRun(Val(), Val(), kRunLocal), 0);
  EXPECT_EQ(Value("NEW1"), "");
  EXPECT_EQ(Value("X"), "9");
}

TEST_F(RunTest, BracketsAreMacroSubstitution) {
  const FlowCase cases[] = {
      {"A=2\nPRINT [A+1]", "1", "1"},
      {"PRINT 0", "1", "1"},
      {"PRINT '0'", "1", "1"},
      {"A$='B'\nPRINT '[A$]'", "1", "1"},
      {"A=2\nX=[A]+1", "X", "3"},
      // The statement itself is built by the substitution.
      {"A$='Y'\n[A$]=5", "Y", "5"},
      {"K=3\nIF [K]>2\nR$='yes'\nENDIF", "R$", "yes"},
      {"N=0\nCALL SUB,,1 [N+4]\nEND\nDEF_FN SUB\nLOCALVARS M\nN=M\nRETURN", "1", "1"},
      {"PRINT ['a'*2]", "1", "1", kIncompatibleTypes},
  };
  RunCases(cases);
  EXPECT_EQ(log_.lines, (std::vector<std::string>{"PRINT 3", "PRINT ", "PRINT 0", "PRINT B"}));

  // A statement that outgrows a text stops with 146, not an overflow.
  Fresh();
  EXPECT_EQ(Run("A$='z'\nN=0\nDO_WHILE N<15\nA$=A$+A$\nN=N+1\nLOOP\nPRINT '[A$][A$]'"),
            kStringTooLong) << Detail();
  // Nested brackets expand once, innermost first: no rescanning, no loop.
  EXPECT_EQ(Run("PRINT [[[[[[[[1]]]]]]]]"), 0) << Detail();
  EXPECT_EQ(log_.lines.back(), "PRINT ");
}

TEST_F(RunTest, CommandArgumentForms) {
  struct Case {
    const char* text;
    const char* seen;
    std::vector<int> ints;
    Status status = 0;
  };
  const Case cases[] = {
      {"PRINT 'a',2,1.5,'',0,-2.5", "PRINT a|2|1.5|||-2.5", {0, 2, 2, 0, 0, -3}},
      {"PRINT", "PRINT", {}},
      {"PRINT 'a,b'", "PRINT a,b", {0}},
      // Commas inside parentheses belong to the argument.
      {"PRINT (1,2),3", "PRINT 2|3", {2, 3}},
      {"PRINT 100000,-100000", "PRINT 100000|-100000", {32767, -32768}},
      {"_PRECIS=0\nPRINT 0,7", "PRINT 0|7", {0, 7}},
      {"PRINT 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", "PRINT 1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {"PRINT 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17", "", {}, kSyntaxError},
      {"PRINT 1,'a'*2", "", {}, kIncompatibleTypes},
  };
  for (const Case& c : cases) {
    Fresh();
    log_ = CommandLog{};
    EXPECT_EQ(Run(c.text), c.status) << c.text;
    if (c.status) {
      EXPECT_TRUE(log_.lines.empty()) << c.text;
      continue;
    }
    ASSERT_EQ(log_.lines.size(), 1u) << c.text;
    EXPECT_EQ(log_.lines[0], c.seen);
    EXPECT_EQ(log_.ints[0], c.ints) << c.text;
  }
}

TEST_F(RunTest, CommandStatusesStopTheProcedure) {
  log_.answer = 5;
  EXPECT_EQ(Run("X=1\nRC_INSERT 'f'\nX=2"), 5);
  EXPECT_EQ(Value("X"), "1");
  EXPECT_NE(Detail().find("Line: 2 (+ remmarks):\r\nRC_INSERT 'f'"), std::string::npos) << Detail();

  // No handler at all, and a command that no handler serves.
  ProcReset();
  EXPECT_EQ(Run("PRINT 1"), kFeatureRemoved);
  CommandHandlerInstall(3, [](uint16_t slot, uint16_t op, const CommandArgs& a) {
    return CommandPass(slot, op, a);
  });
  EXPECT_EQ(Run("PRINT 1"), kSyntaxError);
  EXPECT_NE(Detail().find("PRINT\r\nLine: 1 (+ remmarks):\r\nPRINT 1"), std::string::npos)
      << Detail();
}

TEST_F(RunTest, TraceFile) {
  ASSERT_EQ(Run("_TRACE=9\nX=1\nIF X\nPRINT 'a'\nENDIF\nEND"), 0);
  EXPECT_EQ(Get("PrcLog.txt"), "2\t X=1\r\n3\tIF X\r\n4\tPRINT 'a'\r\n5\tENDIF \r\n6\tEND \r\n");
  std::filesystem::remove(root_ / "PrcLog.txt");
  Fresh();
  ASSERT_EQ(Run("X=1\nY=2"), 0);
  EXPECT_EQ(Get("PrcLog.txt"), "<missing>");
}

TEST_F(RunTest, PrcExecTask) {
  Put("INIT.TXT", "BASE=20");
  Put("MAIN.PRX", "R=BASE+1\r\nCALL SUB\r\nR=R+OUT\r\nEND\r\n:AGAIN\r\nR=99\r\n");
  Put("LIB.PRX", "DEF_FN SUB\r\nOUT=100\r\nRETURN\r\n");
  Put("STRAY.PRX", "R=1\r\nRETURN\r\n");
  struct Case {
    const char* params;
    Status status;
    const char* r;
  };
  const Case cases[] = {
      {"MAIN.PRX;LIB.PRX,,INIT.TXT", 0, "121"},
      {"MAIN.PRX;LIB.PRX,AGAIN", 0, "99"},
      {"MAIN.PRX,,MISSING.TXT", kFileNotFound, ""},
      {"MAIN.PRX;NOLIB.PRX", kFileNotFound, ""},
      {"MAIN.PRX", kSyntaxError, "21"},
      // The task's own run has no caller to return to.
      {"STRAY.PRX", kPrcStackError, "1"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Execute("R=0;OUT=0"_v), 0);
    EXPECT_EQ(ProcTask(ValOf(c.params)), c.status) << c.params << "\n" << Detail();
    EXPECT_EQ(Value("R"), c.r) << c.params;
    EXPECT_TRUE(g_proc.table.empty());
  }
}

}  // namespace
}  // namespace orv
