// The orvale executable, run for real: exit codes, what it writes and what it leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/orvale_run.h"

namespace {

namespace fs = std::filesystem;

using orv::test::Outcome;
using orv::test::ReadFile;
using orv::test::RunOrvale;

std::vector<std::string> Listing(const fs::path& dir) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    out.push_back(fs::relative(e.path(), dir).string());
  std::sort(out.begin(), out.end());
  return out;
}

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "orvale-run-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Put(const std::string& rel, const std::string& bytes = "") {
    fs::create_directories((dir_ / rel).parent_path());
    std::ofstream(dir_ / rel, std::ios::binary) << bytes;
  }
  fs::path dir_;
};

TEST_F(ProcessTest, DiagnosticStopWritesOneLineAndExits121Quietly) {
  Outcome run = RunOrvale(dir_, {"/TRACE=273"}, nullptr);
  EXPECT_EQ(run.exit_code, 121);
  EXPECT_EQ(run.errors, "");  // no box at all
  EXPECT_EQ(Listing(dir_), std::vector<std::string>{"log.txt"});
  EXPECT_EQ(ReadFile(dir_ / "log.txt"), "0,ES\r\n");
}

TEST_F(ProcessTest, HelpPrintsTheUsageAndStartsNothing) {
  Outcome run = RunOrvale(dir_, {"--help"}, nullptr);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.errors, "");
  EXPECT_TRUE(Listing(dir_).empty());
}

TEST_F(ProcessTest, ExitCodes) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    const char* answers;
    int exit_code;
    const char* shown;  // what standard error must hold; empty: nothing at all
  } cases[] = {
      {"cancelled application choice",
       {},
       nullptr,
       122,
       "Mensaje Informativo: Cancelado por el usuario"},
      {"cancelled procedure choice: 122 is below 128",
       {"/RUN:'PrcExec *.PRX'"},
       "=GE",
       0,
       "Selección de Fichero: A.PRX"},
      {"no procedure matches",
       {"/RUN:'PrcExec *.XYZ'"},
       "=ge",
       164,
       "Alerta de Mensaje Fatal: Error Fichero no encontrado(ExecRunTime): Proceso no definido"},
      {"the chosen procedure runs, and the choice is offered again",
       {"/RUN:'PrcExec *.PRX'"},
       "=GE;1",
       0,
       "Selección de Fichero: A.PRX\nSelección de Fichero: A.PRX"},
      {"an expression run: 0", {"/APNAME:GE", "/RUN:'ExpEval A=1'"}, nullptr, 0, ""},
      {"a failing expression: its status",
       {"/APNAME:GE", "/RUN:'ExpEval A=(1'"},
       nullptr,
       129,
       "Error Fallo de loop(ExpExec): A=(1"},
      {"an unquoted RUN value is upper case: no task",
       {"/APNAME:GE", "/RUN:Reorg"},
       nullptr,
       163,
       "Proceso no definido"},
      {"missing INPUT file",
       {"-APNAME:GE", "--TRACE=273", "/INPUT:none.txt"},
       nullptr,
       164,
       "Error Fichero no encontrado(Streams): NONE.TXT"},
      {"no main window in this build", {"/APNAME:GE"}, nullptr, 148, "main window not available"},
      {"a new application without dictionary", {}, "1;=Nueva", 164, "NUDICC.DAT was not found."},
      {"the about box of a diagnostic start",
       {"/TRACE:256", "/RUN:'PrcExec *.XYZ'"},
       nullptr,
       164,
       "Acerca de: Orvale Business Runtime (c) 2017"},
  };
  for (const Case& c : cases) {
    fs::remove_all(dir_);
    Put("GEDICC.DAT");  // the dictionary of the runs given APNAME in this folder
    Put("GE/data/GEDICC.DAT");
    Put("GE/data/A.PRX", "X=1\r\n");
    Put("GE/datas/.keep");
    Outcome run = RunOrvale(dir_, c.args, c.answers);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.name << "\n" << run.errors;
    if (*c.shown) {
      EXPECT_NE(run.errors.find(c.shown), std::string::npos) << c.name << "\n" << run.errors;
    } else {
      EXPECT_EQ(run.errors, "") << c.name;
    }
  }
}

TEST_F(ProcessTest, BatchInputStopsAtTheFirstFailureAndRunIsNotReached) {
  Put("GEDICC.DAT");
  Put("lote.txt", "\r\nPrcExec *.XYZ\r\nPrcExec *.PRX\r\n");
  Put("A.PRX");
  Outcome run = RunOrvale(dir_, {"/APNAME:GE", "/INPUT:lote.txt", "/RUN:'PrcExec *.PRX'"}, "1;1");
  EXPECT_EQ(run.exit_code, 164);
  EXPECT_EQ(run.errors.find("Selecci"), std::string::npos) << run.errors;
}

TEST_F(ProcessTest, GeneratedMenusAreCleanedUpButApplicationMenusKept) {
  Put("GEDICC.DAT");
  Put("OWN.PMT", "A,Reorg\r\n");
  Put("ORVGEN_LEFTOVER.PMT", "A,Reorg\r\n");
  Outcome run = RunOrvale(dir_, {"/APNAME:GE"}, nullptr);
  EXPECT_EQ(run.exit_code, 148);
  EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"GEDICC.DAT", "OWN.PMT"}));
}

TEST_F(ProcessTest, LanguageFileInTheWorkingFolder) {
  fs::copy_file(fs::path(ORVALE_LANG_DIR) / "QX_LANG_EN.MSJ", dir_ / "QX_LANG_EN.MSJ");
  Outcome run = RunOrvale(dir_, {}, nullptr);
  EXPECT_EQ(run.exit_code, 122);
  // Status names are the engine's own texts; captions and questions follow the language.
  EXPECT_EQ(run.errors,
            "Data Access: New, QX_LANG_EN.MSJ\nInformation: Cancelado por el usuario\n");
  run = RunOrvale(dir_, {"/TRACE=273"}, nullptr);
  EXPECT_EQ(ReadFile(dir_ / "log.txt"), "0,EN\r\n");
}

}  // namespace
