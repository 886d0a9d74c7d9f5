// Relations on the demo application: the lookup of a partner's key from the relation text,
// and every way RelationApply acts on the partner, with _RELRES.
#include <filesystem>
#include <string>
#include <vector>

#include "data/relations.h"
#include "demo_fixture.h"

namespace orv {
namespace {

// The demo's relations of invoices, and more for the lookups: 2 a quoted expression, 3 no
// key number, 4 a number into a text key, 5 a literal by key 2, 9 only towards file 12.
constexpr char kRelations[] =
    "63 invoices:1R1K1=CUSTOMER{}:2R1K1=ITEM{}\r\n"
    "63 more:2R2K1=\"'Z'+ITEM{}\" 2R3K=ITEM{}&2R4K2=\"10/4\"/2R5K2=\"'Bolts'\" 12R9K1=ITEM{}\r\n";

class RelationsTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    DataFilesDrop(0);
    Put("data/DEREL.DAT", kRelations);
    ScratchScope scope;
    ASSERT_EQ(DictLoad(ValOf(EnginePathOf("data")), "DE"_v, ""_v), 0);
    for (uint16_t f = 1; f <= 3; ++f) ASSERT_EQ(DataFileOpen(f, 0), 0);
    Catalogue();
  }
  // Items A1 (100, Bolts) and B2 (50, Nuts) and nothing else.
  void ResetItems() {
    ASSERT_EQ(DataFileClose(kItems), 0);
    std::filesystem::remove(root_ / "datas/items.FD");
    std::filesystem::remove(root_ / "datas/items.DIR");
    ASSERT_EQ(DataFileOpen(kItems, 0), 0);
    for (const char* item : {"CODE{2}='A1';DESCRIPTION{2}='Bolts';STOCK{2}=100",
                             "CODE{2}='B2';DESCRIPTION{2}='Nuts';STOCK{2}=50"}) {
      ASSERT_EQ(DataFileMove(kItems, kMoveBlank), kBlankRecord);
      ASSERT_EQ(Exec(item), 0);
      ASSERT_EQ(DataFileInsert(kItems), 0);
    }
  }
  // Every item in code order: "CODE STOCK DESCRIPTION|...".
  std::string Items() {
    DataFileSnapshot keep;
    DataFileSaveState(kItems, &keep);
    DataFileFind(kItems, 1, " "_v, 0);
    std::string out;
    for (Status st = DataFileMove(kItems, kMoveFirst); st == kFound; st = DataFileMove(kItems, kMoveNext))
      out += (out.empty() ? "" : "|") + Field(kItems, "CODE") + " " + Field(kItems, "STOCK") + " " +
             Field(kItems, "DESCRIPTION");
    DataFileRestoreState(kItems, keep);
    return out;
  }
};

TEST_F(RelationsTest, LookupFindsTheEntryAndItsKey) {
  ASSERT_EQ(Line(1, 1, 1, "A1", "5", "2"), 0);
  struct Case {
    uint16_t target, relation;
    Status status;
    int key;
    const char* value;
  };
  const std::vector<Case> cases = {
      {2, 1, 0, 1, "A1        "},   // the field as stored
      {2, 2, 0, 1, "ZA1        "},  // quoted, so that it may hold separators
      {2, 3, 0, 0, "A1        "},   // no key number after K
      {2, 4, 0, 2, "2.5"},         // a number into a text key stays as written
      {1, 1, 0, 1, "     1"},      // a number into a numeric key is placed as the field holds it
      {2, 9, kDataError, 0, ""},   // "12R9K" is no entry for file 2
      {2, 6, kDataError, 0, ""},
      {3, 1, kDataError, 0, ""},
  };
  // The entries belong to invoices: NAME{} means its fields whatever the current file.
  DataSysSet(sysvar::kCurFil, kItems);
  for (const Case& c : cases) {
    ScratchScope scope;
    int key = -1;
    Val value;
    EXPECT_EQ(RelationLookup(kInvoices, c.target, c.relation, &key, &value), c.status)
        << c.target << "R" << c.relation;
    EXPECT_EQ(key, c.key) << c.target << "R" << c.relation;
    EXPECT_EQ(S(value), c.value) << c.target << "R" << c.relation;
  }
}

