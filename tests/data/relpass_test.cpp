// Relational update passes on the demo application: the invoices' line updates applied
// again over ranges of invoices, under conditions, and the passes of a task.
#include <functional>
#include <string>
#include <vector>

#include "data/relpass.h"
#include "demo_fixture.h"

namespace orv {
namespace {

class RelPassTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    Catalogue();
    // Invoices written without their updates: the passes apply them.
    struct L {
      int number, line, customer;
      const char* item;
      const char* qty;
    };
    for (const L& l : std::vector<L>{{1, 0, 1, "", ""},
                                     {1, 1, 1, "A1", "1"},
                                     {1, 2, 1, "B2", "2"},
                                     {2, 1, 2, "A1", "10"},
                                     {3, 1, 1, "B2", "20"},
                                     {3, 2, 1, "A1", "100"}}) {
      ASSERT_EQ(Line(l.number, l.line, l.customer, l.item, *l.qty ? l.qty : "0", "1"), 0);
      if (!l.line) {
        ASSERT_EQ(Exec("N_LINE{3}=''"), 0);
      }
      ASSERT_EQ(DataFileSave(kCodeInsert | kSaveNoRelations, kInvoices, Val(), Val()), 0);
    }
  }
  static int Num(const std::string& s) { return s.empty() ? 0 : std::stoi(s); }
  // The stocks of A1 and B2 and the balances of customers 1 and 2, as changes since `from`.
  std::string Moves(const std::vector<int>& from) {
    std::vector<int> now = Now();
    std::string out;
    for (size_t i = 0; i < now.size(); ++i) out += (i ? " " : "") + std::to_string(now[i] - from[i]);
    return out;
  }
  std::vector<int> Now() { return {Num(Stock("A1")), Num(Stock("B2")), Num(Balance(1)), Num(Balance(2))}; }
};

TEST_F(RelPassTest, PassesOverRangesAndConditions) {
  struct Case {
    const char* item;
    const char *from, *to, *condition, *read_condition;
    Status status;
    const char* moves;  // A1, B2, balance 1, balance 2
  };
  const std::vector<Case> cases = {
      {"3", "", "", "", "", 0, "-111 -22 123 10"},       // each record its own default option
      {"1+2,2", "       2", "       3", "", "", 0, "-110 -20 120 10"},
      {"3,2", "       2", "       2", "", "", 0, "-10 0 0 10"},
      {"3,2", "", "", "ITEM{3}=='B2*'", "", 0, "0 -22 22 0"},
      {"3,2", "       1   2", "", "", "QUANTITY{3}>5", 0, "-110 -20 120 10"},
      {"3,1;0", "", "", "", "", kDataError, "0 0 0 0"},  // options without definitions
      {"1", "", "", "", "", kDataError, "0 0 0 0"},      // customers have none
      {"9", "", "", "", "", kFileOutBound, "0 0 0 0"},
      {"3,2", "", "", "ITEM{3}>", "", kSyntaxError, "0 0 0 0"},
  };
  for (const Case& c : cases) {
    std::vector<int> before = Now();
    ScratchScope scope;
    PassRange range{1, ValOf(c.from), ValOf(c.to), ValOf(c.condition), ValOf(c.read_condition)};
    EXPECT_EQ(RelationalUpdatePass(kItems, ValOf(c.item), range), c.status) << c.item << " " << c.from;
    if (c.status == kDataError) {
      EXPECT_EQ(S(ErrDetail()), "No RELOPT defined");
    }
    EXPECT_EQ(Moves(before), c.moves) << c.item << " " << c.from << " " << c.condition;
    EXPECT_EQ(SysGet(kSysSgn), 0);
  }
}

TEST_F(RelPassTest, TheFileIsOpenedForThePassOnlyWhenItWasClosed) {
  // Open: the current record stays where it was.
  ASSERT_EQ(Find(kInvoices, LineKey(2, 1)), kFound);
  std::vector<int> before = Now();
  PassRange all;
  ASSERT_EQ(RelationalUpdatePass(kItems, "3"_v, all), 0);
  EXPECT_EQ(Field(kInvoices, "QUANTITY"), "10");
  EXPECT_EQ(RelationsHighest(kInvoices), 2);  // the definitions loaded before stay
  // Closed: opened read-only for the pass and closed again; its definitions are unloaded.
  ASSERT_EQ(DataFileClose(kInvoices), 0);
  RelationsUnload(kInvoices, 0);
  ASSERT_EQ(RelationalUpdatePass(kItems, "3"_v, all), 0);
  EXPECT_EQ(Moves(before), "-222 -44 246 20");
  Status st;
  EXPECT_EQ(DataFileOpened(kInvoices, &st), nullptr);
  EXPECT_EQ(RelationsHighest(kInvoices), -1);
}

TEST_F(RelPassTest, TheStepsOfATask) {
  std::vector<int> before = Now();
  PassRange all;
  ASSERT_EQ(RelationalUpdatePasses({"3,2", "3,2"}, "1+1"_v, Val(), all), 0);
  EXPECT_EQ(Moves(before), "-222 -44 246 20");
  // A target beyond the dictionary: the structure file is loaded for the passes, the
  // target opened as a virtual file, and both are gone afterwards.
  Put("data/DESUM.DAT", "01**00summary\r\n" + FieldLine(1, 10, 'A', "ITEM") + "\r\n");
  setenv("TMPDIR", root_.c_str(), 1);
  EXPECT_EQ(RelationalUpdatePasses({"3,2"}, "4"_v, "DESUM.DAT"_v, all), 0);
  unsetenv("TMPDIR");
  EXPECT_EQ(DictFileCount(), 3);
  EXPECT_EQ(Moves(before), "-333 -66 369 30");
  EXPECT_EQ(RelationalUpdatePasses({"3,2"}, "4"_v, Val(), all), kFileOutBound);
}

}  // namespace
}  // namespace orv
