// The bundled demo application with the data layer bound to the expression language: its
// definitions copied into data/ of a new temporary folder, datas/ the working folder, every
// data file open for update. customers (1): CODE N6, NAME, ..., BALANCE 2/12; items (2):
// CODE A10, DESCRIPTION, PRICE, STOCK N8, UNIT; invoices (3): NUMBER N8, N_LINE N4, CUSTOMER
// N6, DATE, ITEM A10, QUANTITY, PRICE, AMOUNT, keyed by NUMBER and N_LINE; its relation
// updates (option 2, the lines) keep an item's stock and a customer's balance.
#ifndef ORVALE_TESTS_DATA_DEMO_FIXTURE_H
#define ORVALE_TESTS_DATA_DEMO_FIXTURE_H

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/commands.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/exprbind.h"
#include "data/fields.h"
#include "data/relup.h"
#include "data/save.h"
#include "data/state.h"
#include "data_fixture.h"
#include "expr/execute.h"
#include "expr/state.h"
#include "expr/sysvars.h"

namespace orv {

enum : uint16_t { kCustomers = 1, kItems = 2, kInvoices = 3 };

class DemoTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    ASSERT_EQ(ExprInit(), 0);
    DataBindExpression();
    std::filesystem::copy(std::filesystem::path(ORVALE_SOURCE_DIR) / "apps/demo/data", root_ / "data");
    std::filesystem::create_directories(root_ / "datas");
    std::filesystem::current_path(root_ / "datas");
    ScratchScope scope;
    ASSERT_EQ(DictLoad(ValOf(EnginePathOf("data")), "DE"_v, ""_v), 0);
    for (uint16_t f = 1; f <= 3; ++f) ASSERT_EQ(DataFileOpen(f, 0), 0) << f;
  }
  void TearDown() override {
    DataReset();
    ExprShutdown();
    DataTest::TearDown();
  }

  // Executes expression statements; their status (0, or 122 and above).
  static Status Exec(const std::string& text) {
    ScratchScope scope;
    return Execute(ValOf(text));
  }
  // A field of the current record, blanks trimmed.
  static std::string Field(uint16_t file, const char* name) {
    ScratchScope scope;
    return TextTrim(DataFileReadField(file, DictFieldByName(file, ValOf(name)), kCurrent), kTrimBoth).str();
  }
  // Finds a key value by key 1: the find status.
  static Status Find(uint16_t file, const std::string& key) {
    ScratchScope scope;
    return DataFileFind(file, 1, ValOf(key), 0);
  }
  // A field of the record found by key 1 (empty when there is none).
  static std::string FieldOf(uint16_t file, const std::string& key, const char* name) {
    return Find(file, key) == kFound ? Field(file, name) : "<none>";
  }

  // Stocked items and customers: A1 (stock 100), B2 (stock 50); customers 1 and 2.
  void Catalogue() {
    for (const char* item : {"CODE{2}='A1';DESCRIPTION{2}='Bolts';PRICE{2}=2;STOCK{2}=100",
                             "CODE{2}='B2';DESCRIPTION{2}='Nuts';PRICE{2}=1.5;STOCK{2}=50"}) {
      ASSERT_EQ(DataFileMove(kItems, kMoveBlank), kBlankRecord);
      ASSERT_EQ(Exec(item), 0) << item;
      ASSERT_EQ(DataFileSave(kCodeInsert, kItems, kRelationsNone, Val()), 0) << item;
    }
    for (const char* c : {"CODE{1}=1;NAME{1}='Acme'", "CODE{1}=2;NAME{1}='Bolt & Co'"}) {
      ASSERT_EQ(DataFileMove(kCustomers, kMoveBlank), kBlankRecord);
      ASSERT_EQ(Exec(c), 0) << c;
      ASSERT_EQ(DataFileSave(kCodeInsert, kCustomers, kRelationsNone, Val()), 0) << c;
    }
    ASSERT_EQ(RelationsLoad(kInvoices, Val()), 0);
  }
  // A blank invoice record with these fields (the key NUMBER and N_LINE included).
  static Status Line(int number, int line, int customer, const char* item, const char* qty,
                     const char* price) {
    if (Status st = DataFileMove(kInvoices, kMoveBlank); st != kBlankRecord) return st;
    char text[256];
    std::snprintf(text, sizeof text,
                  "NUMBER{3}=%d;N_LINE{3}=%d;CUSTOMER{3}=%d;ITEM{3}='%s';QUANTITY{3}=%s;"
                  "PRICE{3}=%s;AMOUNT{3}=QUANTITY{3}*PRICE{3}",
                  number, line, customer, item, qty, price);
    return Exec(text);
  }
  static std::string Stock(const char* item) { return FieldOf(kItems, Pad(item, 10), "STOCK"); }
  static std::string Balance(int customer) {
    char key[8];
    std::snprintf(key, sizeof key, "%6d", customer);
    return FieldOf(kCustomers, key, "BALANCE");
  }
  // The key of an invoice line: NUMBER (8) and N_LINE (4), right-aligned.
  static std::string LineKey(int number, int line) {
    char key[16];
    std::snprintf(key, sizeof key, "%8d%4d", number, line);
    return key;
  }
  static std::string Pad(const std::string& s, size_t n) { return s + std::string(n - s.size(), ' '); }

  // Every file of datas/ with its bytes and the time it was last written, to tell that a
  // step wrote no byte.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(root_ / "datas")) {
      struct stat st;
      ::stat(e.path().c_str(), &st);
      out[e.path().filename().string()] =
          Get("datas/" + e.path().filename().string()) + "@" + std::to_string(st.st_mtim.tv_sec) +
          "." + std::to_string(st.st_mtim.tv_nsec);
    }
    return out;
  }
};

}  // namespace orv

#endif  // ORVALE_TESTS_DATA_DEMO_FIXTURE_H
