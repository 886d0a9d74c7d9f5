// The entry points of evaluation, field references and built-in calls.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/scratch.h"
#include "core/status.h"
#include "expr/eval.h"
#include "expr/execute.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/sysvars.h"
#include "expr/varstore.h"
#include "expr_fixture.h"

namespace orv {
namespace {

TEST_F(ExprTest, Conditions) {
  const struct {
    const char* text;
    Status want;
  } cases[] = {
      {"", 1},      {"'x'", 0},   {"1", 1},        {"0", 0},      {"0.01", 1},
      {"2>1", 1},   {"2<1", 0},   {"1+", kSyntaxError}, {"'a'=='A*'", 1}, {"A=0", 0},
      {"(1", kLoopFailure},
  };
  for (const auto& c : cases) {
    uint16_t mark = ScratchMark();
    EXPECT_EQ(EvalCondition(ValFromCStr(c.text)), c.want) << c.text;
    EXPECT_EQ(ScratchMark(), mark) << c.text;
  }
}

TEST_F(ExprTest, NumbersIntegersAndTexts) {
  EXPECT_EQ(EvalNumber("1.5"_v), 150);
  EXPECT_EQ(EvalNumber("'x'"_v), 0);
  EXPECT_EQ(EvalNumber("1+"_v), 0);
  EXPECT_EQ(EvalInteger("2.5"_v), 3);
  EXPECT_EQ(EvalInteger("-2.5"_v), -3);
  EXPECT_EQ(EvalInteger("'7'"_v), 0);
  ErrRecord(2, 0, 0, 0);
  EXPECT_EQ(EvalInteger("40000"_v), 0);
  EXPECT_EQ(ErrRecorded() & 0xFFFF, kExpCalcError);
  ScratchScope scope;
  EXPECT_EQ(S(EvalText("12.50"_v)), "12.5");
  EXPECT_EQ(S(EvalText("'ab'+'c'"_v)), "abc");
  EXPECT_EQ(S(EvalText("0"_v)), "");
  EXPECT_EQ(S(EvalText("1+"_v)), "<error 147>");
}

TEST_F(ExprTest, ExecuteReturnsOnlySeriousStatuses) {
  EXPECT_EQ(Execute("A=3"_v), 0);
  EXPECT_EQ(Eval("A"), "N 3");
  EXPECT_EQ(Execute(""_v), 0);
  EXPECT_EQ(Execute("A=1;'x'*2"_v), kIncompatibleTypes);
  EXPECT_EQ(Execute("'x'*'y'"_v), kSyntaxError);
  EXPECT_EQ(Execute("5+"_v), kSyntaxError);
  EXPECT_EQ(TaskExpEval("B=5,C=B*2"_v), 0);
  EXPECT_EQ(Eval("C"), "N 10");
}

// A dictionary with three fields: CLI{1} (type A), PRICE{1} (type 2) and ON{1} (type L);
// BAD{9} does not resolve.
std::map<std::string, std::string> g_fields;
uint16_t Resolve(Val ref) {
  std::string r = ref.str();
  if (r == "CLI{1}") return 'A';
  if (r == "PRICE{1}") return '2';
  if (r == "ON{1}") return 'L';
  return kBadFileNumber;
}
Val ReadFieldText(Val ref) { return ValOf(g_fields[ref.str()]); }
Status WriteFieldText(Val ref, Val text) {
  g_fields[ref.str()] = text.str();
  return 0;
}

TEST_F(ExprTest, FieldReferences) {
  // Without a dictionary a field reads as unknown and cannot be written.
  EXPECT_EQ(Eval("CLI{1}"), "N 0");
  EXPECT_EQ(Eval("CLI{1}=='x'"), "N 1");
  EXPECT_EQ(Eval("CLI{1}=1"), "E 148 FEATUREREMOVED");

  FieldHooksInstall(FieldHooks{Resolve, ReadFieldText, WriteFieldText});
  g_fields = {{"CLI{1}", "ACME"}, {"PRICE{1}", "  12.50"}, {"ON{1}", "1"}};
  const struct {
    const char* expr;
    const char* want;
  } cases[] = {
      {"CLI{1}+'!'", "T ACME!"},        {"PRICE{1}*2", "N 25"},
      {"PRICE{1}=='12.5'", "N 1"},      {"PRICE{1}+'1'", "N 13.5"},
      {"'12.5'==PRICE{1}", "E 128 Tipos Incompatibles"},
      {"ON{1}+1", "N 2"},               {"BAD{9}", "E 151 BADFILENUMBER"},
      {"CLI{1", "E 147 SINTAXERROR"},   {"PRICE{1}=3.456", "N 3.46"},
      {"CLI{1}='new'", "T new"},        {"CLI{1}=7", "N 7"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.expr), c.want) << c.expr;
  EXPECT_EQ(g_fields["PRICE{1}"], "3.46");
  EXPECT_EQ(g_fields["CLI{1}"], "7");
}

// Built-in routines: FN#SLEN returns the length of its evaluated argument, CHK# answers
// 125 (a value of the wrong type), _# stores through its name.
Status SlenCall(const ExprCursor& call) {
  int64_t n;
  {
    ScratchScope scope;
    Status st = EvaluatePrepared(call.content());
    if (st != kResultText) return st == kResultNumber ? kIncompatibleTypes : st;
    n = int64_t(ScratchTop().len) * g_expr.scale;
  }
  return PushNumber(n);
}
Status ZeroCall(const ExprCursor&) { return PushNumber(0); }
Status AtypicalCall(const ExprCursor&) {
  ScratchPushCopy("oops"_v);
  return kAtypicalType;
}
Status CancelCall(const ExprCursor&) {
  PushNumber(0);
  return kCancelled;
}
std::string g_stored;
Status AccumStore(const ExprCursor& target, Val value) {
  g_stored = target.content().str() + "=" + std::to_string(NumberOf(value));
  return 0;
}

TEST_F(ExprTest, BuiltinCalls) {
  ErrReport(0, Val(), false);
  EXPECT_EQ(Eval("FN$TRIM(' a ')"), "E 148 FEATUREREMOVED");
  EXPECT_EQ(S(ErrDetail()).substr(0, 9), "FN$TRIM()");
  EXPECT_FALSE(BuiltinInstall(0, BuiltinEntry{SlenCall, nullptr}));
  EXPECT_FALSE(BuiltinInstall(34, BuiltinEntry{SlenCall, nullptr}));
  ASSERT_TRUE(BuiltinInstall(3, BuiltinEntry{SlenCall, nullptr}));
  ASSERT_TRUE(BuiltinInstall(7, BuiltinEntry{AtypicalCall, nullptr}));
  ASSERT_TRUE(BuiltinInstall(1, BuiltinEntry{ZeroCall, AccumStore}));
  EXPECT_EQ(Eval("FN#SLEN('abc')+1"), "N 4");
  EXPECT_EQ(Eval("fn#slen('ab'+'cd')"), "N 4");
  EXPECT_EQ(Eval("FN#SLEN(2)"), "E 128 Tipos Incompatibles");
  EXPECT_EQ(Eval("CHK#(1)"), "E 125 Tipo Atipico");
  EXPECT_EQ(Eval("N=CHK#(1)"), "E 128 Tipos Incompatibles");
  EXPECT_EQ(Eval("_#(2)=5"), "N 5");
  EXPECT_EQ(g_stored, "2=500");
  EXPECT_EQ(Eval("FN#SLEN('x')=5"), "E 147 SINTAXERROR");
  // A cancel stops the operators after it as well as the statements.
  ASSERT_TRUE(BuiltinInstall(31, BuiltinEntry{CancelCall, nullptr}));
  EXPECT_EQ(Eval("IER()+1;A=5"), "E 122 Cancelado por el usuario");
  EXPECT_EQ(Eval("A=IER()"), "E 122 Cancelado por el usuario");
  EXPECT_EQ(Eval("A"), "N 0");
}

}  // namespace
}  // namespace orv
