// The process entry's parts: initialisation, opening, the start menu, batch input, the RUN
// option, the language variables and the exit-code rule.
#include <gtest/gtest.h>

#include <string>

#include "core/folders.h"
#include "core/runtime.h"
#include "core/slots.h"
#include "core/status.h"
#include "data/dict.h"
#include "data/state.h"
#include "expr/execute.h"
#include "expr/state.h"
#include "shell/applayer.h"
#include "shell/bindings.h"
#include "shell/cmdline.h"
#include "shell/engine.h"
#include "shell/language.h"
#include "shell/logs.h"
#include "shell/maintscreen.h"
#include "shell/menus.h"
#include "shell/params.h"
#include "shell/tasks.h"
#include "shell_fixture.h"

namespace orv {
namespace {

using EngineTest = ShellTest;

std::string g_events;
Status g_event_result;
Status Callback(int event) {
  g_events += std::to_string(event) + ";";
  return (event & 0xF) == 3 ? g_event_result : 0;
}

TEST_F(EngineTest, ExitCodeRule) {
  struct Case {
    bool callback;
    Status callback_result, run, exit_code;
  } cases[] = {
      {false, 0, 0, 0},     {false, 0, 5, 0},     {false, 0, 122, 0},  {false, 0, 127, 0},
      {false, 0, 128, 128}, {false, 0, 164, 164}, {true, 164, 0, 164},  // a run status of 0 takes
                                                                        // the callback's result
      {true, 164, 5, 0},    {true, 0, 163, 163},
  };
  for (const Case& c : cases) {
    if (!g_rt.running) {
      ASSERT_EQ(RuntimeInit(), kOk);
    }
    g_events.clear();
    g_event_result = c.callback_result;
    EXPECT_EQ(EngineExit(c.callback ? Callback : nullptr, c.run), c.exit_code)
        << c.callback << " " << c.callback_result << " " << c.run;
    EXPECT_EQ(g_events, c.callback ? "3;" : "");
    EXPECT_FALSE(g_rt.running);
  }
  ASSERT_EQ(RuntimeInit(), kOk);
}

TEST_F(EngineTest, InitialisationStoresConventionsAndTheCommandLine) {
  RuntimeFreeAll();
  g_files.exe_path = "/opt/orvale/bin/orvale";
  const char* argv[] = {"orvale", "/APNAME:ge", "-TRACE=16", "/DPATH:/srv/Datos Empresa"};
  g_events.clear();
  ASSERT_EQ(EngineInit(4, argv, "ORV13:Orvale"_v, "T\xEDtulo"_v, 2, Callback), kOk);
  EXPECT_EQ(g_events, "33;34;");  // 16 * open flags + 1, then + 2
  EXPECT_EQ(S(Setting(1)),
            "\"\\opt\\orvale\\bin\\orvale\" /APNAME:ge /TRACE=16 /DPATH:'/srv/Datos Empresa'");
  EXPECT_EQ(S(Setting(0)), std::string(",.'0123456789,-D',' NS','  ,NO,SI'") + '\0' +
                               "'Enero,Febrero,Marzo,Abril,Mayo,Junio,Julio,Agosto,Septiembre,"
                               "Octubre,Noviembre,Diciembre','[D] de [M] de [Y]'" +
                               '\0' + " ");
  EXPECT_EQ(S(Setting(2)), "GE");
  EXPECT_EQ(S(Setting(3)), "T\xEDtulo");
  EXPECT_EQ(S(Setting(4)), "ES");
  EXPECT_EQ(S(Setting(5)), "\\opt\\orvale\\bin");
  EXPECT_EQ(S(Setting(7)), "\\opt\\orvale\\bin\\Help");
  EXPECT_EQ(TraceWord(), 17);
  EXPECT_EQ(g_rt.message, MessageText);
  EXPECT_EQ(g_files.expand_settings, ExpandSettingsKeys);
}

TEST_F(EngineTest, IdentityKeepsItsSecondFieldAndDefaultsToTheClassName) {
  CommandLineParse("\"p\""_v);
  SlotSet(0, 2, "OLD:ayuda-web"_v);
  SlotSet(0, 4, "EN"_v);
  ASSERT_EQ(ApplicationOpen("ORV13:Orvale"_v, Val(), 2, nullptr), kOk);
  EXPECT_EQ(S(Setting(2)), "ORV13:Orvale:ayuda-web");
  EXPECT_EQ(S(Setting(4)), "EN");  // a language set earlier stays
  EXPECT_EQ(TraceWord(), 1);
}

TEST_F(EngineTest, OpeningStopsAtAFailingCallback) {
  CommandLineParse("\"p\""_v);
  EXPECT_EQ(ApplicationOpen("C"_v, Val(), 2, AppCallbackEvent), kCancelled);  // no choice
  EXPECT_EQ(S(Setting(2)), "");
  EXPECT_EQ(Shown().size(), 1u);  // the chooser was offered
}

TEST_F(EngineTest, ChosenApplicationGetsItsFolders) {
  Put("GE/data/GEDICC.DAT", "");
  CommandLineParse("\"p\""_v);
  Answers("=ge");
  ASSERT_EQ(AppCallbackEvent(33), kOk);
  EXPECT_EQ(S(Setting(1)), "\"p\" /APNAME:GE");  // the folder's own name
  EXPECT_EQ(S(FolderCurrent()), EnginePathOf("GE\\datas"));
  EXPECT_EQ(S(Setting(5)), EnginePathOf("GE\\data"));
  EXPECT_TRUE(SystemBits(kVarAuxStat, kAuxFolderPrepared));
}

TEST_F(EngineTest, StartMenuName) {
  SlotSet(0, 2, "GE"_v);
  SlotSet(0, 5, ValOf(EnginePathOf("defs")));
  struct Case {
    const char* line;
    const char* file;  // created in the definition folder; empty: none
    const char* menu;
  } cases[] = {
      {"\"p\"", "", ""},
      {"\"p\"", "GEMENU.PMT", "GEMENU"},
      {"\"p\"", "GEMENU.PPN", "GEMENU"},
      {"\"p\" /APSTART:'VENTAS,2'", "VENTAS.PPN", "VENTAS,2"},
      {"\"p\" /APSTART:VENTAS", "GEMENU.PMT", ""},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(root_ / "defs");
    if (*c.file) Put(std::string("defs/") + c.file, "A,Reorg\r\n");
    CommandLineParse(ValFromCStr(c.line));
    EXPECT_EQ(S(StartMenuName(Val())), c.menu) << c.line << " " << c.file;
  }
}

std::string g_ran;
int16_t g_inhnd;
Status Record(uint32_t code, Val params) {
  g_ran += std::to_string(TaskIndexOf(code)) + ":" + params.str() + ";";
  g_inhnd = SystemInt(kVarInHnd);
  return params.sv() == "fail" ? kStringTooLong : params.sv() == "5" ? 5 : kOk;
}

TEST_F(EngineTest, BatchInputThenRun) {
  TaskRegister(kTaskReorg, Record);
  Put("lote.txt", "Reorg 1\r\n\r\nReorg 5\r\nReorg 2\r\n");
  Put("malo.txt", "Reorg 1\r\nReorg fail\r\nReorg 3\r\n");
  struct Case {
    const char* line;
    const char* menu;
    Status status;
    const char* ran;
  } cases[] = {
      {"\"p\" /INPUT:lote.txt /RUN:'Reorg 9'", "", 0, "12:1;12:5;12:2;12:9;"},
      {"\"p\" /INPUT:malo.txt /RUN:'Reorg 9'", "", kStringTooLong, "12:1;12:fail;"},
      {"\"p\" /RUN:'Reorg 5'", "", 5, "12:5;"},
      {"\"p\"", "", kDataError, ""},               // neither menu nor RUN
      {"\"p\"", "GEMENU,1", kFeatureRemoved, ""},  // the main window is not bound
      {"\"p\" /INPUT:none.txt /RUN:'Reorg 9'", "", kFileNotFound, ""},
  };
  for (const Case& c : cases) {
    g_ran.clear();
    g_shell.headless.Clear();
    CommandLineParse(ValFromCStr(c.line));
    EXPECT_EQ(ApplicationRun(ValFromCStr(c.menu)), c.status) << c.line;
    EXPECT_EQ(g_ran, c.ran) << c.line;
    EXPECT_EQ(Shown().size(), c.status >= kCancelled ? 1u : 0u) << c.line;
    EXPECT_EQ(SystemInt(kVarInHnd), 0);
  }
  CommandLineParse("\"p\" /INPUT:lote.txt /OUTPUT:1 /RUN:'Reorg 9'"_v);
  ApplicationRun(Val());
  EXPECT_GE(g_inhnd, 0);
  EXPECT_EQ(SystemInt(kVarOutHnd), 1);
}

std::string g_statements;
Status Execute(Val statements) {
  g_statements += statements.str() + ";";
  return statements.sv().find("BAD") != std::string_view::npos ? kSyntaxError : kOk;
}

TEST_F(EngineTest, LanguageVariables) {
  SlotSet(0, 2, "GE"_v);
  SlotSet(0, 5, ValOf(EnginePathOf("defs")));
  EXPECT_EQ(LanguageVariablesLoad(), kOk);  // no file: nothing to do
  Put("defs/GELANGVARS.DAT", "TITULO$=0031\r\n\r\nCITA$=0025\r\nBAD$=0005\r\nOTRA$=0006\r\n");
  EXPECT_EQ(LanguageVariablesLoad(), kFeatureRemoved);  // no evaluator bound
  EXPECT_EQ(S(ErrDetail()), "expression evaluator not installed");
  g_shell.hooks.execute = Execute;
  g_statements.clear();
  EXPECT_EQ(LanguageVariablesLoad(), kSyntaxError);
  EXPECT_EQ(g_statements,
            "TITULO$='Proceso no definido';CITA$='\xBF"
            "Anular Registro(s)?';"
            "BAD$='Proceso Completado Satisfactoriamente';");
}

TEST_F(EngineTest, BoundToTheExpressionLanguage) {
  BindExpressions();
  ASSERT_EQ(g_shell.hooks.vars_init(), kOk);
  SlotSet(0, 2, "GE"_v);
  Put("GELANGVARS.DAT", "TITULO$=0031\r\nCITA$=0025\r\n");
  EXPECT_EQ(LanguageVariablesLoad(), kOk);
  EXPECT_EQ(S(EvalText("TITULO$"_v)), "Proceso no definido");
  EXPECT_EQ(S(EvalText("CITA$"_v)),
            "\xBF"
            "Anular Registro(s)?");
  EXPECT_EQ(TaskRun("ExpEval COND$='X>1',_TRACE=272"_v), kOk);
  EXPECT_EQ(TraceWord(), 272);  // the system integers are the variable store's
  SlotPush(kParamRecordGroup, "FD$=A$"_v);
  EXPECT_EQ(S(ParameterValue(74, 0)), "X>1");
  EXPECT_EQ(S(ParameterValue(22, 0)), "");  // RELOPT% reads RELOPT: 0 has no digits
  EXPECT_GE(TaskRun("ExpEval A=(1"_v), kSerious);
  g_shell.hooks.vars_release();
}

TEST_F(EngineTest, BoundToTheDataLayer) {
  BindSubsystems();
  ASSERT_EQ(g_shell.hooks.vars_init(), kOk);
  std::string demo = std::string(ORVALE_SOURCE_DIR) + "/apps/demo/data";
  ASSERT_EQ(DictLoad(ValOf(demo), "DE"_v, Val()), kOk);
  Val menu = DefaultMenuWrite(kMenuMaintenance, Val());
  ASSERT_TRUE(menu.ok());
  EXPECT_EQ(Get(menu.str()),
            "Mantenimiento de Ficheros\r\n\tcustomers,MantAuto 1,1\r\n"
            "\titems,MantAuto 2,1\r\n\tinvoices,MantAuto 3,1\r\n");
  std::string screen = S(MaintenanceScreenMake(2));
  EXPECT_EQ(screen.substr(screen.find(',')), ",1,60,7,2");  // DESCRIPTION + 40 + 9
  std::string layout = Get(screen.substr(0, screen.find(',')) + ".PAN");
  EXPECT_NE(layout.find("\" 10 3 1DESCRIPTION:\"\r\n\" 11 314 2 240A\""), std::string::npos)
      << layout;
  // Task commands have their brackets expanded before they are parsed.
  TaskRegister(kTaskReorg, [](uint32_t, Val params) -> Status {
    return params.sv() == "3" ? kOk : kBadData;
  });
  EXPECT_EQ(TaskRun("Reorg [1+2]"_v), kOk);
  g_shell.hooks.close_data();
  EXPECT_EQ(DictFileCount(), 0);
  g_shell.hooks.vars_release();
}

}  // namespace
}  // namespace orv
