// The save pipeline on the demo application: invoice lines keep the items' stock and the
// customers' balance in step through the relation updates, key checks refuse what they
// should and write nothing then, and an update that fails midway is reported.
#include <fstream>
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

TEST_F(SaveTest, RefusedAndUnchangedSavesWriteNoByte) {
  ASSERT_EQ(Line(1, 1, 1, "A1", "5", "2") ?: Save(kCodeInsert), 0);
  struct Case {
    const char* what;
    std::function<Status()> run;
    Status status;
  };
  const std::vector<Case> cases = {
      {"insert of an existing key 1", [] { return Line(1, 1, 2, "B2", "1", "1") ?: Save(kCodeInsert); }, kBadKey},
      {"save of the unchanged line", [] { return Find(kInvoices, LineKey(1, 1)) ?: Save(kCodeSave); }, 0},
      {"save of a line changed back", [] { return Change(1, 1, "QUANTITY{3}=9;QUANTITY{3}=5") ?: Save(kCodeSave); }, 0},
      {"move on from the unchanged line", [] { return Find(kInvoices, LineKey(1, 1)) ?: Save(0x0F12); }, 0},
      {"delete without a current record",
       [] { return DataFileMove(kInvoices, kMoveBlank) == kBlankRecord ? Save(kCodeDelete) : kInternal; }, kBadKey},
      {"insert of a void key",
       [] {
         return DataFileMove(kInvoices, kMoveBlank) == kBlankRecord
                    ? Exec("ITEM{3}='A1';QUANTITY{3}=3") ?: Save(kCodeInsert) : kInternal;
       },
       0},
      {"insert of a key that the key check finds void",
       [] {
         return Line(2, 1, 0, "A1", "3", "2") ?:
                MaintenanceSave(kCodeInsert, kInvoices, Val(), "CUSTOMER{3}"_v, Val());
       },
       0},
      {"update through the pipeline of the unchanged line without relations",
       [] { return Find(kInvoices, LineKey(1, 1)) ?: DataFileSave(kSaveUpdate, kInvoices, "NONE"_v, Val()); }, 0},
  };
  auto before = Snapshot();
  for (const Case& c : cases) {
    EXPECT_EQ(c.run(), c.status) << c.what << ": " << S(ErrDetail());
    EXPECT_EQ(Snapshot(), before) << c.what;
  }
  EXPECT_EQ(Stock("A1"), "95");
}

TEST_F(SaveTest, SaveOnANewRecordInsertsIt) {
  ASSERT_EQ(Line(3, 1, 2, "B2", "2", "1.5"), 0);
  Status st;
  EXPECT_EQ(DataFileOpened(kInvoices, &st)->last_status, kBlankRecord);
  ASSERT_EQ(Save(kCodeSave), 0) << S(ErrDetail());
  EXPECT_EQ(FieldOf(kInvoices, LineKey(3, 1), "ITEM"), "B2");
  EXPECT_EQ(Stock("B2"), "48");
  EXPECT_EQ(Balance(2), "3");
  // The task's SAVED$ runs after a save that went well, and only then.
  ASSERT_EQ(Change(3, 1, "QUANTITY{3}=4;AMOUNT{3}=6"), 0);
  EXPECT_EQ(MaintenanceSave(kCodeSave, kInvoices, Val(), Val(), "_USER01=_USER01+1"_v), 0);
  ASSERT_EQ(Line(3, 1, 2, "B2", "2", "1.5"), 0);
  EXPECT_EQ(MaintenanceSave(kCodeInsert, kInvoices, Val(), Val(), "_USER01=_USER01+1"_v), kBadKey);
  EXPECT_EQ(SysGet(kSysUser01), 1);
  EXPECT_EQ(Stock("B2"), "46");
  EXPECT_EQ(Balance(2), "6");
}

TEST_F(SaveTest, VoidKeys) {
  struct Case {
    int number, line, customer;
    const char* check;
    bool is_void;
  };
  const std::vector<Case> cases = {
      {0, 0, 0, "", true},             // key 1 all blanks
      {1, 0, 0, "", false},
      {0, 2, 0, "", false},
      {1, 1, 0, "CUSTOMER{3}", true},  // the check is as for a blank record
      {1, 1, 4, "CUSTOMER{3}", false},
      {1, 1, 4, "N_LINE{3}>5", true},
      {1, 7, 4, "N_LINE{3}>5", false},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(DataFileMove(kInvoices, kMoveBlank), kBlankRecord);
    std::string set;
    if (c.number) set += "NUMBER{3}=" + std::to_string(c.number) + ";";
    if (c.line) set += "N_LINE{3}=" + std::to_string(c.line) + ";";
    if (c.customer) set += "CUSTOMER{3}=" + std::to_string(c.customer) + ";";
    ASSERT_EQ(Exec(set + "ITEM{3}='A1'"), 0);
    std::string record = S(DataFileRecord(kInvoices, kCurrent));
    bool is_void = !c.is_void;
    ScratchScope scope;
    EXPECT_EQ(DataFileKeyVoid(kInvoices, ValOf(c.check), &is_void), 0);
    EXPECT_EQ(is_void, c.is_void) << set << " " << c.check;
    EXPECT_EQ(S(DataFileRecord(kInvoices, kCurrent)), record);
  }
}

