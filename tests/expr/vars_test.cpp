// The variable store, system variables, marks, hooks and arrays.
#include <gtest/gtest.h>

#include <string>

#include "core/block.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "expr/arrays.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/sysvars.h"
#include "expr/varstore.h"
#include "expr_fixture.h"

namespace orv {
namespace {

TEST_F(ExprTest, SystemVariablesHaveTheirNumbersAndDefaults) {
  struct {
    const char* name;
    uint16_t number;
    int16_t value;
  } cases[] = {
      {"_AUXSTAT", kSysAuxStat, 0}, {"_DEVHIG", kSysDevHig, 24}, {"_DEVWID", kSysDevWid, 80},
      {"_LASTKEY", kSysLastKey, 4}, {"_UPSTAT", kSysUpStat, 1},  {"_LB", kSysLB, 128},
      {"_TRACE", kSysTrace, 1},     {"_PRECIS", kSysPrecis, 2},  {"_BYEAR", kSysBYear, 2000},
      {"_BKYEAR", kSysBKYear, 80},  {"_USER03", kSysUser03, 0},  {"_WMAXROW", kSysWMaxRow, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VarFind(ValFromCStr(c.name)), c.number) << c.name;
    EXPECT_EQ(SysGet(c.number), c.value) << c.name;
  }
  EXPECT_EQ(VarCount(kKindInt), kSysIntCount);
  EXPECT_EQ(VarFind("_ACUM$"_v), kSysAcum);
  EXPECT_EQ(VarFind("_LTEXT$"_v), kSysLText);
  EXPECT_EQ(Eval("_USER01=7;_USER01"), "N 7");
  EXPECT_EQ(SysGet(kSysUser01), 7);
  SysRecordCounterSet(70000);
  EXPECT_EQ(SysGet(kSysCount), 4464);
  EXPECT_EQ(SysGet(kSysHCount), 1);
  EXPECT_EQ(SysRecordCounter(), 70000);
  EXPECT_TRUE(SysTestBits(kSysUpStat, 1));
  EXPECT_EQ(SysSetBits(kSysAuxStat, 128, true), 0);
  EXPECT_EQ(Eval("_AUXSTAT"), "N 128");
}

TEST_F(ExprTest, NamesLiveInTheSlotStoreAndReadingCreatesNothing) {
  Val ints = SlotGet(kNameGroup, 0);
  std::string before = S(ints);
  EXPECT_EQ(Eval("X"), "N 0");
  EXPECT_EQ(Eval("X$"), "T ");
  EXPECT_EQ(Eval("X#"), "N 0");
  EXPECT_EQ(S(SlotGet(kNameGroup, 0)), before);
  EXPECT_EQ(VarFind("X"_v), kNone);
  EXPECT_EQ(Eval("a=1;A=2;B$='x';a"), "N 1");
  EXPECT_EQ(S(SlotGet(kNameGroup, 0)), before + ",a,A");
  EXPECT_EQ(S(SlotGet(kNameGroup, 2)), "_ACUM$,_ACUMX$,_LTEXT$,B$");
  EXPECT_EQ(S(SlotGet(kTextGroup, 3)), "x");
  EXPECT_EQ(S(VarName(kKindInt, VarFind("A"_v))), "A");
}

TEST_F(ExprTest, TextConstantsAreReadOnly) {
  EXPECT_EQ(Eval("A$=.lf$;A$"), "T \r\n");
  EXPECT_EQ(Eval(".lf$='x'"), "T x");
  EXPECT_NE(VarFind(".lf$"_v), kNone);
  EXPECT_EQ(Eval(".lf$"), "T \r\n");
  EXPECT_EQ(Eval(".LF$"), "T ");
}

TEST_F(ExprTest, AssignRefusesNamesOfNoScalarKind) {
  ScratchScope scope;
  ASSERT_EQ(PushNumber(100), 0);
  Val one = ScratchTop();
  EXPECT_EQ(VarAssign("A@B"_v, one), kSyntaxError);
  EXPECT_EQ(VarAssign("A("_v, one), kSyntaxError);
  EXPECT_EQ(VarAssign("N"_v, "text"_v), kIncompatibleTypes);
  EXPECT_EQ(VarRead("A@B"_v), kSyntaxError);
  EXPECT_EQ(VarAssignInt("N"_v, 7), 0);
  EXPECT_EQ(IntVarGet(VarFind("N"_v)), 7);
}

TEST_F(ExprTest, MarksRemoveWhatWasCreatedAfterThem) {
  EXPECT_EQ(Eval("KEEP=1;KEEP#=1;KEEPA(2);KEEP$='k'"), "T k");
  VarMark mark = VarMarkSave();
  uint16_t live = g_rt.blocks.live;
  EXPECT_EQ(Eval("T1=1;T1$='x';T1#=2;KEEP=5;R(3)=4"), "N 4");
  EXPECT_EQ(Eval("R(3)+1"), "N 5");
  EXPECT_EQ(g_rt.blocks.live, live + 1);  // R's data
  EXPECT_EQ(VarMarkRestore(mark), 0);
  EXPECT_EQ(g_rt.blocks.live, live);
  for (Val name : {"T1"_v, "T1$"_v, "T1#"_v, "R("_v}) EXPECT_EQ(VarFind(name), kNone) << S(name);
  EXPECT_EQ(Eval("KEEP"), "N 5");
  EXPECT_EQ(Eval("KEEP$"), "T k");
  EXPECT_EQ(Eval("T1$=T1$+'y'"), "T y");
  // A list cut behind the mark's back cannot be restored.
  VarMark later = VarMarkSave();
  ASSERT_EQ(SlotSet(kNameGroup, 0, "_AUXSTAT"_v), 0);
  EXPECT_EQ(VarMarkRestore(later), kInternal);
}

TEST_F(ExprTest, VPairLookupReadsTheVariableOfAVField) {
  char letter = 0;
  int16_t width = 0;
  EXPECT_EQ(VPairLookup(30, &letter, &width), kVariableScreenField);
  EXPECT_EQ(Eval("_V30$='A30'"), "T A30");
  EXPECT_EQ(VPairLookup(30, &letter, &width), 0);
  EXPECT_EQ(letter, 'A');
  EXPECT_EQ(width, 30);
}

TEST_F(ExprTest, HookSlots) {
  HookFn any = reinterpret_cast<HookFn>(+[] {});
  EXPECT_EQ(HookInstall(24, any), 24);
  EXPECT_EQ(HookInstall(25, any), kHookRefused);
  EXPECT_EQ(HookGet(24), any);
  EXPECT_EQ(HookGet(25), nullptr);
  EXPECT_EQ(ProcRunner(), nullptr);
}

// A screen layer's name hook: serves _SCR$, _SCRN and _SCRN# and refuses other names.
std::string g_written;
Val ScreenHook(Val name, int mode) {
  std::string n = name.str();
  if (n != "_SCR$" && n != "_SCRN" && n != "_SCRN#") return ValError(kDataError);
  if (mode == kHookWrite) {
    g_written = n + "=" + (n == "_SCR$" ? ScratchTop().str() : std::to_string(NumberOf(ScratchTop())));
    return Val();
  }
  return n == "_SCR$" ? "abc"_v : n == "_SCRN" ? "12"_v : "1.5"_v;
}

TEST_F(ExprTest, NameHookServesSystemNamesFirst) {
  NameHookInstall(ScreenHook);
  EXPECT_EQ(Eval("_SCR$+'!'"), "T abc!");
  EXPECT_EQ(Eval("_SCRN*2"), "N 24");
  EXPECT_EQ(Eval("_SCRN#"), "N 1.5");
  EXPECT_EQ(Eval("_SCR$='z'"), "T z");
  EXPECT_EQ(g_written, "_SCR$=z");
  EXPECT_EQ(Eval("_SCRN=3"), "N 3");
  EXPECT_EQ(g_written, "_SCRN=300");
  EXPECT_EQ(VarFind("_SCR$"_v), kNone);
  // Names the hook refuses are ordinary variables.
  EXPECT_EQ(Eval("_USER02=4;_USER02"), "N 4");
  EXPECT_EQ(Eval("_OTHER$='q';_OTHER$"), "T q");
}

// Arrays.

// An element on the left of '=' is read first, which makes a missing array; writing to an
// array that does not exist (149) is left to callers of ArrayWrite.
TEST_F(ExprTest, ArrayElementsAreNumberedRowMajor) {
  const int32_t one[] = {1};
  EXPECT_EQ(ArrayWrite("Z("_v, one, 1, "12345678"_v, false), kDimStructError);
  EXPECT_EQ(Eval("A(2;3)"), "N 0");
  ArrayDesc* a = ArrayFind("A("_v);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->dims, 2);
  EXPECT_EQ(a->total, 12);
  EXPECT_EQ(Eval("A(1;1)=5;A(0;5)"), "N 5");
  EXPECT_EQ(Eval("A(2;3)=7;A(2;3)+A(11)"), "N 14");
  const struct {
    const char* expr;
    const char* want;
  } cases[] = {
      {"A(2;4)", "E 168 DATAOUTBOUND"},    {"A(-1;0)", "E 168 DATAOUTBOUND"},
      {"A(0;-1)=1", "E 168 DATAOUTBOUND"}, {"A(1;1;1)", "E 168 DATAOUTBOUND"},
      {"A(40000)", "E 168 DATAOUTBOUND"},  {"A(1;1;1;1;1)", "E 149 DIMSTRUCERROR"},
      {"A('x')", "E 128 Tipos Incompatibles"}, {"A(1)='x'", "E 128 Tipos Incompatibles"},
      {"B(300;300)", "E 149 DIMSTRUCERROR"}, {"B(0)", "E 147 SINTAXERROR"},
      {"B(-3)", "E 168 DATAOUTBOUND"},     {"Z(1)=3;Z(1)", "N 3"},
      {"N(5)=0;N(1)=2.7;N(1)", "N 2"},     {"N(1)=-2.7;N(1)", "N -2"},
      {"N(1)=40000", "E 155 EXPCALCERROR"}, {"X#(3)=0;X#(2)=1.25;X#(2)*2", "N 2.5"},
      {"C(32767)", "N 0"},                 {"D(255;255)", "E 149 DIMSTRUCERROR"},
      {"E(1;1;1;1)=6;E(15)", "N 6"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.expr), c.want) << c.expr;
}

TEST_F(ExprTest, TextArraysTakeTheirModelFromTheArgumentStack) {
  EXPECT_EQ(Eval("U$(2)"), "E 147 SINTAXERROR");
  ASSERT_EQ(SlotPush(kArgStackGroup, "abc"_v), 0);
  EXPECT_EQ(Eval("T$(3)"), "T abc");
  EXPECT_EQ(SlotCount(kArgStackGroup), 0);
  ArrayDesc* a = ArrayFind("T$("_v);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->total, 4);
  EXPECT_EQ(a->elem_size, 3);
  EXPECT_EQ(Eval("T$(1)='xy';T$(1)"), "T xyc");
  EXPECT_EQ(Eval("T$(1)='12345';T$(1)+T$(0)"), "T 123abc");
  EXPECT_EQ(Eval("T$(2)=5"), "E 128 Tipos Incompatibles");
}

