// Menu files, PPN trees of modules, the default menu, menu commands and closing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hostpath.h"
#include "core/slots.h"
#include "core/status.h"
#include "shell/dictview.h"
#include "shell/generated.h"
#include "shell/menus.h"
#include "shell/tasks.h"
#include "shell_fixture.h"

namespace orv {
namespace {

// Records a menu as indented lines: popups by title, items as "title=id".
class MenuRecorder : public MenuSink {
 public:
  Status Popup(Val title) override {
    lines.push_back(std::string(depth++, '\t') + title.str());
    return kOk;
  }
  Status Item(uint16_t id, Val title) override {
    lines.push_back(std::string(depth, '\t') + title.str() + "=" + std::to_string(id));
    return kOk;
  }
  Status Close() override {
    EXPECT_GT(depth, 0u);
    --depth;
    return kOk;
  }
  std::vector<std::string> lines;
  size_t depth = 0;
};

// A dictionary of two data files.
class TwoFiles : public DictionaryView {
 public:
  uint16_t FileCount() const override { return 2; }
  Val FileName(uint16_t file) const override { return file == 1 ? "CLIENTES"_v : "FACTURAS"_v; }
  uint16_t FieldCount(uint16_t) const override { return 0; }
  DictFieldInfo Field(uint16_t, uint16_t) const override { return {}; }
};

using MenusTest = ShellTest;

std::vector<std::string> QueueLines() {
  std::vector<std::string> out;
  for (uint16_t i = 0; i < SlotCount(kMenuLineQueue); ++i)
    out.push_back(S(SlotGet(kMenuLineQueue, i)));
  return out;
}

TEST_F(MenusTest, PlainMenuFile) {
  Put("GEMENU.PMT",
      "Ficheros\r\n"
      "\tClientes,MantAuto 3,1  \r\n"
      "\t\tProfundo,Reorg\r\n"
      "\tSub\r\n"
      "\t\tUno,'Help About'\r\n"
      "\r\n"
      "Con\tTAB,Copy 1\r\n"
      "Suelto,Reorg\r\n");
  MenuRecorder menu;
  ASSERT_EQ(MenuBuild("GEMENU,1"_v, &menu), kOk);
  std::vector<std::string> expected{
      "Ficheros",     "\tClientes=1500", "\tProfundo=1501", "\tSub",
      "\t\tUno=1502", "Con\tTAB=1503",   "Suelto=1504",
  };
  EXPECT_EQ(menu.lines, expected);
  EXPECT_EQ(menu.depth, 0u);
  EXPECT_EQ(S(SlotGet(kMenuCommandGroup, 0)), "MantAuto 3,1");
  EXPECT_EQ(S(SlotGet(kMenuCommandGroup, 2)), "'Help About'");
  EXPECT_EQ(S(SlotGet(kMenuCommandGroup, 3)), "Copy 1");
  EXPECT_EQ(SlotCount(kSlotGroupQueueLines), 0);
}

TEST_F(MenusTest, MenuFilesAreFoundInTheDefinitionFolders) {
  Put("defs/OTRO.PPN", "01 CALLER$=2\r\n02 MENU$=Solo,Uno\r\n02 EXEC$=\"'Reorg'\"\r\n");
  SlotSet(0, 5, ValOf(EnginePathOf("none") + "," + EnginePathOf("defs")));
  MenuRecorder menu;
  ASSERT_EQ(MenuBuild("OTRO"_v, &menu), kOk);
  EXPECT_EQ(menu.lines, (std::vector<std::string>{"Solo", "\tUno=1500"}));
  EXPECT_EQ(MenuBuild("NADA"_v, &menu), kFileNotFound);
  EXPECT_TRUE(Shown().empty());  // a missing menu shows nothing
}

TEST_F(MenusTest, MoreItemsThanIdentifiersAreRefused) {
  std::string lines = "Todo\r\n";
  for (int i = 0; i < 201; ++i) lines += "\tItem" + std::to_string(i) + ",Reorg\r\n";
  Put("BIG.PMT", lines);
  MenuRecorder menu;
  EXPECT_EQ(MenuBuild("BIG"_v, &menu), kDataOutBound);
  EXPECT_EQ(Shown().size(), 1u);
  EXPECT_EQ(SlotCount(kSlotGroupQueueLines), 0);
}

TEST_F(MenusTest, ModuleTreeBecomesMenuLines) {
  Put("GEMENU.PPN",
      "01 CALLER$=2,3\r\n"
      "02 MENU$=Ventas,Facturas,Clientes\r\n"
      "02 EXEC$=\"'MantMain FAC','MantMain CLI'\"\r\n"
      "03 MENU$=Utilidades,Reorganizar\r\n"
      "03 EXEC$=\"'Reorg'\"\r\n");
  EXPECT_EQ(MenuTreeBuild("GEMENU,1"_v), 5);
  std::vector<std::string> expected{"Ventas", "\tFacturas,MantMain FAC", "\tClientes,MantMain CLI",
                                    "Utilidades", "\tReorganizar,Reorg"};
  EXPECT_EQ(QueueLines(), expected);
  EXPECT_EQ(SlotCount(31), 0);
  EXPECT_EQ(SystemInt(kVarCompat), 0);  // restored
}

TEST_F(MenusTest, ModuleTreeVariants) {
  struct Case {
    const char* name;
    const char* file;
    std::vector<std::string> lines;  // empty: the build fails
    Status detail_code;
  } cases[] = {
      {"single items keep the case of EXEC$",
       "01 CALLER$=2,3\r\n02 EXEC$=\"'MantMain Cli',x\"\r\n03 EXEC$=Reorg\r\n",
       {",MantMain Cli", ",Reorg"},
       0},
      {"unquoted option commands are upper-cased",
       "01 CALLER$=2\r\n02 MENU$=Util,Reorganizar\r\n02 EXEC$=Reorg\r\n",
       {"Util", "\tReorganizar,REORG"},
       0},
      {"options numbered after a prefix",
       "01 CALLER$=2\r\n02 MENU$=Inf,Uno,Dos\r\n02 CALLER$=3\r\n03 MENU$=X,A,B\r\n",
       {"Inf", "\tUno", "\t\tA,1", "\t\tB,2"},
       0},
      {"old keys while building",
       "01 MODULOS$=2\r\n02 MODULO$=Ventas\r\n02 OPTIONS$=Alta\r\n02 EXEC$=\"'Reorg'\"\r\n",
       {"Ventas", "\tAlta,Reorg"},
       0},
      {"a loaded record takes the option's place",
       "01 CALLER$=2\r\n02 MENU$=Menu,Sub,Otro\r\n02 EXEC$=\"'Copy 1','Reorg'\"\r\n"
       "02 LOAD$=\"'GEMENU,4'\"\r\n04 MENU$=Cargado,Hoja\r\n04 EXEC$=\"'Help'\"\r\n",
       {"Menu", "\tSub", "\t\tCargado,Help", "\t\tHoja,Copy 1,2", "\tOtro,Reorg"},
       0},
      {"a missing record", "01 CALLER$=2,9\r\n02 EXEC$=\"'Reorg'\"\r\n", {}, kFileNotFound},
      {"a CALLER$ loop", "01 CALLER$=2\r\n02 MENU$=A,B\r\n02 CALLER$=1\r\n", {}, kLoopFailure},
      {"a LOAD$ loop",
       "01 CALLER$=2\r\n02 MENU$=A,B\r\n02 LOAD$=\"'GEMENU,2'\"\r\n",
       {},
       kLoopFailure},
      {"a LOAD$ back to the first record",
       "01 CALLER$=2\r\n02 MENU$=A,B\r\n02 LOAD$=\"'gemenu.ppn,1'\"\r\n",
       {},
       kLoopFailure},
  };
  for (const Case& c : cases) {
    Put("GEMENU.PPN", c.file);
    ErrRecord(2, 0, 0, 0);
    uint16_t n = MenuTreeBuild("GEMENU"_v);
    if (c.lines.empty()) {
      EXPECT_EQ(n, kNone) << c.name;
      EXPECT_EQ(ErrRecorded() & 0xFFFF, c.detail_code) << c.name;
      std::string detail = S(ErrDetail());  // the file that failed
      EXPECT_TRUE(NameEqualNoCase(detail.substr(0, 6), "GEMENU")) << c.name << ": " << detail;
    } else {
      EXPECT_EQ(n, c.lines.size()) << c.name;
    }
    EXPECT_EQ(QueueLines(), c.lines) << c.name;
    EXPECT_EQ(SlotCount(31), 0) << c.name;
    SlotClear(kMenuLineQueue);
  }
}

TEST_F(MenusTest, DefaultMenuForStartFlags) {
  TwoFiles dict;
  g_shell.dict = &dict;
  Val name = DefaultMenuWrite(kMenuStart, Val());
  ASSERT_TRUE(name.ok());
  std::string file = name.str();
  EXPECT_EQ(file.rfind("ORVGEN_", 0), 0u);
  EXPECT_EQ(file.substr(file.size() - 4), ".PMT");
  std::string text = Get(file);
  EXPECT_EQ(text.rfind("Mantenimiento de Ficheros\r\n\tCLIENTES,MantAuto 1,1\r\n"
                       "\tFACTURAS,MantAuto 2,1\r\nInformes\r\n\tCrear Nuevo,Report \r\n"
                       "\tInformes,Report %APNAME%report.ppn\r\nTransacciones\r\n"
                       "\tExportaciones\r\n\t\tRelativa,FileTrans 4\r\n",
                       0),
            0u)
      << text;
  EXPECT_NE(text.find("\tPredefinidas,FileTrans 0\r\nAyuda\r\n\tAyuda,Help\r\n"
                      "\tAcerca de,Help About\r\n"),
            std::string::npos);
  EXPECT_EQ(text.find("Reorg"), std::string::npos);

  MenuRecorder menu;
  ASSERT_EQ(MenuBuild(ValOf(file + ",1"), &menu), kOk);
  std::vector<std::string> popups;
  for (const std::string& l : menu.lines)
    if (l[0] != '\t') popups.push_back(l);
  EXPECT_EQ(popups, (std::vector<std::string>{"Mantenimiento de Ficheros", "Informes",
                                              "Transacciones", "Ayuda"}));
  EXPECT_EQ(S(SlotGet(kMenuCommandGroup, 2)), "Report");  // trailing blank trimmed
  GeneratedFilesDelete();
  EXPECT_EQ(Get(file), "<missing>");
}

TEST_F(MenusTest, FirstLineAndSingleTemplates) {
  Val name = DefaultMenuWrite(kMenuReorg | kMenuHelp, "Inicio,Help"_v);
  EXPECT_EQ(
      Get(name.str()),
      "Inicio,Help\r\nReorganizacion,Reorg\r\nAyuda\r\n\tAyuda,Help\r\n\tAcerca de,Help About\r\n");
}

TEST_F(MenusTest, DefaultMenuWriteFailureIsReported) {
  FaultFs& faults = UseFaults();
  faults.FailAt(FsOp::kWriteAt, 2, 130);
  Val name = DefaultMenuWrite(kMenuStart, Val());
  EXPECT_FALSE(name.ok());
}

TEST_F(MenusTest, CleanupDeletesOnlyGeneratedMenus) {
  Put("GEMENU.PMT", "A,Reorg\r\n");
  Put("ORVGEN_OLD12345.PMT", "A,Reorg\r\n");
  Put("ORVGEN_OLD12345.PAN", "x\r\n");
  GeneratedLeftoversDelete("PMT"_v);
  EXPECT_EQ(Names(), (std::vector<std::string>{"GEMENU.PMT", "ORVGEN_OLD12345.PAN"}));
}

uint16_t g_screens, g_windows;
bool g_closed;
uint16_t Screens() {
  return g_screens;
}
uint16_t Windows() {
  return g_windows;
}
void CloseAll() {
  g_closed = true;
}

TEST_F(MenusTest, ClosingTheApplication) {
  g_shell.hooks.screen_count = Screens;
  g_shell.hooks.window_depth = Windows;
  g_shell.hooks.close_windows = CloseAll;
  struct Case {
    uint16_t screens, windows;
    int16_t auxstat;
    const char* answer;
    int close;
    const char* shown;
  } cases[] = {
      {2, 1, 0, "yes", 0,
       "Mensaje Informativo: Aun hay ventanas abiertas (2 Pantallas, 1 Ventanas)"},
      {0, 2, 0x20, "yes", 0, nullptr},
      {1, 1, 0x20, "", 1, ""},
      {1, 1, 0, "yes", 1,
       "Solicitud de Informaci\xF3n: Recuerde sus Copias de Seguridad\n\xBF"
       "Desea Cerrar la "
       "aplicacion? (1 Pantallas, 1 Ventanas)"},
      {0, 1, 0, "no", 0, nullptr},
      {0, 1, 0, "", 0, nullptr},
  };
  for (const Case& c : cases) {
    g_shell.headless.Clear();
    Answers(c.answer);
    g_screens = c.screens, g_windows = c.windows, g_closed = false;
    SystemIntSet(kVarAuxStat, c.auxstat);
    EXPECT_EQ(MenuCommand(17), c.close) << c.screens << c.windows << c.answer;
    EXPECT_EQ(g_closed, c.close == 1);
    if (c.shown && *c.shown) {
      EXPECT_EQ(Shown().at(0), c.shown);
    }
    if (c.shown && !*c.shown) {
      EXPECT_TRUE(Shown().empty());
    }
  }
}

std::string g_ran;
Status Record(uint32_t code, Val params) {
  g_ran += std::to_string(TaskIndexOf(code)) + ":" + params.str() + ";";
  return kOk;
}

TEST_F(MenusTest, MenuCommandsRunTheirTasks) {
  g_ran.clear();
  TaskRegister(kTaskReorg, Record);
  TaskRegister(kTaskHelp, Record);
  SlotSet(kMenuCommandGroup, 3, "Reorg 5"_v);
  SlotSet(kMenuCommandGroup, 4, "REORG"_v);
  EXPECT_EQ(MenuCommand(0x0310), kOk);
  EXPECT_EQ(MenuCommand(19), kOk);
  EXPECT_EQ(g_ran, "12:5;15:;");
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(MenuCommand(0x0410), kDataError);  // no such task: shown
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0],
            "Alerta de Mensaje Fatal: Error de Datos(ExecRunTime): Proceso no definido");
}

}  // namespace
}  // namespace orv