TEST_F(SaveTest, AnUpdateThatFailsMidwayIsReported) {
  RelationsUnload(kInvoices, 0);
  Put("data/DERELUP.DAT",
      "0302FILEREL(3;2;1;0;STOCK{2}=STOCK{2}-_SGN*QUANTITY{3})\r\n"
      "0302FILEREL(3;1;1;0;BALANCE{1}=BALANCE{1}+_SGN*1D13)\r\n");  // 14 digits do not fit
  ASSERT_EQ(RelationsLoad(kInvoices, Val()), 0);
  g_data.log.clear();
  ASSERT_EQ(Line(4, 2, 1, "A1", "5", "2"), 0);
  EXPECT_EQ(Save(kCodeInsert), kDataOutBound);
  EXPECT_NE(S(ErrDetail()).find("invoices: relational updates of the record with key '4   2'"),
            std::string::npos) << S(ErrDetail());
  ASSERT_FALSE(g_data.log.empty());
  EXPECT_NE(g_data.log.back().find("status 168; writes made: invoices inserted '4   2'; items updated 'A1'"),
            std::string::npos) << g_data.log.back();
  // What was written stays: the line, and the stock before the balance failed.
  EXPECT_EQ(FieldOf(kInvoices, LineKey(4, 2), "ITEM"), "A1");
  EXPECT_EQ(Stock("A1"), "95");
  EXPECT_EQ(Balance(1), "");
  EXPECT_EQ(SysGet(kSysSgn), 0);
}

TEST_F(SaveTest, ARecordChangedOnDiskSinceItWasReadIsNotSaved) {
  ASSERT_EQ(Line(1, 1, 1, "A1", "5", "2") ?: Save(kCodeInsert), 0);
  ASSERT_EQ(Find(kInvoices, LineKey(1, 1)), kFound);
  // Another program writes the quantity 6 into the record (QUANTITY is at byte 36).
  Status st;
  int64_t rec = DataFileOpened(kInvoices, &st)->cur_rec;
  {
    std::fstream f(root_ / "datas/invoices.FD", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(rec * 68 + 36);
    f.write("         6", 10);
  }
  ASSERT_EQ(Exec("QUANTITY{3}=8"), 0);
  auto before = Snapshot();
  EXPECT_EQ(Save(kCodeSave), kRecordChanged);
  EXPECT_EQ(Save(kCodeDelete), kRecordChanged);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(Stock("A1"), "95");
  // Read again, it saves: 6 taken back, 8 applied.
  ASSERT_EQ(Change(1, 1, "QUANTITY{3}=8"), 0);
  EXPECT_EQ(Save(kCodeSave), 0);
  EXPECT_EQ(Stock("A1"), "93");
}

TEST_F(SaveTest, DocumentsWriteTheirLinesThroughThePipeline) {
  struct KeyCase {
    uint16_t file;
    const char* document;
    int line;
    const char* key;
  };
  for (const KeyCase& c : std::vector<KeyCase>{{kInvoices, "       5", 3, "       5   3"},
                                              {kInvoices, "       5", 0, "       5    "},
                                              {kInvoices, "5", 12, "5         12"},
                                              {kInvoices, "       5   9", 1, "       5   1"},
                                              {kItems, "A1", 1, "<error 163>"}}) {
    ScratchScope scope;
    EXPECT_EQ(S(DocumentLineKey(c.file, ValOf(c.document), c.line)), c.key) << c.document << c.line;
  }
  // A document of a header and two lines, written line by line: each line's updates apply.
  ASSERT_EQ(Line(5, 0, 2, "A1", "2", "1"), 0);
  ASSERT_EQ(DocumentSaveLine(kInvoices, 1, Val()), 0);
  ASSERT_EQ(Exec("ITEM{3}='B2';QUANTITY{3}=3;AMOUNT{3}=3"), 0);
  ASSERT_EQ(DocumentSaveLine(kInvoices, 2, Val()), 0);
  ASSERT_EQ(Exec("ITEM{3}='';QUANTITY{3}=0;AMOUNT{3}=0"), 0);
  ASSERT_EQ(DocumentSaveLine(kInvoices, 0, Val()), 0);
  EXPECT_EQ(Stock("A1"), "98");
  EXPECT_EQ(Stock("B2"), "47");
  EXPECT_EQ(Balance(2), "5");
  std::vector<std::string> lines;
  for (Status st = DataFileMove(kInvoices, kMoveFirst); st == kFound; st = DataFileMove(kInvoices, kMoveNext))
    lines.push_back(Field(kInvoices, "N_LINE") + ":" + Field(kInvoices, "ITEM"));
  EXPECT_EQ(lines, (std::vector<std::string>{":", "1:A1", "2:B2"}));
  ASSERT_EQ(DocumentDelete(kInvoices, "       5"_v, Val()), 0);
  EXPECT_EQ(DataFileMove(kInvoices, kMoveFirst), kEndOfFile);
  EXPECT_EQ(Stock("A1"), "100");
  EXPECT_EQ(Stock("B2"), "50");
  EXPECT_EQ(Balance(2), "");
  EXPECT_EQ(DocumentDelete(kInvoices, " "_v, Val()), kDataError);
}

}  // namespace
}  // namespace orv
