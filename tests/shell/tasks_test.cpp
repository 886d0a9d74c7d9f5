// Task commands: parsing, the two-stage dispatch of the nineteen tasks, task lists and the
// procedure choice.
#include <gtest/gtest.h>

#include <string>

#include "core/list.h"
#include "core/slots.h"
#include "core/status.h"
#include "shell/applayer.h"
#include "shell/dictview.h"
#include "shell/tasks.h"
#include "shell_fixture.h"

namespace orv {
namespace {

using TasksTest = ShellTest;

std::string g_log;
Status g_result;
Status Engine(uint32_t code, Val params) {
  g_log += "engine " + std::to_string(TaskIndexOf(code)) + ":" + params.str() + ";";
  return g_result;
}
Status App(uint32_t code, Val params) {
  g_log += "app " + std::to_string(TaskIndexOf(code)) + ":" + params.str() + ";";
  return g_result;
}

TEST_F(TasksTest, Parsing) {
  struct Case {
    const char* command;
    uint32_t code;
    const char* params;
  } cases[] = {
      {"Reorg", TaskCode(12), ""},
      {"Reorg,", TaskCode(12), ""},
      {"Reorg 1", TaskCode(12), "1"},
      {"MantAuto 3,1", TaskCode(6), "3,1"},
      {"MantAuto,3,1", TaskCode(6), "3,1"},
      {"  ExpEval A=1,B=2 ", TaskCode(19), "A=1,B=2"},
      {"Accept 'Kgs:':'26' /FD$=\"_SUM#\"", TaskCode(2), "'Kgs:':'26' /FD$=\"_SUM#\""},
      {"Mantauto 3", kDataError, ""},  // names are compared exactly
      {"REORG", kDataError, ""},
      {"", kDataError, ""},
      {"Reorg [1+1]", kFeatureRemoved, ""},  // no expander is bound yet
  };
  for (const Case& c : cases) {
    ScratchScope scope;
    Val params;
    EXPECT_EQ(TaskParse(ValFromCStr(c.command), &params), c.code) << c.command;
    EXPECT_EQ(S(params), c.params) << c.command;
  }
}

Val Expand(Val text) {
  std::string s = text.str();
  size_t at = s.find("[1+1]");
  if (at != std::string::npos) s.replace(at, 5, "2");
  return ValCopy(ValOf(s));
}

TEST_F(TasksTest, CommandsAreExpandedBeforeParsing) {
  g_shell.hooks.expand = Expand;
  g_log.clear();
  g_result = 0;
  TaskRegister(kTaskReorg, Engine);
  EXPECT_EQ(TaskRun("Reorg [1+1]"_v), kOk);
  EXPECT_EQ(g_log, "engine 12:2;");
}

// A dictionary of one data file with one field, for MantAuto.
class OneFile : public DictionaryView {
 public:
  uint16_t FileCount() const override { return 1; }
  Val FileName(uint16_t) const override { return "CLIENTES"_v; }
  uint16_t FieldCount(uint16_t) const override { return 1; }
  DictFieldInfo Field(uint16_t, uint16_t) const override { return {"CODIGO"_v, 6, 'N'}; }
};

TEST_F(TasksTest, EachTaskReachesItsStage) {
  OneFile dict;
  g_shell.dict = &dict;
  TaskCallbackSet(AppTaskCallback);
  for (uint16_t t : {kTaskAcceptRun, kTaskMantAux, kTaskPrcExec, kTaskReport, kTaskReorg, kTaskCopy,
                     kTaskFileTrans, kTaskHelp, kTaskFontSet, kTaskExpEval})
    ASSERT_TRUE(TaskRegister(t, Engine));
  for (uint16_t t : {kTaskMantMain, kTaskMantAuto, kTaskLnManMain, kTaskReport})
    ASSERT_TRUE(AppTaskRegister(t, App));
  EXPECT_FALSE(AppTaskRegister(kTaskReorg, App));
  EXPECT_FALSE(TaskRegister(20, Engine));
  struct Case {
    const char* command;
    Status status;
    const char* log;  // "" when nobody ran
  } cases[] = {
      {"Menu x", kDataError, ""},
      {"Accept x", kDataError, ""},
      {"AcceptRun x", 5, "engine 3:x;"},
      {"MantAux x", 5, "engine 4:x;"},
      {"MantMain CLIENTES,1", 5, "app 5:CLIENTES,1;"},
      {"MantAuto 1", 5, "app 6:"},  // then the generated screen's parameters
      {"MantMovs x", kDataError, ""},
      {"LnManMain x", 5, "app 8:x;"},
      {"LnNavMain x", kDataError, ""},
      {"PrcExec x", 5, "engine 10:x;"},
      {"Report", 5, "app 11:;"},
      {"Report GEreport.ppn", 5, "app 11:GEreport.ppn;"},
      {"Report a,b", 5, "engine 11:a,b;"},
      {"Reorg", 5, "engine 12:;"},
      {"Copy 1,2", 5, "engine 13:1,2;"},
      {"FileTrans 4", 5, "engine 14:4;"},
      {"Help About", 0, "engine 15:About;"},  // always 0
      {"Perform x", kDataError, ""},
      {"FontSet", 0, "engine 17:;"},  // always 0
      {"WizzSelect x", kDataError, ""},
      {"ExpEval A=1", 5, "engine 19:A=1;"},
      {"NoSuchTask", kDataError, ""},
  };
  g_result = 5;
  for (const Case& c : cases) {
    g_log.clear();
    ErrReport(0, Val(), false);
    EXPECT_EQ(TaskRun(ValFromCStr(c.command)), c.status) << c.command;
    EXPECT_EQ(g_log.substr(0, std::string(c.log).size()), c.log) << c.command;
    if (!*c.log) {
      EXPECT_EQ(g_log, "") << c.command;
    }
    if (c.status == kDataError) {
      EXPECT_EQ(S(ErrDetail()), "Proceso no definido") << c.command;
    }
  }
  g_log.clear();
  TaskRun("MantAuto 1"_v);
  EXPECT_NE(g_log.find(",1,"), std::string::npos) << g_log;  // name,1,width,rows,1
}

TEST_F(TasksTest, WithoutHandlersEveryTaskEndsNotDefined) {
  TaskCallbackSet(AppTaskCallback);
  for (uint16_t i = 1; i <= kTaskCount; ++i) {
    std::string name = S(ListField(kTaskNames, ',', i));
    ErrReport(0, Val(), false);
    EXPECT_EQ(TaskRun(ValOf(name + " p")), kDataError) << name;
    EXPECT_EQ(S(ErrDetail()), "Proceso no definido") << name;
  }
}

TEST_F(TasksTest, ProcedureChoice) {
  Put("defs/B.PRX", "");
  Put("defs/a.prx", "");
  Put("defs/C.TXT", "");
  SlotSet(0, 5, ValOf(EnginePathOf("defs")));
  TaskRegister(kTaskPrcExec, Engine);
  g_result = 0;
  struct Case {
    const char* command;
    const char* answers;
    Status status;
    const char* log;
  } cases[] = {
      {"PrcExec *.PRX,MAIN", "2;1", 0, "engine 10:B.PRX,MAIN;engine 10:a.prx,MAIN;"},
      {"PrcExec *.PRX", "", kCancelled, ""},
      {"PrcExec *.XYZ", "1", kFileNotFound, ""},
  };
  for (const Case& c : cases) {
    g_log.clear();
    g_shell.headless.Clear();
    Answers(c.answers);
    EXPECT_EQ(TaskRun(ValFromCStr(c.command)), c.status) << c.command;
    EXPECT_EQ(g_log, c.log) << c.command;
  }
  EXPECT_EQ(S(ErrDetail()), "Proceso no definido");
  EXPECT_EQ(g_shell.headless.shown().size(), 0u);  // no match: nothing offered
  g_shell.headless.Clear();
  Answers("1;1;1");
  g_result = kStringTooLong;  // a failing procedure ends the choice
  g_log.clear();
  EXPECT_EQ(TaskRun("PrcExec *.prx"_v), kStringTooLong);
  EXPECT_EQ(g_log, "engine 10:a.prx;");
  EXPECT_EQ(g_shell.headless.shown()[0], "Selecci\xF3n de Fichero: a.prx, B.PRX");
}

TEST_F(TasksTest, TaskLists) {
  TaskRegister(kTaskReorg, Engine);
  TaskRegister(kTaskCopy, Engine);
  TaskRegister(kTaskHelp, Engine);
  g_result = 0;
  struct Case {
    const char* list;
    uint16_t start;
    const char* excluded;
    Status status;
    uint16_t position;
    const char* log;
  } cases[] = {
      {"'Reorg 1','Copy 2',Help", 0, "", 0, 3, "engine 12:1;engine 13:2;engine 15:;"},
      {"'Reorg 1','Copy 2',Help", 2, "", 0, 3, "engine 13:2;engine 15:;"},
      {"'Reorg 1','Copy 2',Help", 1, "\x0D", kUndefinedWarning, 2, "engine 12:1;"},
      {"Reorg,Menu,Help", 1, "", kDataError, 2, "engine 12:;"},
  };
  for (const Case& c : cases) {
    g_log.clear();
    uint16_t position = c.start;
    EXPECT_EQ(TaskRunList(ValFromCStr(c.list), &position, ValFromCStr(c.excluded)), c.status)
        << c.list;
    EXPECT_EQ(position, c.position) << c.list;
    EXPECT_EQ(g_log, c.log) << c.list;
  }
}

TEST_F(TasksTest, CommandWithDefaultTask) {
  struct Case {
    const char* text;
    const char* command;
  } cases[] = {
      {"Reorg 1", "Reorg 1"},
      {"CLIENTES,1", "MantMain CLIENTES,1"},
      {"Help,x", "Help,x"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(S(TaskCommandWithDefault(ValFromCStr(c.text), kTaskMantMain)), c.command);
}

}  // namespace
}  // namespace orv