TEST_F(ExprTest, ArrayDimensioningChecksItsSizes) {
  const int32_t two[] = {2, 3};
  const int32_t five[] = {1, 1, 1, 1, 1};
  const int32_t big[] = {300};
  EXPECT_EQ(ArrayDim("A("_v, five, 5, Val()), kDimStructError);
  EXPECT_EQ(ArrayDim("A(("_v, two, 2, Val()), kIncompatibleTypes);
  EXPECT_EQ(ArrayDim("A$("_v, two, 2, Val()), kSyntaxError);
  std::string model(65535, 'm');
  EXPECT_EQ(ArrayDim("A$("_v, big, 1, ValOf(model)), kDimStructError);
  EXPECT_EQ(ArrayDim("A$("_v, two, 2, "ab"_v), 0);
  EXPECT_EQ(Eval("A$(2;3)"), "T ab");
  // Dimensioning again replaces the array and frees its old data.
  uint16_t live = g_rt.blocks.live;
  EXPECT_EQ(ArrayDim("A$("_v, big, 1, "q"_v), 0);
  EXPECT_EQ(g_rt.blocks.live, live);
  EXPECT_EQ(Eval("A$(300)"), "T q");
  const int32_t at[] = {4};
  EXPECT_EQ(ArrayDim("S#("_v, at, 1, Val()), 0);
  EXPECT_EQ(ArrayAdd("S#("_v, at, 1, 250), 0);
  EXPECT_EQ(ArrayAdd("S#("_v, at, 1, 250), 0);
  EXPECT_EQ(Eval("S#(4)"), "N 5");
  EXPECT_EQ(ArrayAdd("S#("_v, at, 1, INT64_MAX), kExpCalcError);
  EXPECT_EQ(ArrayAdd("A$("_v, at, 1, 1), kIncompatibleTypes);
}

// A document layer's indexed-name hook: serves _LN( and refuses other names.
std::string g_indexed;
Val LinesHook(Val name, int16_t first, int mode) {
  if (name.str() != "_LN") return ValError(kDataError);
  if (mode == kHookWrite) {
    g_indexed = "_LN(" + std::to_string(first) + ")=" + std::to_string(NumberOf(ScratchTop()));
    return Val();
  }
  return first == 3 ? "7"_v : "0"_v;
}

TEST_F(ExprTest, IndexedHookServesSubscriptedSystemNames) {
  IndexedHookInstall(LinesHook);
  EXPECT_EQ(Eval("_LN(3)+1"), "N 8");
  EXPECT_EQ(Eval("_LN(2)=5"), "N 5");
  EXPECT_EQ(g_indexed, "_LN(2)=500");
  EXPECT_EQ(Eval("_Q(2)=5"), "N 5");
  EXPECT_EQ(ArrayFind("_Q("_v)->total, 3);
}

}  // namespace
}  // namespace orv
