// The save pipeline on the demo application: invoice lines keep the items' stock and the
// customers' balance in step through the relation updates, key checks refuse what they
// should and write nothing then, and an update that fails midway is reported.
#include <functional>
#include <string>
#include <vector>

#include "data/documents.h"
#include "data/relations.h"
#include "demo_fixture.h"

namespace orv {
namespace {

class SaveTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    Catalogue();
  }
  // Finds an invoice line and evaluates the changes over it.
  static Status Change(int number, int line, const std::string& changes) {
    if (Status st = Find(kInvoices, LineKey(number, line))) return st;
    return Exec(changes);
  }
  static Status Save(uint16_t code) { return MaintenanceSave(code, kInvoices, Val(), Val(), Val()); }
};

TEST_F(SaveTest, InvoiceLinesKeepStockAndBalanceInStep) {
  struct Step {
    const char* what;
    std::function<Status()> run;
    Status status;
    const char *a1, *b2, *balance1;
  };
  const std::vector<Step> steps = {
      {"insert line 1 of invoice 1: 5 x A1 at 2",
       [] { return Line(1, 1, 1, "A1", "5", "2") ?: Save(kCodeInsert); }, 0, "95", "50", "10"},
      {"insert line 2: 4 x B2 at 1.5",
       [] { return Line(1, 2, 1, "B2", "4", "1.5") ?: Save(kCodeInsert); }, 0, "95", "46", "16"},
      {"save line 1 with 8 instead of 5: the stock moves by the difference",
       [] { return Change(1, 1, "QUANTITY{3}=8;AMOUNT{3}=QUANTITY{3}*PRICE{3}") ?: Save(kCodeSave); },
       0, "92", "46", "22"},
      {"save line 1 with item B2: A1 gets all back, B2 gives 8",
       [] { return Change(1, 1, "ITEM{3}='B2'") ?: Save(kCodeSave); }, 0, "100", "38", "22"},
      {"delete line 2: its quantity and amount are taken back",
       [] { return Find(kInvoices, LineKey(1, 2)) ?: Save(kCodeDelete); }, 0, "100", "42", "16"},
      {"insert the header (N_LINE 0): option 1 has no updates",
       [] {
         return DataFileMove(kInvoices, kMoveBlank) == kBlankRecord
                    ? Exec("NUMBER{3}=1;CUSTOMER{3}=1") ?: Save(kCodeInsert)
                    : Status(kInternal);
       },
       0, "100", "42", "16"},
      {"delete the whole invoice: every line takes its updates back",
       [] {
         ScratchScope scope;
         return DocumentDelete(kInvoices, ValOf(LineKey(1, 0).substr(0, 8)), Val());
       },
       0, "100", "50", ""},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.run(), s.status) << s.what << ": " << S(ErrDetail());
    EXPECT_EQ(Stock("A1"), s.a1) << s.what;
    EXPECT_EQ(Stock("B2"), s.b2) << s.what;
    EXPECT_EQ(Balance(1), s.balance1) << s.what;
    EXPECT_EQ(Balance(2), "") << s.what;
  }
  EXPECT_EQ(DataFileMove(kInvoices, kMoveFirst), kEndOfFile);
}

}  // namespace
}  // namespace orv
