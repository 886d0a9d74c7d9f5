// Relation-update definitions on the demo application: loading and unloading on their
// stack, the update list of each relation option, and what the pipeline evaluates with
// _SGN and _UPSTAT.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "data/relations.h"
#include "demo_fixture.h"

namespace orv {
namespace {

// Options 0 and 1 of customers count saves and add up codes; invoices have four options,
// option 2 on three lines (the last with blanks for zeros); items have option 0 only.
constexpr char kDefinitions[] =
    "0100_USER01=_USER01+_SGN\r\n"
    "0101_USER02=_USER02+_SGN*CODE{}\r\n"
    "0300T0\r\n"
    "0301T1\r\n"
    "0302T2\r\n"
    "0303   T3\r\n"
    "0302T2b\r\n"
    "\r\n"
    " 3 2T2c\r\n"
    "0200I0\r\n";

class RelupTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    Put("data/DERELUP.DAT", kDefinitions);
  }
  static std::string Updates(uint16_t file, const char* option) {
    ScratchScope scope;
    return S(RelationUpdates(file, ValOf(option)));
  }
  static Status SaveCustomer(uint16_t code, int number, const char* option) {
    if (DataFileMove(kCustomers, kMoveBlank) != kBlankRecord) return kInternal;
    if (Status st = Exec("CODE{1}=" + std::to_string(number))) return st;
    ScratchScope scope;
    return MaintenanceSave(code, kCustomers, ValOf(option), Val(), Val());
  }
  static std::string Users() {
    return std::to_string(SysGet(kSysUser01)) + " " + std::to_string(SysGet(kSysUser02));
  }
};

TEST_F(RelupTest, DefinitionsStackAndUnstack) {
  struct Step {
    const char* what;
    std::function<Status()> run;
    uint16_t depth;
    int customers, items, invoices;  // the highest option loaded, -1 none
  };
  const std::vector<Step> steps = {
      {"invoices", [] { return RelationsLoad(kInvoices, Val()); }, 4, -1, -1, 3},
      {"invoices again", [] { return RelationsLoad(kInvoices, "1"_v); }, 4, -1, -1, 3},
      {"items with NONE", [] { return RelationsLoad(kItems, "NONE"_v); }, 4, -1, -1, 3},
      {"items", [] { return RelationsLoad(kItems, Val()); }, 5, -1, 0, 3},
      {"customers", [] { return RelationsLoad(kCustomers, Val()); }, 7, 1, 0, 3},
      {"back to before items", [] { RelationsUnload(kItems, 4); return Status(0); }, 4, -1, -1, 3},
      {"customers again", [] { return RelationsLoad(kCustomers, Val()); }, 6, 1, -1, 3},
      {"back to nothing", [] { RelationsUnload(kInvoices, 0); return Status(0); }, 0, -1, -1, -1},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.run(), 0) << s.what;
    EXPECT_EQ(RelationsDepth(), s.depth) << s.what;
    EXPECT_EQ(RelationsHighest(kCustomers), s.customers) << s.what;
    EXPECT_EQ(RelationsHighest(kItems), s.items) << s.what;
    EXPECT_EQ(RelationsHighest(kInvoices), s.invoices) << s.what;
  }
}

TEST_F(RelupTest, UpdateListsByOption) {
  for (uint16_t f : {kCustomers, kInvoices}) ASSERT_EQ(RelationsLoad(f, Val()), 0);
  ASSERT_EQ(Line(1, 0, 1, "A1", "1", "1"), 0);
  struct Case {
    uint16_t file;
    int line;  // of the invoice record in the buffer
    const char* option;
    const char* list;
  };
  const std::vector<Case> cases = {
      {kInvoices, 0, "", "T0;T1"},  // a header: 1+(N_LINE{3}>0) is 1
      {kInvoices, 2, "", "T0;T2;T2b;T2c"},
      {kInvoices, 2, "3", "T0;T3"},
      {kInvoices, 2, "1, 3", "T0;T1;T3"},
      {kInvoices, 2, "'3,1'", "T0;T3;T1"},
      {kInvoices, 2, "2+1", "T0;T3"},
      {kInvoices, 2, "0", "T0"},  // option 0 once, even when asked for again
      {kInvoices, 2, "9", "T0"},
      {kInvoices, 2, "NONE", ""},
      {kCustomers, 0, "", "_USER01=_USER01+_SGN;_USER02=_USER02+_SGN*CODE{}"},
      {kItems, 0, "", ""},  // loaded no definitions
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Exec("N_LINE{3}=" + std::to_string(c.line)), 0);
    EXPECT_EQ(Updates(c.file, c.option), c.list) << c.file << " " << c.line << " " << c.option;
  }
  ScratchScope scope;
  EXPECT_EQ(ValCheck(RelationUpdates(kInvoices, "1+"_v)), kSyntaxError);
}

