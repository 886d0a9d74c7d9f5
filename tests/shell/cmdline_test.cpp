// The command line: joining arguments, normalising, reading options; settings keys.
#include <gtest/gtest.h>

#include <vector>

#include "core/pathkeys.h"
#include "core/slots.h"
#include "core/status.h"
#include "shell/cmdline.h"
#include "shell/settings.h"
#include "shell_fixture.h"

namespace orv {
namespace {

using CommandLineTest = ShellTest;

TEST_F(CommandLineTest, OptionValues) {
  struct Case {
    const char* line;
    uint16_t option;
    const char* value;
  } cases[] = {
      {"PROG.EXE /APNAME:gestion /TRACE=256", kOptApName, "GESTION"},
      {"PROG.EXE /APNAME:gestion /TRACE=256", kOptTrace, "256"},
      {"\"/opt/orvale\" /APNAME:ab", kOptApName, "AB"},
      {"\"/opt/orvale\" /apname:ab", kOptApName, "AB"},     // lower case name
      {"\"/opt/orvale\" /ApName:ab", kOptApName, ""},       // mixed case: not found
      {"\"/opt/orvale\" /APNAME:'ab'", kOptApName, "ab"},   // quoted keeps its case
      {"\"/opt/orvale\" -APNAME:ab", kOptApName, "AB"},     // hyphen like a slash
      {"\"/opt/orvale\" --APNAME:ab", kOptApName, ""},      // double hyphen: not found
      {"\"/opt/orvale\" /DPATH:C:\\DATA", kOptDPath, "C"},  // stops at the colon
      {"\"/opt/orvale\" /DPATH:'C:\\Datos Empresa'", kOptDPath, "C:\\Datos Empresa"},
      {"\"/opt/orvale\" /DPATH:\"/srv/Datos Empresa\"", kOptDPath, "/srv/Datos Empresa"},
      {"\"/opt/orvale\" /APNAME=ge/TRACE:1", kOptApName, "GE"},  // "/" ends a value
      {"\"/opt/orvale\" /APNAME=ge/TRACE:1", kOptTrace, "1"},
      {"\"/opt/orvale\" /APNAME=ge&MODE:a,b", kOptMode, "A,B"},
      {"\"/opt/APNAME:x/orvale\" /TRACE:3", kOptApName, ""},  // never inside the path
      {"\"/opt/orvale\"    /RUN:'Reorg'   ", kOptRun, "Reorg"},
      {"\"/opt/orvale\" /RUN:'MantAuto 3,1'", kOptRun, "MantAuto 3,1"},
      {"\"/opt/orvale\" /TRACE:", kOptTrace, ""},
      {"\"/opt/orvale\" /HELP:x /SCRWID:90 /USER:u", kOptScrWid, ""},  // reserved: never read
      {"\"/opt/orvale\" /USER:u", kOptUser, ""},
      {"\"/opt/orvale\" /INPUT:'a b.txt' /APNAME:'x /TRACE:1'", kOptTrace, ""},
      {"APNAME:first /APNAME:second", kOptApName, "FIRST"},  // at the very start
  };
  for (const Case& c : cases) {
    ASSERT_EQ(CommandLineParse(ValFromCStr(c.line)), kOk);
    EXPECT_EQ(S(OptionValue(c.option)), c.value) << c.line;
  }
}

TEST_F(CommandLineTest, NormalisedText) {
  struct Case {
    const char* in;
    const char* stored;
  } cases[] = {
      {"  \"p\"   /A:1\t ", "\"p\" /A:1"},
      {"\"p\" -A:1 --B:2", "\"p\" /A:1 /-B:2"},
      {"\"p\" /A:'x  -y'", "\"p\" /A:'x  -y'"},  // nothing changes inside quotes
      {"-A:1", "-A:1"},
  };
  for (const Case& c : cases) {
    CommandLineParse(ValFromCStr(c.in));
    EXPECT_EQ(S(Setting(1)), c.stored) << c.in;
  }
}

TEST_F(CommandLineTest, JoinedArguments) {
  struct Case {
    std::vector<const char*> args;
    const char* line;
  } cases[] = {
      {{}, "\"\\opt\\orvale\""},
      {{"/APNAME:ge", "-TRACE=273"}, "\"\\opt\\orvale\" /APNAME:ge -TRACE=273"},
      {{"/DPATH:/srv/Datos Empresa"}, "\"\\opt\\orvale\" /DPATH:'/srv/Datos Empresa'"},
      {{"/DPATH:'/srv/Datos Empresa'"}, "\"\\opt\\orvale\" /DPATH:'/srv/Datos Empresa'"},
      {{"/INPUT=lotes/hoy.txt"}, "\"\\opt\\orvale\" /INPUT='lotes/hoy.txt'"},
      {{"/RUN:MantAuto 3,1"}, "\"\\opt\\orvale\" /RUN:'MantAuto 3,1'"},
      {{"/RUN:ExpEval A$=\"it's\""}, "\"\\opt\\orvale\" /RUN:ExpEval A$=\"it's\""},
      {{"two words"}, "\"\\opt\\orvale\" \"two words\""},
      {{"Año"}, "\"\\opt\\orvale\" A\xF1o"},
      {{"/APNAME:ge", ""}, "\"\\opt\\orvale\" /APNAME:ge"},  // a trailing blank is dropped
  };
  for (const Case& c : cases) {
    Val line = CommandLineJoin("\\opt\\orvale"_v, int(c.args.size()), c.args.data());
    EXPECT_EQ(S(line), c.line);
  }
}

TEST_F(CommandLineTest, JoinedPathsSurviveAsOptionValues) {
  const char* args[] = {"/DPATH:/srv/Datos Empresa", "/INPUT:/tmp/lote.txt", "/APNAME:ge"};
  CommandLineParse(CommandLineJoin("\\opt\\orvale"_v, 3, args));
  EXPECT_EQ(S(OptionValue(kOptDPath)), "/srv/Datos Empresa");
  EXPECT_EQ(S(OptionValue(kOptInput)), "/tmp/lote.txt");
  EXPECT_EQ(S(OptionValue(kOptApName)), "GE");
}

TEST_F(CommandLineTest, ModeWords) {
  CommandLineParse("\"p\" /MODE:alfa,beta,GAMMA"_v);
  EXPECT_EQ(OptionHasWord(kOptMode, "BETA"_v), 2);
  EXPECT_EQ(OptionHasWord(kOptMode, "GAMMA"_v), 3);
  EXPECT_EQ(OptionHasWord(kOptMode, "beta"_v), 0);
  EXPECT_EQ(OptionHasWord(kOptMode, "DELTA"_v), 0);
}

TEST_F(CommandLineTest, SettingsKeys) {
  CommandLineParse("\"p\" /X:1"_v);
  SlotSet(0, 2, "GESTION:web"_v);
  SlotSet(0, 3, "Mi Empresa"_v);
  SlotSet(0, 4, "ES"_v);
  SlotSet(0, 5, "\\defs"_v);
  SlotSet(0, 11, " host1 ,'Base',user,\"Pw\""_v);
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"%APNAME%PARINI.%DATABASE_HOST%.DAT", "GEPARINI.HOST1.DAT"},
      {"%APNAME%CLCUSR.%DATABASE_HOST%.%DATABASE_DBNAME%.%DATABASE_USER%.DAT",
       "GECLCUSR.HOST1.Base.USER.DAT"},
      {"'%APDESCRIP%' %LANGMODULE% %DOCPATH%", "'Mi Empresa' ES \\defs"},
      {"%COMMANDLINE%", "\"p\" /X:1"},
      {"%DATABASE_PASSW%/%UNKNOWN%/%DATAPATH%.", "Pw//."},
      {"no keys", "no keys"},
      {"50%", "50%"},
  };
  for (const Case& c : cases) EXPECT_EQ(S(ExpandSettingsKeys(ValFromCStr(c.in))), c.out) << c.in;
  // Through the file layer, after its own keys.
  EXPECT_EQ(S(ExpandPathKeys("%APNAME%report.ppn"_v)), "GEreport.ppn");
}

}  // namespace
}  // namespace orv