TEST_F(RelationsTest, ApplyActsOnThePartnerAsTheFlagsSay) {
  const std::string both = "A1 100 Bolts|B2 50 Nuts";
  struct Case {
    int flags;
    const char* item;
    const char* assignments;
    bool browsing;   // _SCRSTAT bit 64
    int16_t last_key;
    Status status;
    int16_t relres;
    std::string items;
    const char* partner;  // the item in the partner's buffer afterwards
  };
  const std::vector<Case> cases = {
      {0x01, "A1", "STOCK{2}=STOCK{2}-1", false, 4, 0, 0, "A1 99 Bolts|B2 50 Nuts", "A1"},
      {0x01, "A1", "", false, 4, 0, 0, both, "A1"},
      {0x01, "A5", "STOCK{2}=1", false, 4, 1, 0, both, "A5"},   // blank, carrying the key
      {0x01, "Z9", "STOCK{2}=1", false, 4, 2, 0, both, "Z9"},
      {0x05, "Z9", "DESCRIPTION{2}='new';STOCK{2}=7", false, 4, 0, 4, both + "|Z9 7 new", "Z9"},
      {0x05, "A5", "STOCK{2}=7", false, 4, 0, 4, "A1 100 Bolts|A5 7 |B2 50 Nuts", "A5"},
      // Positioned on B2 by bit 0x02, the new partner still starts blank.
      {0x07, "A5", "STOCK{2}=7", false, 4, 0, 4, "A1 100 Bolts|A5 7 |B2 50 Nuts", "A5"},
      {0x05, "A1", "STOCK{2}=5", false, 4, 0, 0, "A1 5 Bolts|B2 50 Nuts", "A1"},
      {0x09, "A1", "STOCK{2}=5", false, 4, 0, 0, both, "A1"},
      {0x0D, "A1", "", false, 4, 0, 12, "B2 50 Nuts", "\x1b" "1"},
      {0x0D, "A5", "", false, 4, 1, 0, both, "A5"},
      {0x01, "", "STOCK{2}=1", false, 4, 1, 0, both, ""},
      // Browsing a lookup with PgDn and PgUp: the partner after (before) the one found.
      {0x03, "A1", "", true, 29, 0, 2, both, "B2"},
      {0x03, "B2", "", true, 23, 0, 2, both, "A1"},
      {0x03, "A1", "", false, 29, 0, 0, both, "A1"},
      {0x0B, "A0", "STOCK{2}<60", true, 29, 0, 2, both, "B2"},
  };
  for (const Case& c : cases) {
    ResetItems();
    ASSERT_EQ(Line(1, 1, 1, c.item, "5", "2"), 0);
    DataSysSet(sysvar::kScrStat, c.browsing ? 64 : 0);
    DataSysSet(sysvar::kLastKey, c.last_key);
    DataSysSet(sysvar::kRelRes, 99);
    ScratchScope scope;
    std::string what = std::to_string(c.flags) + " " + c.item + " " + c.assignments;
    EXPECT_EQ(RelationApply(kInvoices, kItems, 1, c.flags, ValOf(c.assignments)), c.status) << what;
    EXPECT_EQ(DataSys(sysvar::kRelRes), c.relres) << what;
    EXPECT_EQ(Field(kItems, "CODE"), c.partner) << what;
    EXPECT_EQ(Items(), c.items) << what;
    EXPECT_FALSE(DataSysBits(sysvar::kScrStat, 64)) << what;
  }
}

TEST_F(RelationsTest, EmptyKeysUndefinedRelationsAndEveryPartner) {
  ResetItems();
  ASSERT_EQ(DataFileMove(kInvoices, kMoveBlank), kBlankRecord);
  // No customer: the key value is empty and nothing is done.
  EXPECT_EQ(RelationApply(kInvoices, kCustomers, 1, 0x05, "NAME{1}='x'"_v), 0);
  EXPECT_EQ(RelationApply(kInvoices, kItems, 7, 0x01, Val()), kDataError);
  // While _UPSTAT has bit 32 every partner with the key value is updated.
  ASSERT_EQ(Exec("CODE{2}='C3';DESCRIPTION{2}='Bolts';STOCK{2}=1"), 0);
  ASSERT_EQ(DataFileInsert(kItems), 0);
  DataSysSet(sysvar::kUpStat, 1 | 32);
  EXPECT_EQ(RelationApply(kInvoices, kItems, 5, 0x01, "STOCK{2}=STOCK{2}+10"_v), 0);
  EXPECT_EQ(Items(), "A1 110 Bolts|B2 50 Nuts|C3 11 Bolts");
}

}  // namespace
}  // namespace orv