TEST_F(RelupTest, SavesApplyAndTakeBackWithTheirSign) {
  ASSERT_EQ(RelationsLoad(kCustomers, Val()), 0);
  struct Step {
    const char* what;
    std::function<Status()> run;
    const char* users;  // _USER01 (saves) and _USER02 (sum of the codes)
  };
  const std::vector<Step> steps = {
      {"insert 5", [] { return SaveCustomer(kCodeInsert, 5, "1"); }, "1 5"},
      {"insert 7", [] { return SaveCustomer(kCodeInsert, 7, ""); }, "2 12"},
      {"delete 5: options 0 and 1 with _SGN -1",
       [] { return Find(kCustomers, "     5") ?: MaintenanceSave(kCodeDelete, kCustomers, "1"_v, Val(), Val()); },
       "1 7"},
      {"save 7 as 8: 7 taken back, 8 applied",
       [] { return Find(kCustomers, "     7") ?: Exec("CODE{1}=8") ?: MaintenanceSave(kCodeSave, kCustomers, Val(), Val(), Val()); },
       "1 8"},
      {"insert without relations", [] { return SaveCustomer(kCodeInsert | kSaveNoRelations, 9, ""); }, "1 8"},
      {"insert with option NONE", [] { return SaveCustomer(kCodeInsert, 10, "NONE"); }, "1 8"},
      {"insert while _UPSTAT has no bit 1",
       [] { SysSet(kSysUpStat, 0); Status st = SaveCustomer(kCodeInsert, 11, ""); SysSet(kSysUpStat, 1); return st; },
       "1 8"},
      {"insert 12", [] { return SaveCustomer(kCodeInsert, 12, ""); }, "2 20"},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.run(), 0) << s.what << ": " << S(ErrDetail());
    EXPECT_EQ(Users(), s.users) << s.what;
    EXPECT_EQ(SysGet(kSysSgn), 0) << s.what;
  }
  EXPECT_EQ(FieldOf(kCustomers, "     8", "CODE"), "8");
  EXPECT_EQ(Find(kCustomers, "     7"), kNotFound);
}

TEST_F(RelupTest, SqlDefinitionsAndBadLines) {
  // With _AUXSTAT bit 2048 the SQL definitions are loaded, and _UPSTAT bit 32 is set while
  // they are evaluated.
  Put("data/DERELUPSQL.DAT", "0100_USER03=_UPSTAT\r\n");
  SysSet(kSysAuxStat, 2048);
  ASSERT_EQ(RelationsLoad(kCustomers, Val()), 0);
  ASSERT_EQ(SaveCustomer(kCodeInsert, 3, ""), 0);
  EXPECT_EQ(SysGet(kSysUser03), 1 | 32);
  EXPECT_EQ(SysGet(kSysUpStat), 1);
  RelationsUnload(kCustomers, 0);
  SysSet(kSysAuxStat, 0);
  // A line whose first four columns are not digits or blanks.
  Put("data/DERELUP.DAT", "0100_USER01=1\r\n01x0_USER01=2\r\n");
  EXPECT_EQ(RelationsLoad(kCustomers, Val()), kSyntaxError);
  EXPECT_NE(S(ErrDetail()).find("line 2: 01x0"), std::string::npos) << S(ErrDetail());
  EXPECT_EQ(RelationsHighest(kCustomers), -1);
  // No definitions file: nothing to load, no error.
  std::filesystem::remove(root_ / "data/DERELUP.DAT");
  EXPECT_EQ(RelationsLoad(kCustomers, Val()), 0);
  EXPECT_EQ(RelationsDepth(), 0);
}

}  // namespace
}  // namespace orv
