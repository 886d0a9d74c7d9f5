// The data layer bound to the expression language, on the demo dictionary: field
// references read and assign fields as the console evaluates them, both sides see the same
// system variables, and the data layer's conditions and expansions evaluate for real.
#include <string>
#include <vector>

#include "data/expand.h"
#include "demo_fixture.h"
#include "expr/console.h"

namespace orv {
namespace {

class ExprBindTest : public DemoTest {};

TEST_F(ExprBindTest, FieldReferencesReadAndAssignFields) {
  ASSERT_EQ(DataFileMove(kCustomers, kMoveBlank), kBlankRecord);
  DataSysSet(sysvar::kCurFil, kItems);
  struct Case {
    const char* expr;
    const char* line;
  };
  const std::vector<Case> cases = {
      {"CODE{customers}=7", "N 7"},
      {"CODE{1}+1", "N 8"},
      {"NAME{1}='Acme'", "T Acme"},
      {"NAME{1}+'.'", "T Acme                                    ."},
      {"BALANCE{1}=12.345", "N 12.35"},
      {"BALANCE{1}*2", "N 24.7"},
      {"7{1}", "N 12.35"},
      {"DESCRIPTION{}='Bolts'", "T Bolts"},
      {"_CURFIL=1", "N 1"},
      {"NAME{}=='ACME'", "N 0"},
      {"NAME{}=='AC*'", "N 1"},
      {"NOPE{1}", "E 147 SINTAXERROR"},
      {"CODE{9}", "E 161 FILEOUTBOUND"},
      {"CODE{1}=1234567", "E 168 DATAOUTBOUND"},
  };
  for (const Case& c : cases) {
    std::string line;
    ConsoleEval(c.expr, &line);
    EXPECT_EQ(line, c.line) << c.expr;
  }
  // What the expressions assigned is in the record buffers.
  EXPECT_EQ(S(DataFileRecord(kCustomers, kCurrent)).substr(0, 10), "     7Acme");
  EXPECT_EQ(Field(kCustomers, "BALANCE"), "12.35");
  EXPECT_EQ(Field(kItems, "DESCRIPTION"), "Bolts");
  EXPECT_EQ(DataSys(sysvar::kCurFil), 1);
}

TEST_F(ExprBindTest, SystemVariablesAreSharedBothWays) {
  std::string line;
  DataSysSet(sysvar::kRelRes, 12);
  ConsoleEval("_RELRES", &line);
  EXPECT_EQ(line, "N 12");
  ConsoleEval("_UPSTAT=3", &line);
  EXPECT_EQ(DataSys(sysvar::kUpStat), 3);
  EXPECT_TRUE(DataSysBits(sysvar::kUpStat, 2));
  // _COMPAT bit 4 read by the data layer: compact dates in "F" fields.
  ConsoleEval("_COMPAT=4", &line);
  EXPECT_TRUE(DataSysBits(sysvar::kCompat, 4));
}

TEST_F(ExprBindTest, ConditionsExpansionsAndStructuresEvaluate) {
  Catalogue();
  uint32_t count = 0;
  ASSERT_EQ(DataFileCount(kItems, Val(), Val(), "STOCK{2}>60"_v, &count), 0);
  EXPECT_EQ(count, 1u);
  ASSERT_EQ(DataFileCount(kItems, Val(), Val(), "STOCK{2}>"_v, &count), kSyntaxError);
  struct Case {
    int precis;
    const char* text;
    const char* out;
  };
  for (const Case& c : std::vector<Case>{{2, "Total [2+3] kg", "Total 5 kg"},
                                         {2, "[10/4]", "2.5"},
                                         {0, "[10/4]", "3"},
                                         {2, "[0]", "0"},
                                         {2, "[DESCRIPTION{2}]", "Nuts"}}) {
    SysSet(kSysPrecis, c.precis);
    ScratchScope scope;
    EXPECT_EQ(S(TextExpand(ValOf(c.text), 0, Val())), c.out) << c.text << " at " << c.precis;
  }
  SysSet(kSysPrecis, 2);
  // A structure's field lengths are expressions.
  ASSERT_EQ(DictStructDefine("tmp"_v, "CODE;2*3;A,QTY;10/4;N"_v, "<0001006"_v), 0);
  EXPECT_EQ(DictRecordLength(DictFileCount()), 8u);  // 6 and the integer part of 2.5
}

TEST_F(ExprBindTest, DataFileFunctions) {
  Catalogue();
  ASSERT_EQ(Line(1, 1, 1, "A1", "5", "2"), 0);
  struct Case {
    const char* expr;
    const char* line;
  };
  const std::vector<Case> cases = {
      {"FILEFIND('A1';2;1)", "N 0"},
      {"FILEFIND('A5';2;1)", "N 1"},
      {"FILEFIND('Z';2;1)", "N 2"},
      {"FILEFIND('A5';2;1;2)", "N 1"},  // positioned on the next greater, read
      {"CODE{2}", "T B2        "},
      {"FILEFIND('C3';2;1;4)", "N 0"},  // not found: inserted with the key
      {"FILEFIND('C3';2;1)", "N 0"},
      {"FILEFIND(1;2)", "E 128 Tipos Incompatibles"},
      {"FILEFIND()", "E 147 SINTAXERROR"},
      {"FILELOCATE('TOP';2)", "N 0"},
      {"KEY$(2)", "T A1        "},
      {"KEY$(2;2)", "T Bolts                                   A1        "},
      {"KEY$(2;2;1;1)", "T Bolts                                   "},
      {"FILELOCATE('next';2)+IER(2)", "N 6"},  // no such command: a blank record, 3
      {"FILELOCATE('BOT';2)+IER(2)", "N 0"},
      {"FILELOCATE(;2)+IER(2)", "N 4"},  // NXT beyond the last: 2
      {"FILEREL(3;2;1;0;STOCK{2}=STOCK{2}-1)+STOCK{2}", "N 99"},
      // A relation that fails stops the evaluation instead of passing for a result.
      {"FILEREL(3;2;1;0;STOCK{2}=1D9)", "E 168 DATAOUTBOUND"},
      {"FILEREL(3;2;7)", "E 163 de Datos"},
      {"IER(9)", "E 168 DATAOUTBOUND"},
  };
  for (const Case& c : cases) {
    std::string line;
    ConsoleEval(c.expr, &line);
    EXPECT_EQ(line, c.line) << c.expr;
  }
}

}  // namespace
}  // namespace orv
