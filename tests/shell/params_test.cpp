// Parameter names, parameter records and parameter values.
#include <gtest/gtest.h>

#include "core/slots.h"
#include "core/status.h"
#include "shell/params.h"
#include "shell_fixture.h"

namespace orv {
namespace {

using ParamsTest = ShellTest;

TEST_F(ParamsTest, ParameterNames) {
  struct Case {
    uint16_t number;
    const char* name;
  } cases[] = {
      {1, "MODULES$"},   {2, "MENU$"},   {9, "STATMSG$"}, {10, ""},        {11, "SCREENSIZE$"},
      {29, "VOIDMODE%"}, {30, ""},       {31, "NUMCAB$"}, {51, "FD$"},     {67, "IK$(3)"},
      {68, ""},          {71, "ATEND$"}, {81, "WD"},      {91, "DEVICE$"}, {101, "ACCEPT_PRC%"},
      {116, "STRUCT$"},  {117, ""},      {0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(S(ParameterName(c.number)), c.name) << c.number;
  SlotSet(kParamObjectGroup, kParamObjectItem, "CLI,FAC"_v);
  SystemIntSet(kVarAux, 2);
  EXPECT_EQ(S(ParameterName(51)), "FAC.FD$");
}

TEST_F(ParamsTest, RecordsAreReadJoinedAndStacked) {
  Put("PANT.PPN",
      " 1 FD$=NOMBRE$,CIF$\r\n"
      " 2 FD$=OTRO$\r\n"
      " 1 ALARM$=\"A$<>'':B$\"\r\n"
      "01 RELOPT%=3\r\n");
  ASSERT_EQ(ParamRecordOpen("PANT.PPN"_v, 1, 1), kOk);
  EXPECT_EQ(S(ParamRecord()), "FD$=NOMBRE$,CIF$:ALARM$=\"A$<>'':B$\":RELOPT%=3");
  EXPECT_EQ(SlotCount(kSlotGroupQueueLines), 0);
  EXPECT_EQ(ParamRecordOpen("PANT.PPN"_v, 1, 7), kNone);
  EXPECT_EQ(ParamRecordOpen("NONE.PPN"_v, 1, 1), kNone);
  EXPECT_EQ(SlotCount(kParamRecordGroup), 1);
  ASSERT_EQ(ParamRecordOpenOrEmpty("PANT.PPN"_v, 1, 7), kOk);
  EXPECT_EQ(S(ParamRecord()), "");
  ParamRecordClose();
  EXPECT_EQ(S(ParameterValue(51, 0)), "NOMBRE$,CIF$");
  EXPECT_EQ(S(ParameterValue(51, 2)), "CIF$");
  EXPECT_EQ(S(ParameterValue(52, kNone)), "A$<>'':B$");
  EXPECT_EQ(S(ParameterValue(22, 0)), "3");  // RELOPT%
  EXPECT_EQ(S(RecordValue("FD$"_v)), "NOMBRE$,CIF$");
  ParamRecordClose();
  EXPECT_EQ(SlotCount(kParamRecordGroup), 0);
}

// Reads variables from a fixed table, recording the names asked for.
std::string g_asked;
Val FakeVariable(Val name) {
  g_asked += name.str() + ";";
  if (name.sv() == "COND$") return ValCopy("X>1"_v);
  return ValCopy(Val());
}

TEST_F(ParamsTest, AbsentParametersAreReadFromVariables) {
  g_shell.hooks.variable_text = FakeVariable;
  g_asked.clear();
  SlotPush(kParamRecordGroup, "FD$=A$"_v);
  EXPECT_EQ(S(ParameterValue(74, 0)), "X>1");  // COND$
  EXPECT_EQ(S(ParameterValue(22, 0)), "");     // RELOPT% reads RELOPT
  EXPECT_EQ(S(ParameterValue(65, 0)), "");     // IK$(1): the record only
  EXPECT_EQ(g_asked, "COND$;RELOPT;");
}

TEST_F(ParamsTest, ObjectPrefixFallsBackToThePlainName) {
  SlotSet(kParamObjectGroup, kParamObjectItem, "CLI"_v);
  SystemIntSet(kVarAux, 1);
  SlotPush(kParamRecordGroup, "CLI.FD$=A$:WRITE$=B"_v);
  EXPECT_EQ(S(ParameterValue(51, 0)), "A$");
  EXPECT_EQ(S(ParameterValue(16, 0)), "B");
}

TEST_F(ParamsTest, MenuKeysStandInOnlyWhileAMenuIsBuilt) {
  SlotPush(kParamRecordGroup, "MODULO$=Ventas:OPTIONS$=Facturas,Clientes:MODULOS$=2,3"_v);
  EXPECT_EQ(S(ParameterValue(kParamMenu, 0)), "");
  EXPECT_EQ(S(ParameterValue(kParamCaller, 0)), "");
  SystemBitsSet(kVarCompat, kCompatMenuBuild, true);
  EXPECT_EQ(S(ParameterValue(kParamMenu, 0)), "Ventas,Facturas,Clientes");
  EXPECT_EQ(S(ParameterValue(kParamCaller, 0)), "2,3");
  SlotPush(kParamRecordGroup, "SUBMENU$=Sub,A:MODULO$=Ventas"_v);
  EXPECT_EQ(S(ParameterValue(kParamMenu, 0)), "Sub,A");
}

}  // namespace
}  // namespace orv
