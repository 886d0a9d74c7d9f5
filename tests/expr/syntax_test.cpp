// Preparation, the token cursor and expression-list splitting.
#include <gtest/gtest.h>

#include <string>

#include "core/scratch.h"
#include "core/slots.h"
#include "expr/cursor.h"
#include "expr/funcs.h"
#include "expr/prepare.h"
#include "expr/state.h"
#include "expr/tokens.h"
#include "expr_fixture.h"

namespace orv {
namespace {

// The tokens of a prepared text as "token|op|prec|class|bracket" separated by blanks.
std::string Tokens(Val text) {
  std::string out;
  ExprCursor c = CursorOver(text);
  do {
    NextToken(&c);
    if (!out.empty()) out += ' ';
    out += S(c.token()) + "|" + std::to_string(c.op) + "|" + std::to_string(c.prec) + "|" +
           std::to_string(c.cls) + "|" + std::to_string(c.bracket);
    if (c.status) out += "|st" + std::to_string(c.status);
  } while (c.next < c.len);
  return out;
}

TEST_F(ExprTest, CursorCutsTokens) {
  struct {
    const char* text;
    const char* want;
  } cases[] = {
      {"A$+'x;y'", "A$|6|3|3|0 'x;y'|0|0|1|0"},
      {"A>=B", "A|12|2|2|0 B|0|0|2|0"},
      {"A=>B", "A|0|0|2|0 B|0|0|2|0"},
      {"A+=B", "A|0|0|2|0 B|0|0|2|0"},
      {"X#*2", "X#|1|4|6|0 2|0|0|0|0"},
      {"N(1;2)+1", "N|6|3|18|3 1|0|0|0|0"},
      {"FN$TRIM('(';x)", "FN$TRIM|0|0|35|5"},
      {"fn#slen(x)", "fn#slen|0|0|38|1"},
      {"(1+2)*3", "|1|4|64|3 3|0|0|0|0"},
      {"A(1", "A|0|0|18|1"},
      {"A(1)B+2", "A|6|3|18|1 2|0|0|0|0"},
      {"2*-3", "2|1|4|0|0 |7|3|0|0 3|0|0|0|0"},
      {"1|2@3&&4||5@@6", "1|16|5|0|0 2|17|1|0|0 3|18|1|0|0 4|19|1|0|0 5|20|1|0|0 6|0|0|0|0"},
      {"7\xF7" "2<>1<=0", "7|5|4|0|0 2|14|2|0|0 1|13|2|0|0 0|0|0|0|0"},
      {"'a,b',\"c;d\"", "'a,b'|0|0|1|0 \"c;d\"|0|0|1|0"},
      {"a:b)c", "a|0|0|2|0 b|0|0|2|0 c|0|0|2|0"},
      {"CLI{1}", "CLI{1}|0|0|8|0"},
      {"CLI{1", "CLI{1|0|0|0|0|st147"},
      {".5+.top", ".5|6|3|0|0 .top|0|0|0|0"},
      {"_LASTKEY", "_LASTKEY|0|0|2|0"},
      {"x'a+b", "x'a+b|0|0|1|0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(ValFromCStr(c.text)), c.want) << c.text;
}

TEST_F(ExprTest, BracketLengthSkipsQuotesAndRunsToTheEndWhenUnclosed) {
  EXPECT_EQ(BracketLength("(a(b)c)d"_v, 0), 5);
  EXPECT_EQ(BracketLength("(')')"_v, 0), 3);
  EXPECT_EQ(BracketLength("(a(b"_v, 0), 3);
  EXPECT_EQ(BracketLength("()"_v, 0), 0);
}

TEST_F(ExprTest, ListElementsEndAtATokenWithoutOperator) {
  struct {
    const char* list;
    int n;
    const char* want;
  } cases[] = {
      {"a;b,c", 1, "a"},           {"a;b,c", 3, "c"},           {"a;b,c", 4, ""},
      {"f(x;y);'p;q'", 1, "f(x;y)"}, {"f(x;y);'p;q'", 2, "'p;q'"}, {"1+2;3", 1, "1+2"},
      {"5+", 1, "5+"},             {"a:b", 2, "b"},             {"a;", 1, "a"},
      {"a;;b", 2, ""},             {"a;;b", 3, "b"},            {"", 1, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(S(ExprListElement(ValFromCStr(c.list), uint16_t(c.n))), c.want) << c.list << " " << c.n;
  Span spans[2];
  EXPECT_EQ(ExprListSplit("a;b;c;d"_v, spans, 2), 4);
  EXPECT_EQ(ExprListSplit(""_v, spans, 2), 0);
}

TEST_F(ExprTest, TokenClassesAndNameKinds) {
  struct {
    const char* token;
    uint16_t cls;
    VarKind kind;
  } cases[] = {
      {"A$", 3, kKindText},   {"N", 2, kKindInt},   {"X#", 6, kKindNum},   {"'a'", 1, kKindInt},
      {"A#$", 3, kKindText},  {"1.5", 0, kKindInt}, {".top", 0, kKindInt}, {"F{1}", 8, kKindInt},
      {"A$(", 3, kKindArray}, {"\xE9", 2, kKindInt},
  };
  for (const auto& c : cases) {
    Val t = ValFromCStr(c.token);
    EXPECT_EQ(TokenClassOf(t, t.len ? t.ptr[0] : -1), c.cls) << c.token;
    EXPECT_EQ(NameKind(t), c.kind) << c.token;
  }
  EXPECT_EQ(TokenClassOf(Val(), '('), kClsGroup);
  EXPECT_EQ(NameKind("A@B"_v), kKindNone);
}

TEST_F(ExprTest, BuiltinNamesAreFoundAsWrittenOrInUpperCase) {
  EXPECT_EQ(BuiltinNumber("_#"_v), 1);
  EXPECT_EQ(BuiltinNumber("SQLCHILD"_v), 33);
  EXPECT_EQ(BuiltinNumber("fn$trim"_v), 19);
  EXPECT_EQ(BuiltinNumber("FN$TRIMX"_v), 0);
  EXPECT_EQ(SlotGet(0, kFnSettingsItem).len, kBuiltinNames.len);
  // A list replaced in slot (0, 8) is what names are looked up in; a name found beyond the
  // built-in ones is a call that is refused.
  ScratchScope scope;
  Val list = ValConcat(SlotGet(0, kFnSettingsItem), Val("\0MYFUNC", 7));
  ASSERT_EQ(SlotSet(0, kFnSettingsItem, list), 0);
  EXPECT_EQ(BuiltinNumber("MYFUNC"_v), 34);
  EXPECT_EQ(Eval("MYFUNC(1)"), "E 147 SINTAXERROR");
}

struct PrepCase {
  const char* text;
  Status status;
  const char* want;  // the prepared text, or the detail text on failure
};

TEST_F(ExprTest, PreparationChecksBracketsAndBlanks) {
  const PrepCase cases[] = {
      {"X = 1", 0, "X=1"},
      {" -1", 0, "-1"},
      {"A + 'b c' + \"d e\"", 0, "A+'b c'+\"d e\""},
      {"FN$TRIM( 'x' )", 0, "FN$TRIM('x')"},
      {"A=\t1", 0, "A=1"},
      {"A+ ", 0, "A+"},
      {"X 1", kSyntaxError, " 1"},
      {"A+B ", kSyntaxError, " "},
      {" A", kSyntaxError, " A"},
      {"   ", kSyntaxError, "   "},
      {"'a' 'b'", kSyntaxError, " 'b'"},
      {"(A+B", kLoopFailure, "(A+B"},
      {"A)", kLoopFailure, "A)"},
      {"FN$TRIM('(';'FIT')", 0, "FN$TRIM('(';'FIT')"},
      {"'(' ", kSyntaxError, " "},
      {"'unclosed ( ", 0, "'unclosed ( "},
  };
  for (const PrepCase& c : cases) {
    ErrReport(0, Val(), false);
    ScratchScope scope;
    Val out;
    Status st = ExprPrepare(ValFromCStr(c.text), &out);
    EXPECT_EQ(st, c.status) << c.text;
    EXPECT_EQ(st ? S(ErrDetail()) : S(out), c.want) << c.text;
  }
}

TEST_F(ExprTest, AcceptShortcutsBecomeTheCallsTheyStandFor) {
  const PrepCase cases[] = {
      {"_ACCEPT#(CODE)", 0, "FN#VALN(FN$TRIM(FN$PARM(_$(.envvar;.dialog);CODE);'FIT'))"},
      {"_ACCEPT$(2;9)+'x'", 0, "FN$TRIM(FN$PARM(_$(.envvar;.dialog);2);'FIT')+'x'"},
      {"'_ACCEPT$(1)'", 0, "'_ACCEPT$(1)'"},
      {"_OTHER$(1)", 0, "_OTHER$(1)"},
      {"_ACCEPT#(_ACCEPT#(1))", 0,
       "FN#VALN(FN$TRIM(FN$PARM(_$(.envvar;.dialog);FN#VALN(FN$TRIM(FN$PARM(_$(.envvar;"
       ".dialog);1);'FIT')));'FIT'))"},
  };
  for (const PrepCase& c : cases) {
    ScratchScope scope;
    Val out;
    EXPECT_EQ(ExprPrepare(ValFromCStr(c.text), &out), c.status) << c.text;
    EXPECT_EQ(S(out), c.want) << c.text;
  }
  // A text that the rewriting would carry past 65535 bytes is refused.
  std::string deep;
  for (int i = 0; i < 1500; ++i) deep += "_ACCEPT$(";
  deep += "1" + std::string(1500, ')');
  ScratchScope scope;
  Val out;
  uint16_t mark = ScratchMark();
  EXPECT_EQ(ExprPrepare(ValOf(deep), &out), kStringTooLong);
  EXPECT_EQ(ScratchMark(), mark);
}

}  // namespace
}  // namespace orv
