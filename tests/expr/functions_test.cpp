// The built-in functions that need no files: text functions, argument rules, inline
// choices, the environment table, sorted lists, accumulators and SQLCHILD. Each case runs
// in a fresh variable store.
#include <gtest/gtest.h>

#include <string>

#include "core/slots.h"
#include "expr/sysvars.h"
#include "expr_fixture.h"

namespace orv {
namespace {

struct Case {
  const char* expr;
  const char* want;
};

class FunctionTable : public ExprTest {
 protected:
  void Check(const Case* cases, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      ExprShutdown();
      ASSERT_EQ(ExprInit(), 0);
      for (uint16_t g : {5, 9, 30, 37}) SlotClear(g);
      EXPECT_EQ(Eval(cases[i].expr), cases[i].want) << cases[i].expr;
    }
  }
};

TEST_F(FunctionTable, TextFunctions) {
  const Case cases[] = {
      {"FN$TRIM('  ab  ')", "T ab"},            {"FN$TRIM(' \"ab\" ';'FIT')", "T ab"},
      {"FN$TRIM('ab';'FIT')", "T AB"},          {"FN$TRIM(' ab ';'FIT')", "T ab"},
      {"FN$TRIM(' a ';'LEFTTRIM')+'|'", "T a |"}, {"FN$TRIM(' a ';'RIGHTRIM')+'|'", "T  a|"},
      {"FN$TRIM(12.5)", "T 12.5"},              {"FN$TRIM('x';'MIDDLE')", "E 147 SINTAXERROR"},
      {"FN$MIDS('abcdef';2;3)", "T bcd"},       {"FN$MIDS('abcdef';-2)", "T ef"},
      {"FN$MIDS('abcdef';-9;2)", "T ab"},       {"FN$MIDS('abcdef';7)", "T "},
      {"FN$MIDS('abcdef';0;2)", "T ab"},        {"FN$MIDS('abcdef';3;-1)", "T "},
      {"FN$PARM('a,b,c';2)", "T b"},            {"FN$PARM('a;b';2;59)", "T b"},
      {"FN$PARM(\"'x,y',z\";1)", "T 'x,y'"},    {"FN$PARM('a,b';5)", "T "},
      {"FN$PARM('a';1;300)", "E 168 DATAOUTBOUND"},
      {"FN#PARM('a,b,c')", "N 3"},              {"FN#PARM('a,b,c';'c')", "N 3"},
      {"FN#PARM('a,b,c';'d')", "N 0"},          {"FN#PARM('a,b';'b';'10,20')", "N 20"},
      {"FN#PARM('a,b';'x';'10,20')", "N 0"},    {"FN#PARM('1-10,11-20,21-99';15;0)", "N 2"},
      {"FN#PARM('1-10,15,21-99';15;0)", "N 2"}, {"FN#PARM('1-10';'5';0)", "N 1"},
      {"FN#PARM('-5--1,0';-3;0)", "N 1"},       {"FN#PARM('1-10';50;0)", "N 0"},
      {"FN$CHNG('a  b   c';'CLEAN')", "T a b c"}, {"FN$CHNG(\"a  '  ' b\";'CLEAN')", "T a '  ' b"},
      {"FN$CHNG('abc';'FILTER';'ac')", "T ac"}, {"FN$CHNG('x-y';'-';'/')", "T x/y"},
      {"FN$CHNG('a\xF1o';'UCASE')", "T A\xC3\x91O"}, {"FN$CHNG('A\xD1O';'LCASE')", "T a\xC3\xB1o"},
      {"FN$CHNG('abcabc';'FILTER';'abc';'xy')", "T xycxyc"},
      {"FN$CHNG('aabbcc';'FILTER';'aabb';'XY')", "T XYcc"},
      {"FN$CHNG(\"a-'-'\";'-';'+')", "T a+'-'"}, {"FN$CHNG(\"a-'-'\";'-';'+';1)", "T a+'+'"},
      // An empty search text or an empty set neither loops nor divides by zero.
      {"FN$CHNG('abc';'';'x')", "T abc"},       {"FN$CHNG('abc';'FILTER';'')", "T "},
      {"FN$CHNG('abc';'FILTER';'';'xy')", "T abc"}, {"FN$CHNG('abc';'FILTER';'ab';'')", "T abc"},
      {"FN$CHRS(65;3)", "T AAA"},               {"FN$CHRS('ab';2)", "T abab"},
      {"FN$CHRS(65)", "T A"},                   {"FN$CHRS(65;0)", "T "},
      {"FN$CHRS(256)", "E 168 DATAOUTBOUND"},   {"FN$CHRS('abc';30000)", "E 146 STRINGTOOLONG"},
      {"FN#SLEN('abc')", "N 3"},                {"FN#SLEN('')", "N 0"},
      {"ENVELOP$('x')", "T 'x'"},               {"ENVELOP$('x';'(')", "T (x)"},
      {"ENVELOP$('x';'[')", "T [x]"},           {"EXP$('$1_ and $2_';A + B;'q')", "T A+B and 'q'"},
      {"EXP$('$3_ $1_';x)", "T $3_ x"},         {"EXP$('$$1__';y)", "T $y_"},
  };
  Check(cases, std::size(cases));
}

TEST_F(FunctionTable, ArgumentRules) {
  const Case cases[] = {
      {"FN$TRIM()", "E 147 SINTAXERROR"},      {"FN$MIDS('a')", "E 147 SINTAXERROR"},
      {"FN$MIDS('a';1;2;3)", "E 147 SINTAXERROR"},
      {"FN$CHRS(1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1)", "E 147 SINTAXERROR"},
      {"FN#SLEN(5)", "E 128 Tipos Incompatibles"}, {"FN$MIDS('abc';'1')", "E 128 Tipos Incompatibles"},
      {"FN$MIDS('abc';;2)", "T ab"},            {"FN$PARM('a,b';1.5)", "T b"},
      {"FN$PARM('a,b';40000)", "E 155 EXPCALCERROR"},
      {"FN$MIDS(FN$CHRS('xxxx';10000);39999)", "T xx"},
      {"fn$trim(' x ')", "T x"},                {"FN$TRIM(' x '+1)", "E 128 Tipos Incompatibles"},
      {"FN$TRIM(X$=' y ')", "T y"},             {"FN$TRIM((1;'z'))", "T z"},
  };
  Check(cases, std::size(cases));
}

TEST_F(FunctionTable, Choices) {
  const Case cases[] = {
      {"CHK#(1;5;A=1)+A", "N 5"},          {"CHK#(0;A=1;6)+A", "N 6"},
      {"CHK#(0;A=1;B=2;7)+B", "N 9"},      {"CHK#(0;5)", "N 0"},
      {"CHK#(1)", "N 0"},                  {"CHK#(0.4;1;2)", "N 2"},
      {"CHK#(1;'a')", "E 125 Tipo Atipico"}, {"N=CHK#(1;'a')", "E 128 Tipos Incompatibles"},
      {"CHK#('x';1)", "E 128 Tipos Incompatibles"},
      {"CHK$(1;'a';B$='b')+B$", "T a"},    {"CHK$(0;'a';'c')", "T c"},
      {"CHK$(0;'a')", "T "},                {"CHK$(1;)", "T "},
      {"CHK$(1;5)+'x'", "T x"},             {"X$=CHK$(1;5)", "E 128 Tipos Incompatibles"},
      {"CHK#(1;1/0;FN$TRIM(1;'BAD'))", "N 0"},
  };
  Check(cases, std::size(cases));
}

TEST_F(FunctionTable, EnvironmentTable) {
  ASSERT_EQ(SlotSet(kSlotGroupSettings, 1, "\"/bin/orvale\" /APNAME:GE /RUN='Menu X' /MODE=a"_v), 0);
  const Case cases[] = {
      {"_$(30;0;'v')", "T v"},               {"_$(30;0;'v');_$(30;-1);_$(30)", "T "},
      {"_$(30;0;'a');_$(30;0;'b');_$()", "T b"},
      {"_$(30;0;'a');_$(30;0;'b');_$(30;-5);_$()", "T "},
      {"_$(37;0;'a');_$(37;0;'b');_$(37)", "T a"},
      {"_$(37;0;'a');_$(37;0;'b');_$(37;-1);_$(37)", "T b"},
      {"_$(5;3;'x');_$(5;3)", "T x"},        {"_$(5;2)", "T "},
      {"_$(5;-1)", "E 147 SINTAXERROR"},      {"_$(39;0)", "E 159 STROUTBOUND"},
      {"_$(-1;0)", "E 159 STROUTBOUND"},
      {"_$(0;1)", "T \"/bin/orvale\" /APNAME:GE /RUN='Menu X' /MODE=a"},
      {"ENVRON$('APNAME')", "T GE"},          {"ENVRON$('RUN')", "T Menu X"},
      {"ENVRON$('MODE')", "T a"},             {"ENVRON$('NONE')", "T "},
      {"ENVRON$('X';5)", "T "},               {"_$(0;5;'DEFS');ENVRON$('';5)", "T DEFS"},
      // The engine's own slots are read but never written through _$.
      {"_$(0;8)=='';_$(0;8;'X')", "E 175 Permiso denegado"},
      {"_$(0;0;'X')", "E 175 Permiso denegado"},
      {"_$(12;0;'X')", "E 175 Permiso denegado"},
      {"_$(13;0;'X')", "E 175 Permiso denegado"},
      {"_$(35;0;'X')", "E 175 Permiso denegado"},
      {"_$(35;-1)", "E 175 Permiso denegado"},
      {"A=1;_$(12;0)", "T _AUXSTAT,_RELRES,_CURFIL,_CUREDFLD,_DEVHIG,_DEVWID,_DEVLIN,_DEVPOS,"
                       "_DEVPAG,_CURROW,_STAT,_LASTKEY,_SGN,_UPSTAT,_IER,_SYSCOMPAT,_SQLSTK,"
                       "_COUNT,_HCOUNT,_ADMSTAT,_COMPAT,_SCRSTAT,_LMAX,_LNUM,_LLST,_HNUM,_SAFE,"
                       "_LB,_AUX,_KEYMAP,_SERIAL,_TRACE,_PRECIS,_BYEAR,_BKYEAR,_DX,_INHND,"
                       "_OUTHND,_DATE,_DOCST,_WMAXROW,_USER01,_USER02,_USER03,A"},
      {"_ACCEPT$(2)", "T "},
  };
  Check(cases, std::size(cases));
  // The shortcuts read the value list of the running dialog.
  ASSERT_EQ(SlotSet(9, 7, "a, 'b c' ,12.5"_v), 0);
  EXPECT_EQ(Eval("_ACCEPT$(2)+'|'+_ACCEPT$(1)"), "T b c|A");
  EXPECT_EQ(Eval("_ACCEPT#(3)*2"), "N 25");
  // The function list cannot be replaced, so every name keeps its function.
  EXPECT_EQ(Eval("_$(0;8;'X')"), "E 175 Permiso denegado");
  EXPECT_EQ(Eval("FN$TRIM(' y ')"), "T y");
}

TEST_F(FunctionTable, SortedLists) {
  const Case cases[] = {
      {"SORT$('c,a,b')", "T a,b,c"},             {"SORT$('c,a,b';2)", "T c,b,a"},
      {"SORT$('b,a,b,a';1)", "T a,b"},           {"SORT$('bb,a,ccc')", "T a  ,bb ,ccc"},
      {"SORT$('bb,a,ccc';128)", "T a,bb,ccc"},   {"SORT$('')", "T "},
      {"SORT$(\"'x,y',a\")", "T 'x,y',a    "},
      {"FN$CHNG(SORT$('b'+FN$CHRS(0)+'a';64);FN$CHRS(0);'|')", "T a|b"},
      {"H$=SORT$('NEW';3;1);H$=SORT$('ADD';H$;'b2');H$=SORT$('ADD';H$;'a9');"
       "H$=SORT$('ADD';H$;'b1');H$=SORT$('MOVE';H$;'TOP');A$=SORT$('GET';H$);"
       "H$=SORT$('MOVE';H$;'NXT');A$=A$+SORT$('GET';H$);H$=SORT$('MOVE';H$;'NXT');"
       "A$+SORT$('GET';H$)",
       "T a9 b2 b1 "},
      {"H$=SORT$('NEW';1;2;1);H$=SORT$('ADD';H$;'x1');H$=SORT$('ADD';H$;'x2');"
       "H$=SORT$('MOVE';H$;'BOT');SORT$('GET';H$)",
       "T x1"},
      {"H$=SORT$('NEW';2;2;2);H$=SORT$('ADD';H$;'a');H$=SORT$('ADD';H$;'c');"
       "H$=SORT$('ADD';H$;'b');H$=SORT$('MOVE';H$;'TOP');SORT$('GET';H$)",
       "T c "},
      {"H$=SORT$('NEW';2);H$=SORT$('ADD';H$;'a');H$=SORT$('MOVE';H$;'NXT');_IER", "N 0"},
      {"H$=SORT$('NEW';2);H$=SORT$('ADD';H$;'a');H$=SORT$('MOVE';H$;'TOP');"
       "H$=SORT$('MOVE';H$;'NXT');_IER*10+FN#SLEN(SORT$('GET';H$))",
       "N 22"},
      {"H$=SORT$('NEW';2);H$=SORT$('MOVE';H$;'TOP');_IER+FN#SLEN(SORT$('GET';H$))", "N 2"},
      {"H$=SORT$('NEW';2);SORT$('ADD';H$;'abc')", "E 163 de Datos"},
      {"H$=SORT$('NEW';2);SORT$('MOVE';H$;'UP')", "E 147 SINTAXERROR"},
      {"SORT$('GET';'short')", "E 147 SINTAXERROR"},
      {"SORT$('NEW';0)", "E 147 SINTAXERROR"},
      {"SORT$('ADD';'x')", "E 147 SINTAXERROR"},
      {"SORT$(5)", "E 128 Tipos Incompatibles"},
      // Forged, stale and killed handles are refused.
      {"SORT$('GET';'SORT0000000000000001FFFF')", "E 135 VARHANDLERROR"},
      {"SORT$('GET';'XXXXXXXXXXXXXXXXXXXXXXXX')", "E 135 VARHANDLERROR"},
      {"H$=SORT$('NEW';2);SORT$('KILL';H$);SORT$('GET';H$)", "E 135 VARHANDLERROR"},
      {"H$=SORT$('NEW';2);SORT$('KILL';H$);G$=SORT$('NEW';2);SORT$('ADD';H$;'a')",
       "E 135 VARHANDLERROR"},
      {"H$=SORT$('NEW';2);H$=FN$MIDS(H$;1;8)+'000000000000'+FN$MIDS(H$;21);SORT$('GET';H$)",
       "E 135 VARHANDLERROR"},
      {"H$=SORT$('NEW';2);SORT$('GET';FN$MIDS(H$;1;20)+'0000')", "T "},
  };
  Check(cases, std::size(cases));
  // The table of lists is bounded; a killed list frees its place.
  ExprShutdown();
  ASSERT_EQ(ExprInit(), 0);
  EXPECT_EQ(Eval("FN#ACUM(FN#SLEN(H$=SORT$('NEW';1));I;1;1024)"), "N 24576");
  EXPECT_EQ(Eval("SORT$('NEW';1)"), "E 176 StructMemError");
  EXPECT_EQ(Eval("SORT$('KILL';H$);FN#SLEN(SORT$('NEW';1))"), "N 24");
}

TEST_F(FunctionTable, Accumulators) {
  const Case cases[] = {
      {"_#(3)", "N 0"},                         {"_#(2)=5;_#(2)+_#(1;1)", "N 10"},
      {"_#(1)=1;_#(2)=2;_#(256)=3;_#(1)+_#(2)+_#(256)", "N 6"},
      {"_#(0)=1.5;_#(0)", "N 1.5"},             {"_#(300)=1;_#(300)", "N 1"},
      {"_#('DIM';3);_#(4)", "E 168 DATAOUTBOUND"},
      {"_ACUMX$='NET,TAX';_#('TAX')=7;_#(1)", "N 7"},
      {"_ACUMX$='NET,TAX';_#('NET';1)=2;_#('TAX')", "N 2"},
      {"_ACUMX$='NET';_#('OTHER')", "N 0"},     {"_#(-1)", "E 168 DATAOUTBOUND"},
      {"_#(1)=1;_#(2)=2;_#(3)=3;_#('CLS';3;2);_#(1)+_#(2)+_#(3)", "N 4"},
      {"_#(1)=1;_#(2)=2;_#('CLS');_#(1)+_#(2)", "N 0"},
      {"_#('CLS')", "N 0"},                     {"_#(1)='x'", "E 128 Tipos Incompatibles"},
      {"FN#ACUM(I;I;1;4)", "N 10"},             {"FN#ACUM((I*2);(I);(1);(3))", "N 12"},
      {"FN#ACUM(I;I;5;4)", "N 0"},              {"FN#ACUM(1;I#;1;4)", "E 147 SINTAXERROR"},
      {"FN#ACUM('2.5';I;1;2)", "N 5"},          {"FN#ACUM(1/0;I;1;32767)", "E 155 EXPCALCERROR"},
      {"N=0;FN#ACUM(N;(N=N+1)<5;(N=N+1)<5)", "N 10"},  {"FN#ACUM(5;0)", "N 0"},
      {"FN#ACUM(5)", "N 5"},                    {"N=3;FN#ACUM(N;N>0;(N=N-1)>0)", "N 6"},
      {"FN#ACUM(1;1;0)", "N 1"},              {"FN#ACUM(X;1;2;3;4;5)", "E 147 SINTAXERROR"},
      {"FN#ACUM(1;I;1;'x')", "E 128 Tipos Incompatibles"},
  };
  Check(cases, std::size(cases));
  // A loop whose condition never turns false, or whose body resets its counter, ends.
  g_expr.loop_limit = 50;
  EXPECT_EQ(Eval("FN#ACUM(1;1)"), "E 129 Fallo de loop");
  EXPECT_EQ(Eval("FN#ACUM(I=1;I;1;3)"), "E 129 Fallo de loop");
  EXPECT_EQ(Eval("FN#ACUM(1;I;1;50)"), "N 50");
}

TEST_F(FunctionTable, SqlChild) {
  const Case cases[] = {
      {"_CURROW=5;_IER=3;SQLCHILD(A=_SQLSTK;B=_CURROW;_IER=9)+_CURROW*100+_IER*10+A+B",
       "N 531"},
      {"_SQLSTK=6;SQLCHILD(A=_SQLSTK;1;1)+A", "N 7"},
      {"_SQLSTK=7;SQLCHILD(1;1;1)", "E 159 STROUTBOUND"},
      {"SQLCHILD(1;1)", "E 147 SINTAXERROR"},
  };
  Check(cases, std::size(cases));
  EXPECT_EQ(Eval("SQLCHILD(FN$TRIM(1;'BAD');1;1)"), "E 147 SINTAXERROR");
  EXPECT_EQ(Eval("_SQLSTK"), "N 0");
}

TEST_F(FunctionTable, RawValues) {
  std::string line;
  const Case cases[] = {
      {"A$='x';FN$FLDS(A$)", "T x"},          {"N=7;FN$FLDS(N)", "T 7"},
      {"X#=1.25;FN$FLDS(X#)", "T 1.25"},      {"FN$FLDS(_PRECIS)", "T 2"},
      {"FN$FLDS(NOPE)", "E 147 SINTAXERROR"}, {"FN$FLDS(A+1)", "E 147 SINTAXERROR"},
      {"FN$FLDS('lit')", "E 147 SINTAXERROR"}, {"_#(2)=4;FN$FLDS(_#(2))", "E 147 SINTAXERROR"},
      {"B(1)+0;B(1)=3;FN$FLDS(B(1))", "T 3"}, {"FN$FLDS(CLI{1})", "E 169 FILENOTINIT"},
      {"FN$FLDS(FN$TRIM(1))", "E 147 SINTAXERROR"},
  };
  Check(cases, std::size(cases));
  // A name the variables do not know is asked of the name hook.
  NameHookInstall([](Val name, int) { return name.sv() == "_SCREEN$" ? "shown"_v : ValError(163); });
  EXPECT_EQ(Eval("FN$FLDS(_SCREEN$)"), "T shown");
  EXPECT_EQ(Eval("FN$FLDS(_OTHER$)"), "E 147 SINTAXERROR");
}

}  // namespace
}  // namespace orv
