// Several programs on the same demo files at once: two writers saving through the pipeline
// lose nothing (records, index, the stock and balances their updates keep), a reader that
// refreshes sees their records, a record changed by another program is not saved over,
// and exclusive use is exclusive. The other programs are child processes that open the
// files themselves.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "data/fileset.h"
#include "data/reorg.h"
#include "demo_fixture.h"

namespace orv {
namespace {

class SharedTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    Catalogue();
    // Nothing of this process's open files may reach a child: each opens its own.
    DataFilesDrop(0);
  }

  struct Child {
    pid_t pid = -1;
    int go = -1;    // the parent writes a byte to let it go on
    int done = -1;  // the child writes a byte when it got there
  };
  // Starts a child that waits for the go, runs `body` (its status becomes the exit code)
  // and tells when it is done; it then waits for a second go before it ends.
  Child Start(const std::function<int()>& body) {
    int to_child[2], from_child[2];
    EXPECT_EQ(pipe(to_child), 0);
    EXPECT_EQ(pipe(from_child), 0);
    Child c;
    c.pid = fork();
    if (c.pid == 0) {
      close(to_child[1]);
      close(from_child[0]);
      char b;
      if (read(to_child[0], &b, 1) != 1) _exit(90);
      int rc = body();
      if (write(from_child[1], "x", 1) != 1) _exit(91);
      if (read(to_child[0], &b, 1) < 0) _exit(92);
      DataFilesDrop(0);
      _exit(rc);
    }
    close(to_child[0]);
    close(from_child[1]);
    c.go = to_child[1];
    c.done = from_child[0];
    return c;
  }
  static void Go(const Child& c) { EXPECT_EQ(write(c.go, "x", 1), 1); }
  static void AwaitDone(const Child& c) {
    char b;
    EXPECT_EQ(read(c.done, &b, 1), 1);
  }
  // Lets the child end and returns its exit code.
  static int Finish(const Child& c) {
    Go(c);
    int status = 0;
    waitpid(c.pid, &status, 0);
    close(c.go);
    close(c.done);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
  }

  // A writer: invoices first + 0, first + 1, ... one line each, for customer `customer`;
  // every third round it raises the quantity of its previous line. Half of the inserts go
  // through the maintenance save, half through the bare pipeline as a procedure does.
  static int Writer(int first, int customer, int rounds) {
    for (uint16_t f = 1; f <= 3; ++f)
      if (DataFileOpen(f, 0)) return 10;
    for (int r = 0; r < rounds; ++r) {
      const char* item = r % 2 ? "A1" : "B2";
      std::string qty = std::to_string(1 + r % 5);
      if (Line(first + r, 1, customer, item, qty.c_str(), "2")) return 11;
      Status st = r % 4 < 2 ? MaintenanceSave(kCodeInsert, kInvoices, Val(), Val(), Val())
                            : DataFileSave(kCodeInsert, kInvoices, Val(), Val());
      if (st) {
        std::fprintf(stderr, "insert %d: %u %s\n", first + r, st, S(ErrDetail()).c_str());
        return 12;
      }
      if (r % 3 == 2) {
        if (Find(kInvoices, LineKey(first + r - 1, 1)) ||
            Exec("QUANTITY{3}=QUANTITY{3}+1;AMOUNT{3}=QUANTITY{3}*PRICE{3}") ||
            (st = MaintenanceSave(kCodeSave, kInvoices, Val(), Val(), Val()))) {
          std::fprintf(stderr, "update %d: %u %s\n", first + r - 1, st, S(ErrDetail()).c_str());
          return 13;
        }
      }
    }
    for (uint16_t f = 1; f <= 3; ++f)
      if (DataFileClose(f)) return 14;
    return 0;
  }

  // The invoices' quantities by item and amounts by customer, read from the file.
  static void Totals(std::map<std::string, int>* qty, std::map<std::string, int>* amount,
                     int* lines) {
    *lines = 0;
    for (Status st = DataFileMove(kInvoices, kMoveFirst); st == kFound;
         st = DataFileMove(kInvoices, kMoveNext)) {
      ++*lines;
      (*qty)[Field(kInvoices, "ITEM")] += std::stoi(Field(kInvoices, "QUANTITY"));
      (*amount)[Field(kInvoices, "CUSTOMER")] += std::stoi(Field(kInvoices, "AMOUNT"));
    }
  }
};

