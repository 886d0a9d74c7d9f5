// Procedures run in batch by the real orvale executable, on a copy of the demo application.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/orvale_run.h"

namespace {

namespace fs = std::filesystem;

using orv::test::Outcome;
using orv::test::ReadFile;

// The demo application copied into a new temporary folder: definitions in data/, the
// working folder datas/.
class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "orvale-batch-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    app_ = tmpl;
    fs::copy(fs::path(ORVALE_SOURCE_DIR) / "apps/demo/data", app_ / "data");
    fs::create_directory(app_ / "datas");
  }
  void TearDown() override { fs::remove_all(app_); }

  void Put(const std::string& rel, const std::string& bytes) {
    std::ofstream(app_ / rel, std::ios::binary) << bytes;
  }

  // Runs orvale in datas/ on the demo application with the given options.
  Outcome Orvale(const std::vector<std::string>& options) {
    std::vector<std::string> args{"/APNAME:DEMO", "/DPATH:" + (app_ / "data").string()};
    args.insert(args.end(), options.begin(), options.end());
    return orv::test::RunOrvale(app_ / "datas", args);
  }

  fs::path app_;
};

TEST_F(BatchTest, RunOptionAndInputLines) {
  // The dictionary's files are variables holding their numbers; a shell command gets the
  // values through brackets.
  Put("data/FILES.PRX",
      "; which number each data file has\r\n"
      "SYSTEM 'echo [customers] [items] [invoices] > files.txt'\r\n");
  Put("data/FAILS.PRX", "X=1\r\nSHELL 'ls'\r\nX=2\r\n");
  Put("datas/lote.txt", "PrcExec FILES.PRX\r\nPrcExec FAILS.PRX\r\nPrcExec FILES.PRX\r\n");
  struct Case {
    std::vector<std::string> options;
    int exit_code;
    const char* shown;  // part of standard error; empty: nothing at all
    const char* files;  // what FILES.PRX wrote
  };
  const Case cases[] = {
      {{"/RUN:'PrcExec FILES.PRX'"}, 0, "", "1 2 3\n"},
      {{"/RUN:'PrcExec FAILS.PRX'"}, 148, "ExecRunUtils SHELL\nLine: 2 (+ remmarks):\nSHELL 'ls'",
       "<missing>"},
      {{"/RUN:'PrcExec NONE.PRX'"}, 164, "NONE.PRX", "<missing>"},
      // The INPUT file stops at the first failure; RUN is not reached.
      {{"/INPUT:lote.txt", "/RUN:'PrcExec NONE.PRX'"}, 148, "ExecRunUtils SHELL", "1 2 3\n"},
  };
  for (const Case& c : cases) {
    fs::remove(app_ / "datas/files.txt");
    Outcome run = Orvale(c.options);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.options[0] << "\n" << run.errors;
    if (*c.shown) {
      EXPECT_NE(run.errors.find(c.shown), std::string::npos) << c.options[0] << "\n" << run.errors;
    } else {
      EXPECT_EQ(run.errors, "") << c.options[0];
    }
    EXPECT_EQ(ReadFile(app_ / "datas/files.txt"), c.files) << c.options[0];
  }
}

TEST_F(BatchTest, DemoProceduresSeedAndRecomputeBalances) {
  // SEED.PRX inserts through RC_INSERT, whose relation updates (loaded by the command) move
  // stock and balances; it then types a wrong balance for customer 3. BALANCES.PRX
  // recomputes every balance from the invoice lines and corrects that one.
  for (const char* procedure : {"SEED.PRX", "BALANCES.PRX"}) {
    Outcome run = Orvale({std::string("/RUN:'PrcExec ") + procedure + "'"});
    ASSERT_EQ(run.exit_code, 0) << procedure << "\n" << run.errors;
    EXPECT_EQ(run.errors, "") << procedure;
  }
  EXPECT_EQ(ReadFile(app_ / "datas/balances.txt"),
            "Customer  Name                            Kept    Recomputed\r\n"
            "     1    Alvarez Hardware                 41,80       41,80\r\n"
            "     2    Berg Tools                       50,00       50,00\r\n"
            "     3    Castell Supplies                100,00        8,40  corrected\r\n"
            "Total                                                   100,20\r\n"
            "Balances corrected:   1\r\n");
  // Run again: the seed leaves the customers it finds alone, nothing is left to correct.
  ASSERT_EQ(Orvale({"/RUN:'PrcExec SEED.PRX'"}).exit_code, 0);
  ASSERT_EQ(Orvale({"/RUN:'PrcExec BALANCES.PRX'"}).exit_code, 0);
  std::string again = ReadFile(app_ / "datas/balances.txt");
  EXPECT_NE(again.find("     3    Castell Supplies                  8,40        8,40\r\n"), std::string::npos)
      << again;
  EXPECT_NE(again.find("Balances corrected:   0"), std::string::npos) << again;

  // RC_DELETE of the last invoice line (1003, C3 x 2 for customer 3) with the relation option
  // in the text form takes back what it applied.
  Put("data/UNDO.PRX",
      "FILESELECT 'customers;8,items;8,invoices'\r\n"
      "R=FILELOCATE('BOT';invoices)\r\n"
      "RC_DELETE 'invoices,2'\r\n"
      "R=FILEFIND('3';customers;1)+FILEFIND('C3';items;1)\r\n"
      "R=WRITE('undo.txt';-3;FN$MASK('##0.00';BALANCE{customers})+FN$MASK('####';STOCK{items}))\r\n");
  Outcome undo = Orvale({"/RUN:'PrcExec UNDO.PRX'"});
  ASSERT_EQ(undo.exit_code, 0) << undo.errors;
  EXPECT_EQ(ReadFile(app_ / "datas/undo.txt"), "  0,00  76");
}

}  // namespace
