// Evaluation: operators, precedence, empty operands, texts, assignment and the statuses an
// expression ends with. Each case starts from a fresh variable store at _PRECIS 2 unless it
// sets _PRECIS itself.
#include <gtest/gtest.h>

#include "core/slots.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/sysvars.h"
#include "expr/varstore.h"
#include "expr_fixture.h"

namespace orv {
namespace {

struct Case {
  const char* expr;
  const char* want;
};

class EvalTable : public ExprTest {
 protected:
  void Check(const Case* cases, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      ExprShutdown();
      ASSERT_EQ(ExprInit(), 0);
      EXPECT_EQ(Eval(cases[i].expr), cases[i].want) << "expression: " << cases[i].expr;
    }
  }
};

TEST_F(EvalTable, ArithmeticRoundsHalfAwayFromZero) {
  const Case cases[] = {
      {"10/4", "N 2.5"},     {"1/3", "N .33"},       {"2/3", "N .67"},
      {"-2/3", "N -.67"},    {"1/0", "N 0"},         {"0.5*0.01", "N .01"},
      {"-0.5*0.01", "N -.01"}, {"200%15", "N 30"},   {"200\xF7" "15", "N 170"},
      {"1+2*3", "N 7"},      {"8-3-2", "N 3"},       {"2*-3", "N -6"},
      {"2*-3+1", "N -4"},    {"-5+2", "N -3"},       {"1.235+0", "N 1.24"},
      {"-1.235+0", "N -1.24"}, {"12D3", "N 12000"},  {"1.5D2", "N 1.5"},
      {".5", "N .5"},        {"007.10", "N 7.1"},
      // Odd divisors: twice the remainder against the divisor, not the divisor halved.
      {"_PRECIS=0;10/3", "N 3"}, {"_PRECIS=0;5/3", "N 2"}, {"_PRECIS=0;-5/3", "N -2"},
      {"_PRECIS=0;7/2", "N 4"},  {"_PRECIS=2;1/0.03", "N 33.33"}, {"2/0.03", "N 66.67"},
      // '%' and '÷' round once, from the exact product.
      {"_PRECIS=0;5%10", "N 1"}, {"_PRECIS=0;15%3", "N 0"}, {"_PRECIS=0;50%3", "N 2"},
      {"0.05%0.1", "N 0"},       {"0.5%1", "N .01"},        {"0.45%1.1", "N 0"},
      {"0.45\xF7" "1.1", "N .45"},       {"_PRECIS=0;50\xF7" "3", "N 48"},
      {"_PRECIS=4;2.345!2", "N 2.35"}, {"_PRECIS=4;2.344!2", "N 2.34"},
      {"_PRECIS=4;-2.345!2", "N -2.35"}, {"1234.5!-2", "N 1200"}, {"1!4", "N 100"},
      {"1.25!1", "N 1.3"},       {"5!0.9", "N 5"},
  };
  Check(cases, std::size(cases));
}

TEST_F(EvalTable, ComparisonsAndLogic) {
  const Case cases[] = {
      {"3|5", "N 0"},   {"1|2", "N 3"},    {"1+1|2", "N 4"},  {"1+1@2", "N 0"},
      {"1@@0", "N 1"},  {"1@@1", "N 0"},   {"0@@0", "N 0"},   {"6&3", "N 2"},
      {"2>1", "N 1"},   {"2<1", "N 0"},    {"2==2", "N 1"},   {"2>=3", "N 0"},
      {"2<=2", "N 1"},  {"2<>2", "N 0"},   {"0.5&&1", "N 1"}, {"0&&1", "N 0"},
      {"0||0.01", "N 1"}, {"1<2&&2<3", "N 1"}, {"-1&-1", "N -1"},
      {"'ab'<'abc'", "N 1"},  {"'b'>'abc'", "N 1"},  {"'ABC'=='abc'", "N 0"},
      {"'abcdef'=='ABC*'", "N 1"}, {"'xxabcx'=='*ABC*'", "N 1"}, {"'xxabc'=='*ABC'", "N 1"},
      {"'ab'=='ABC*'", "N 0"},  {"'abc'=='*'", "N 1"},  {"'abc'<>'a*'", "N 1"},
      {"'abc'=='a*zz'", "N 1"}, {"'a*'=='a*'", "N 1"},  {"'xyz'=='*ab*cd'", "N 0"},
      {"_AUXSTAT=128;'abcdef'=='ABC*'", "N 0"}, {"_AUXSTAT=128;'xxabcx'=='*ABC*'", "N 0"},
      {"'\xE9t\xE9'=='*\xC9T\xC9*'", "N 1"},
  };
  Check(cases, std::size(cases));
}

TEST_F(EvalTable, TextsAndLiterals) {
  const Case cases[] = {
      {"'a'+'b'", "T ab"},          {"\"it's\"", "T it's"},        {"'a+b;c'", "T a+b;c"},
      {"' x '", "T  x "},           {"'x'y", "T 'X'Y"},            {"A$='x'+'y';A$+A$", "T xyxy"},
      {"'a'*'b'", "E 147 SINTAXERROR"}, {"'a'*2", "E 128 Tipos Incompatibles"},
      {"'a'+1", "E 128 Tipos Incompatibles"}, {"1+'a'", "E 128 Tipos Incompatibles"},
      {"'a'+", "E 147 SINTAXERROR"}, {"'a'+-1", "E 147 SINTAXERROR"},
      {".lf$", "T \r\n"}, {".tab$+.pchr$+.null$", "T \t\\"},
  };
  Check(cases, std::size(cases));
}

TEST_F(EvalTable, StructureAndEmptyOperands) {
  const Case cases[] = {
      {"", "N 0"},          {";", "N 0"},         {"5+", "E 147 SINTAXERROR"},
      {"*5", "N 0"},        {"(1+2)*3", "N 9"},   {"((2))", "N 2"},
      {"()", "N 0"},        {"2*()", "E 147 SINTAXERROR"}, {"2*()+1", "N 2"},
      {"1;2", "N 2"},       {"1,'x'", "T x"},     {"A=1;A=A+1;A", "N 2"},
      {"A=>B", "N 0"},      {"7:8", "N 8"},       {"X = 1 + 2", "N 3"},
      {"X 1", "E 147 SINTAXERROR"}, {"A+B ", "E 147 SINTAXERROR"},
      {" -1", "N -1"},      {"(A+B", "E 129 Fallo de loop"}, {"A+B)", "E 129 Fallo de loop"},
      {"FN$TRIM('(';'FIT')", "E 148 FEATUREREMOVED"}, {".top", "N 36"},
      {".iscgi", "N 16384"}, {".unknown", "N 0"}, {".x5", "N 0"},
      {"((1))+((2)", "E 129 Fallo de loop"}, {"'unclosed", "T 'UNCLOSED"},
  };
  Check(cases, std::size(cases));
}

TEST_F(EvalTable, Assignment) {
  const Case cases[] = {
      {"A=1+2", "N 3"},          {"A=B=5;A+B", "N 10"},      {"A=B=5+1;A*B", "N 36"},
      {"A$=B$='x';A$+B$", "T xx"}, {"N$=5", "E 128 Tipos Incompatibles"},
      {"N=A$='x'", "E 128 Tipos Incompatibles"}, {"5=3", "E 147 SINTAXERROR"},
      {"'x'=1", "E 147 SINTAXERROR"}, {"(A)=1", "E 147 SINTAXERROR"},
      {"A=", "E 147 SINTAXERROR"}, {"N=2.5;N", "N 3"},       {"N=-2.5;N", "N -3"},
      {"N#=2.555;N#", "N 2.56"}, {"A+B=5", "E 147 SINTAXERROR"},         {"1+A*B=5", "E 147 SINTAXERROR"},
      {"_USER01=7;_USER01", "N 7"}, {"X=32767;X", "N 32767"},
  };
  Check(cases, std::size(cases));
}

TEST_F(EvalTable, OverflowEndsWithCalcError) {
  const Case cases[] = {
      {"X=32768", "E 155 EXPCALCERROR"},
      {"X=-32769", "E 155 EXPCALCERROR"},
      {"X=-32768;X", "N -32768"},
      {"_PRECIS=0;9223372036854775807+0", "N 9223372036854775807"},
      {"_PRECIS=0;9223372036854775807+1", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;9223372036854775808", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;0-9223372036854775807-1", "N -9223372036854775808"},
      {"_PRECIS=0;(0-9223372036854775807-1)/-1", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;(0-9223372036854775807-1)*-1", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;(0-9223372036854775807-1)/1", "N -9223372036854775808"},
      {"_PRECIS=0;(0-9223372036854775807-1)-1", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;3037000500*3037000500", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;3037000499*3037000499", "N 9223372030926249001"},
      {"92233720368547758.07+0", "N 92233720368547758.07"},
      {"92233720368547758.08+0", "E 155 EXPCALCERROR"},
      {"92233720368547758*2", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;4611686018427387904%150", "N 6917529027641081856"},
      {"_PRECIS=0;9223372036854775807%200", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;9223372036854775807\xF7" "0", "N 9223372036854775807"},
      {"_PRECIS=0;0-9223372036854775807\xF7-100", "E 155 EXPCALCERROR"},
      {"1!20", "E 155 EXPCALCERROR"},
      {"1!21", "E 155 EXPCALCERROR"},
      {"1!40", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;1!18", "N 1000000000000000000"},
      {"_PRECIS=0;-1!18", "N -1000000000000000000"},
      {"0!32767", "N 0"},
      {"1!40000", "E 155 EXPCALCERROR"},
      {"1!-40000", "E 155 EXPCALCERROR"},
      {"5!-30", "N 0"},
      {"_PRECIS=0;9000000000000000000!-18", "N 9000000000000000000"},
      {"_PRECIS=0;9000000000000000000!-19", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;4000000000000000000!-19", "N 0"},
      {"_PRECIS=0;4611686018427387904&4611686018427387904", "N 4611686018427387904"},
      {"(0-92233720368547758)&(0-92233720368547758)", "N -92233720368547758"},
      {"12D99999", "E 155 EXPCALCERROR"},
      {"99999999999999999999D30", "E 155 EXPCALCERROR"},
      {"_PRECIS=0;9D18", "N 9000000000000000000"},
      {"0D99999", "N 0"},
      {"1.5D99999", "N 1.5"},
      {"123456789012345678901234567890", "E 155 EXPCALCERROR"},
      {"000000000000000000000000000000000012.5", "N 12.5"},
  };
  Check(cases, std::size(cases));
}

TEST_F(EvalTable, PrecisionOnlyTakesZeroToFour) {
  const Case cases[] = {
      {"_PRECIS=5", "E 168 DATAOUTBOUND"},  {"_PRECIS=-1", "E 168 DATAOUTBOUND"},
      {"_PRECIS=5;_PRECIS", "E 168 DATAOUTBOUND"}, {"_PRECIS=0;_PRECIS", "N 0"},
      {"_PRECIS=4;1/3", "N .3333"},
  };
  Check(cases, std::size(cases));
  ExprShutdown();
  ASSERT_EQ(ExprInit(), 0);
  Eval("_PRECIS=9");
  EXPECT_EQ(SysGet(kSysPrecis), 2);
  EXPECT_EQ(g_expr.scale, 100);
  EXPECT_EQ(SysSet(kSysPrecis, 7), kDataOutBound);
  EXPECT_EQ(SysSet(kSysPrecis, 3), 0);
  EXPECT_EQ(g_expr.scale, 1000);
}

// A serious status stops the evaluation, keeps earlier assignments, is recorded in the area
// ExpExec and leaves the failing sub-expression in the detail text.
TEST_F(ExprTest, SeriousStatusIsRecordedWithTheFailingText) {
  EXPECT_EQ(Eval("A=1;B='x'*2;C=3"), "E 128 Tipos Incompatibles");
  EXPECT_EQ(Eval("A"), "N 1");
  EXPECT_EQ(Eval("C"), "N 0");
  ErrRecord(2, 0, 0, 0);
  ErrReport(0, Val(), false);
  {
    ScratchScope scope;
    EXPECT_EQ(Evaluate("1;2*9223372036854775807"_v), kExpCalcError);
  }
  EXPECT_EQ(ErrRecorded(), (uint32_t(kAreaExpExec) << 16) | kExpCalcError);
  EXPECT_NE(S(ErrDetail()).find("2*9223372036854775807"), std::string::npos) << S(ErrDetail());
}

TEST_F(ExprTest, EvaluateLeavesExactlyOneValue) {
  const char* texts[] = {"1+2", "'a'+'b'", "A=(1;2)*3", "'x'*2", "(((", "X 1", "", "A(1;2)"};
  for (const char* t : texts) {
    uint16_t mark = ScratchMark();
    Evaluate(ValFromCStr(t));
    EXPECT_EQ(ScratchMark(), mark + 1) << t;
    ScratchRelease(mark);
  }
}

// Nesting is bounded: deep groups and long empty-operand chains end with a status instead
// of exhausting the machine stack.
TEST_F(ExprTest, DeepNestingEndsWithAStatus) {
  std::string groups(5000, '(');
  groups += "1" + std::string(5000, ')');
  EXPECT_EQ(Eval(groups), "E 145 OUTOFMEMORY");
  std::string minus = "1" + std::string(20000, '-') + "1";
  EXPECT_EQ(Eval(minus), "E 145 OUTOFMEMORY");
  std::string chain;
  for (int i = 0; i < 5000; ++i) chain += "A=";
  chain += "1";
  EXPECT_EQ(Eval(chain), "E 145 OUTOFMEMORY");
  EXPECT_EQ(Eval("((((((((((1))))))))))+1"), "N 2");
  EXPECT_EQ(g_expr.depth, 0);
}

}  // namespace
}  // namespace orv