TEST_F(SharedTest, TwoWritersLoseNothingAndAReaderSeesTheirRecords) {
  constexpr int kRounds = 40;
  Child a = Start([] { return Writer(1000, 1, kRounds); });
  Child b = Start([] { return Writer(2000, 2, kRounds); });
  // The reader opens the file before the writers start.
  ASSERT_EQ(DataFileOpen(kInvoices, kModeReadOnly), 0);
  EXPECT_EQ(DataFileMove(kInvoices, kMoveFirst), kEndOfFile);
  Go(a);
  Go(b);
  AwaitDone(a);
  AwaitDone(b);
  EXPECT_EQ(Finish(a), 0);
  EXPECT_EQ(Finish(b), 0);
  ASSERT_EQ(DataFileRefresh(kInvoices), 0);
  std::map<std::string, int> qty, amount;
  int lines = 0;
  Totals(&qty, &amount, &lines);
  EXPECT_EQ(lines, 2 * kRounds);
  ASSERT_EQ(DataFileClose(kInvoices), 0);
  for (uint16_t f = 1; f <= 3; ++f) ASSERT_EQ(DataFileOpen(f, 0), 0);
  for (int first : {1000, 2000}) {
    for (int r = 0; r < kRounds; ++r) {
      // Every third round raised the line before it by one.
      int want = 1 + r % 5 + (r % 3 == 1 && r + 1 < kRounds ? 1 : 0);
      ASSERT_EQ(Find(kInvoices, LineKey(first + r, 1)), kFound) << first + r;
      EXPECT_EQ(Field(kInvoices, "QUANTITY"), std::to_string(want)) << first + r;
    }
  }
  // Every update of both reached the items and the customers.
  EXPECT_EQ(Stock("A1"), std::to_string(100 - qty["A1"]));
  EXPECT_EQ(Stock("B2"), std::to_string(50 - qty["B2"]));
  EXPECT_EQ(Balance(1), std::to_string(amount["1"]));
  EXPECT_EQ(Balance(2), std::to_string(amount["2"]));
  DataFilesDrop(0);
  for (uint16_t f = 1; f <= 3; ++f) {
    std::vector<std::string> problems = Problems(f);
    EXPECT_TRUE(problems.empty()) << f << ": " << problems[0];
  }
  std::string cmd = std::string(ORVALE_DB) + " --app " + root_.string() + " --prefix DE check";
  EXPECT_EQ(std::system((cmd + " >/dev/null").c_str()), 0);
}

TEST_F(SharedTest, ARecordAnotherProgramChangedIsNotSavedOver) {
  for (uint16_t f = 1; f <= 3; ++f) ASSERT_EQ(DataFileOpen(f, 0), 0);
  ASSERT_EQ(Line(1, 1, 1, "A1", "5", "2") ?: MaintenanceSave(kCodeInsert, kInvoices, Val(), Val(), Val()), 0);
  ASSERT_EQ(Find(kInvoices, LineKey(1, 1)), kFound);
  ASSERT_EQ(Exec("QUANTITY{3}=8"), 0);
  // Meanwhile another program saves the line with 6.
  Child other = Start([] {
    DataFilesDrop(0);
    for (uint16_t f = 1; f <= 3; ++f)
      if (DataFileOpen(f, 0)) return 10;
    if (Find(kInvoices, LineKey(1, 1)) || Exec("QUANTITY{3}=6")) return 11;
    return int(MaintenanceSave(kCodeSave, kInvoices, Val(), Val(), Val()));
  });
  Go(other);
  AwaitDone(other);
  ASSERT_EQ(Finish(other), 0);
  EXPECT_EQ(MaintenanceSave(kCodeSave, kInvoices, Val(), Val(), Val()), kRecordChanged);
  EXPECT_EQ(MaintenanceSave(kCodeDelete, kInvoices, Val(), Val(), Val()), kRecordChanged);
  EXPECT_EQ(Stock("A1"), "94");  // 5 and then the other program's 6
  ASSERT_EQ(Find(kInvoices, LineKey(1, 1)), kFound);
  EXPECT_EQ(Field(kInvoices, "QUANTITY"), "6");
  ASSERT_EQ(Exec("QUANTITY{3}=8"), 0);
  EXPECT_EQ(MaintenanceSave(kCodeSave, kInvoices, Val(), Val(), Val()), 0);
  EXPECT_EQ(Stock("A1"), "92");
}

TEST_F(SharedTest, ExclusiveUseIsExclusiveBothWays) {
  struct Case {
    const char* theirs;  // the list the other program applied
    const char* mine;
    Status status;
  };
  const std::vector<Case> cases = {
      {"items;2", "items", kPermissionDenied},
      {"items;2", "items;1", kPermissionDenied},
      {"items;2", "items;2", kPermissionDenied},
      {"items", "items;2", kPermissionDenied},
      {"items;1", "items;2", kPermissionDenied},
      {"items", "items", 0},
      {"items;1", "items", 0},
      {"customers;2", "items;2", 0},
  };
  for (const Case& c : cases) {
    std::string theirs = c.theirs;
    Child other = Start([theirs] {
      ScratchScope scope;
      return int(FileSetApply(ValOf(theirs)));
    });
    Go(other);
    AwaitDone(other);
    {
      ScratchScope scope;
      EXPECT_EQ(FileSetApply(ValOf(c.mine)), c.status) << c.theirs << " / " << c.mine;
    }
    if (c.status) {
      // Nothing of the refused list is open; a reorganisation is refused as well.
      Status st;
      EXPECT_EQ(DataFileOpened(kItems, &st), nullptr) << c.theirs << " / " << c.mine;
      EXPECT_EQ(DataFileReorg(kItems, nullptr), kPermissionDenied) << c.theirs;
    }
    EXPECT_EQ(Finish(other), 0) << c.theirs;
    FileSetTrim(0);
  }
  // Once the other program has ended, exclusive use is granted.
  ASSERT_EQ(FileSetApply("items;2"_v), 0);
}

}  // namespace
}  // namespace orv
