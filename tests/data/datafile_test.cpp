// Data files: open and close, finds and moves, inserts, updates and deletes, fields, the
// lock file, reorganisation, scans and counts.
#include <filesystem>
#include <string>
#include <vector>

#include "core/hostpath.h"
#include "data/fields.h"
#include "data/lockfile.h"
#include "data/reorg.h"
#include "data_fixture.h"

namespace orv {
namespace {

class DataFileTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    ASSERT_EQ(LoadPeople(), 0);
  }
  // Inserts records "C<n>" with name `name` for each n.
  void Fill(int count, const std::string& name = "x") {
    for (int i = 0; i < count; ++i) {
      char code[8];
      std::snprintf(code, sizeof code, "C%03d", i);
      ASSERT_EQ(Insert(code + Pad(name, 10)), 0);
    }
  }
  static std::string Pad(const std::string& s, size_t n) { return s + std::string(n - s.size(), ' '); }
  // Finds a code in key 1.
  Status FindCode(const std::string& code) {
    ScratchScope scope;
    return DataFileFind(1, 1, ValOf(code), 0);
  }
};

constexpr uint32_t kR = 16;

TEST_F(DataFileTest, OpeningCreatesEmptyFiles) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  EXPECT_EQ(Get("people.FD"), "");
  EXPECT_EQ(Get("people.DIR"), std::string(8, '\0'));
  EXPECT_EQ(DataFileMove(1, kMoveFirst), kEndOfFile);
  EXPECT_EQ(DataFileClose(1), 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"TTDICC.DAT", "people.DIR", "people.FD"}));
}

TEST_F(DataFileTest, DeletedSlotsAreReusedLastFreedFirst) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(10);
  ASSERT_EQ(FindCode("C003"), kFound);
  ASSERT_EQ(DataFileDelete(1, 0), 0);
  ASSERT_EQ(FindCode("C007"), kFound);
  ASSERT_EQ(DataFileDelete(1, 0), 0);
  ASSERT_EQ(Insert("N001"), 0);
  ASSERT_EQ(Insert("N002"), 0);
  ASSERT_EQ(DataFileClose(1), 0);
  std::string fd = Get("people.FD");
  ASSERT_EQ(fd.size(), 10 * kR);
  EXPECT_EQ(fd.substr(7 * kR, 4), "N001");
  EXPECT_EQ(fd.substr(3 * kR, 4), "N002");
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  ASSERT_EQ(FindCode("C005"), kFound);
  ASSERT_EQ(DataFileDelete(1, 0), 0);
  ASSERT_EQ(DataFileClose(1), 0);
  fd = Get("people.FD");
  EXPECT_EQ(fd[5 * kR], '\x1b');
  EXPECT_EQ(fd.substr(5 * kR + 1, 3), "005");  // the deleted record keeps its bytes
}

TEST_F(DataFileTest, EqualKeysComeInInsertionOrder) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  ASSERT_EQ(Insert("K002first"), 0);
  EXPECT_EQ(Insert("K001"), 0);
  EXPECT_EQ(Insert("K002second"), kDuplicateKey);
  EXPECT_EQ(Insert("K002third"), kDuplicateKey);
  EXPECT_EQ(Scan(), (std::vector<std::string>{"K001", "K002first", "K002second", "K002third"}));
  // Moving the first of them away and back puts it last among its equals.
  ASSERT_EQ(FindCode("K002"), kFound);
  EXPECT_EQ(Current(), "K002first");
  ASSERT_EQ(DataFileWriteField(1, 1, "K009"_v), 0);
  ASSERT_EQ(DataFileUpdate(1), 0);
  ASSERT_EQ(DataFileWriteField(1, 1, "K002"_v), 0);
  ASSERT_EQ(DataFileUpdate(1), 0);
  EXPECT_EQ(Scan(), (std::vector<std::string>{"K001", "K002second", "K002third", "K002first"}));
}

TEST_F(DataFileTest, FindsByPrefixAndBeyondTheLastKey) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  for (const char* c : {"AA01", "AB02", "AB01", "BB01"}) ASSERT_EQ(Insert(c), 0);
  EXPECT_EQ(FindCode("AB"), kFound);
  EXPECT_EQ(Current(), "AB01");
  EXPECT_EQ(DataFileMove(1, kMoveNext), kFound);
  EXPECT_EQ(Current(), "AB02");
  // Not found: positioned on the next greater key, buffer left as it was.
  EXPECT_EQ(FindCode("AC"), kNotFound);
  EXPECT_EQ(Current(), "AB02");
  EXPECT_EQ(DataFileMove(1, 0), kFound);
  EXPECT_EQ(Current(), "BB01");
  ScratchScope scope;
  EXPECT_EQ(DataFileFind(1, 1, "AC"_v, kFindNext), kNotFound);
  EXPECT_EQ(Current(), "BB01");
  EXPECT_EQ(DataFileFind(1, 1, "ZZ"_v, kFindBlank), kEndOfFile);
  EXPECT_EQ(Current(), "ZZ");
  EXPECT_EQ(DataFileChanged(1), 0);
  // An empty value is one blank: below every code.
  EXPECT_EQ(DataFileFind(1, 1, ""_v, 0), kNotFound);
  // Key 2 (name, code) becomes the current key.
  ASSERT_EQ(DataFileFind(1, 2, "          AB"_v, 0), kFound);
  EXPECT_EQ(Current(), "AB01");
  EXPECT_EQ(DataFileFind(1, 3, "x"_v, 0), kDataOutBound);
}

TEST_F(DataFileTest, MovesAtTheEdges) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(3);
  EXPECT_EQ(DataFileMove(1, kMoveFirst), kFound);
  EXPECT_EQ(DataFileMove(1, kMovePrevious), kNotFound);
  EXPECT_EQ(Current(), "");
  EXPECT_EQ(DataFileMove(1, kMovePrevious | kMoveReadEdge), kNotFound);
  EXPECT_EQ(Current().substr(0, 4), "C000");
  EXPECT_EQ(DataFileMove(1, kMoveLast), kFound);
  EXPECT_EQ(Current().substr(0, 4), "C002");
  EXPECT_EQ(DataFileMove(1, kMoveNext), kEndOfFile);
  EXPECT_EQ(Current(), "");
  EXPECT_EQ(DataFileMove(1, kMovePrevious), kFound);
  EXPECT_EQ(Current().substr(0, 4), "C001");
  EXPECT_EQ(DataFileMove(1, kMoveBlank), kBlankRecord);
  EXPECT_EQ(Current(), "");
}

TEST_F(DataFileTest, UpdatesWriteOnlyChangesAndNeedACurrentRecord) {
  FaultFs& fs = UseFaults();
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(3);
  ASSERT_EQ(FindCode("C001"), kFound);
  uint32_t writes = fs.Calls(FsOp::kWriteAt);
  EXPECT_EQ(DataFileUpdate(1), 0);
  EXPECT_EQ(fs.Calls(FsOp::kWriteAt), writes);
  ASSERT_EQ(DataFileWriteField(1, 2, "aaa"_v), 0);
  EXPECT_EQ(DataFileUpdate(1), 0);
  EXPECT_EQ(fs.Calls(FsOp::kWriteAt), writes + 1);
  EXPECT_EQ(DataFileChanged(1), 0);
  // Past the end there is no current record: nothing is written anywhere.
  EXPECT_EQ(DataFileMove(1, kMoveLast), kFound);
  EXPECT_EQ(DataFileMove(1, kMoveNext), kEndOfFile);
  ASSERT_EQ(DataFileWriteField(1, 1, "BAD!"_v), 0);
  EXPECT_EQ(DataFileUpdate(1), kDataError);
  EXPECT_EQ(DataFileDelete(1, 0), kDataError);
  // A deleted record is no current record either.
  ASSERT_EQ(FindCode("C002"), kFound);
  ASSERT_EQ(DataFileDelete(1, 0), 0);
  EXPECT_EQ(DataFileDelete(1, 0), kDataError);
  EXPECT_EQ(DataFileUpdate(1), kDataError);
  DataFileKeep(1, 1);
  EXPECT_EQ(Scan().size(), 2u);
  ASSERT_EQ(DataFileClose(1), 0);
  EXPECT_EQ(Get("people.FD").substr(0, 4), "C000");
  EXPECT_EQ(Get("people.FD").substr(kR, 7), "C001aaa");
}

TEST_F(DataFileTest, DeleteWithRefindLandsOnTheNextRecord) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(4);
  ASSERT_EQ(FindCode("C001"), kFound);
  ASSERT_EQ(DataFileDelete(1, 0x02), 0);
  EXPECT_EQ(DataFileMove(1, 0), kFound);
  EXPECT_EQ(Current().substr(0, 4), "C002");
  EXPECT_EQ(DataFileDeleteAll(1), kFeatureRemoved);
  EXPECT_EQ(S(ErrDetail()), "DataFileDeleteAll");
  EXPECT_EQ(Scan().size(), 3u);
}

TEST_F(DataFileTest, FieldsAreFormattedAndNeverCut) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  EXPECT_EQ(DataFileWriteField(1, 3, "7"_v), 0);
  EXPECT_EQ(S(DataFileReadField(1, 3, kCurrent)), " 7");
  EXPECT_EQ(DataFileWriteField(1, 3, "123"_v), kDataOutBound);
  EXPECT_EQ(S(DataFileReadField(1, 3, kCurrent)), " 7");
  EXPECT_EQ(DataFileWriteField(1, 2, "a name that is too long"_v), 0);
  EXPECT_EQ(S(DataFileReadField(1, 2, kCurrent)), "a name tha");
  EXPECT_EQ(S(DataFileReadField(1, 2, kSaved)), std::string(10, ' '));
  EXPECT_EQ(DataFileWriteField(1, 4, "x"_v), kDataOutBound);
  EXPECT_EQ(S(DataFileReadField(9, 1, kCurrent)), "<error 168>");
  ASSERT_EQ(DataFileClose(1), 0);
  EXPECT_EQ(S(DataFileReadField(1, 1, kCurrent)), "<error 169>");

  struct Case {
    char type;
    uint16_t width;
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {'A', 4, "ab", "ab  "},      {'A', 2, "abc", "ab"},         {'N', 4, " 12 ", "  12"},
      {'2', 5, "12.345", "12.35"}, {'2', 5, "99.996", "100.0"},  {'N', 3, "12.5", " 13"},
      {'2', 4, "-1.5", "-1.5"},     {'V', 3, "abc", "   "},        {'D', 6, "20240305", "240305"},
      {'N', 3, "1234", nullptr},    {'2', 5, "123456.7", nullptr}, {'N', 2, "-12", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.type) + " " + c.in);
    ScratchScope scope;
    Val out;
    Status st = FieldFit(c.type, c.width, ValFromCStr(c.in), &out);
    if (c.out) {
      EXPECT_EQ(st, 0);
      EXPECT_EQ(S(out), c.out);
    } else {
      EXPECT_EQ(st, kDataOutBound);
    }
  }
}

TEST_F(DataFileTest, CompactDatesAndDNumbers) {
  ASSERT_EQ(Load(Lines({"01**00dates", FieldLine(1, 6, 'F', "WHEN"), FieldLine(1, 8, 'N', "NUM")})), 0);
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  struct Case {
    const char* write;
    const char* stored;
    const char* read;
  };
  const Case cases[] = {
      {"20050101", "A5 1 1", "20050101"}, {"19991231", "991231", "19991231"},
      {"20991010", "J91010", "20991010"}, {"", "      ", "        "},
      {"050101", "A5 1 1", "20050101"},   {"850101", "85 1 1", "19850101"},
      {"A5 1 1", "A5 1 1", "20050101"},
  };
  g_data.sys[sysvar::kCompat] = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.write);
    ScratchScope scope;
    ASSERT_EQ(DataFileWriteField(1, 1, ValFromCStr(c.write)), 0);
    EXPECT_EQ(S(DataFileReadField(1, 1, kCurrent)), c.stored);
    EXPECT_EQ(S(DataFileFieldValue(1, 1)), c.read);
  }
  EXPECT_EQ(DataFileWriteField(1, 1, "18991231"_v), kDataOutBound);
  EXPECT_EQ(DataFileWriteField(1, 1, "soon"_v), kDataOutBound);
  // Without the bit the stored text is the value.
  g_data.sys[sysvar::kCompat] = 0;
  ASSERT_EQ(DataFileSetRecord(1, "A5 1 1D12345 "_v), 0);
  EXPECT_EQ(S(DataFileFieldValue(1, 1)), "A5 1 1");
  EXPECT_EQ(S(DataFileFieldValue(1, 2)), "12339");
}

TEST_F(DataFileTest, KeyValuesAndStoredKeys) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  ASSERT_EQ(Insert("C001Smith      7"), 0);
  ScratchScope scope;
  EXPECT_EQ(S(DataFileKeyValue(1, 2, kCurrent)), "Smith     C001");
  ASSERT_EQ(DataFileStoreKey(1, 2, "Jones     C002"_v), 0);
  EXPECT_EQ(Current(), "C002Jones      7");
  EXPECT_EQ(S(DataFileKeyValue(1, 2, kSaved)), "Smith     C001");
  // The expression language's field hook.
  g_data.sys[sysvar::kCurFil] = 1;
  EXPECT_EQ(DataFieldResolve("NAME{}"_v), 'A');
  EXPECT_EQ(DataFieldResolve("NOPE{}"_v), kSyntaxError);
  EXPECT_EQ(S(DataFieldRead("N{people}"_v)), " 7");
  EXPECT_EQ(DataFieldWrite("2{1}"_v, "Brown"_v), 0);
  EXPECT_EQ(Current(), "C002Brown      7");
}

TEST_F(DataFileTest, ExclusiveOpensAndTheLockFile) {
  ASSERT_EQ(DataFileOpen(1, kModeExclusive), 0);
  EXPECT_EQ(Get("people.lock"), " ");
  // Another program's exclusive open of the same file is refused.
  LockFile other;
  EXPECT_EQ(other.Acquire(PosixFs(), (root_ / "people.lock").string(), true), kPermissionDenied);
  ASSERT_EQ(DataFileClose(1), 0);
  EXPECT_EQ(Get("people.lock"), "<missing>");
  // Held by another program: 175, and the lock file stays theirs.
  ASSERT_EQ(other.Acquire(PosixFs(), (root_ / "people.lock").string(), true), 0);
  EXPECT_EQ(DataFileOpen(1, kModeExclusive), kPermissionDenied);
  EXPECT_NE(S(ErrDetail()).find("locked"), std::string::npos);
  EXPECT_EQ(Get("people.lock"), " ");
  // Left by a program that died (nobody holds it): taken over.
  other.Abandon();
  ASSERT_EQ(Get("people.lock"), " ");
  ASSERT_EQ(DataFileOpen(1, kModeExclusive), 0);
  ASSERT_EQ(DataFileClose(1), 0);
  EXPECT_EQ(Get("people.lock"), "<missing>");
  // A failed open removes the lock it created.
  Put("people.TMP", "");
  EXPECT_EQ(DataFileOpen(1, kModeExclusive), kFileExists);
  EXPECT_EQ(Get("people.lock"), "<missing>");
}

TEST_F(DataFileTest, ReadOnlyFilesRefuseChanges) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(2);
  ASSERT_EQ(DataFileOpen(1, kModeReadOnly), 0);  // reopened in the other mode
  EXPECT_EQ(Insert("C999"), kPermissionDenied);
  ASSERT_EQ(FindCode("C001"), kFound);
  ASSERT_EQ(DataFileWriteField(1, 2, "changed"_v), 0);
  EXPECT_EQ(DataFileUpdate(1), kPermissionDenied);
  EXPECT_EQ(DataFileDelete(1, 0), kPermissionDenied);
  EXPECT_EQ(Scan().size(), 2u);
}

TEST_F(DataFileTest, ReorganisationDropsDeletedRecords) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(6, "same");
  for (const char* c : {"C001", "C004"}) {
    ASSERT_EQ(FindCode(c), kFound);
    ASSERT_EQ(DataFileDelete(1, 0), 0);
  }
  ASSERT_EQ(DataFileReorg(1, nullptr), 0);
  Status st;
  EXPECT_EQ(DataFileOpened(1, &st), nullptr);
  EXPECT_EQ(st, kFileNotInit);
  std::string fd = Get("people.FD");
  ASSERT_EQ(fd.size(), 4 * kR);
  EXPECT_EQ(fd.substr(kR, 4), "C002");
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  ASSERT_EQ(DataFileFind(1, 2, "same"_v, 0), kFound);
  std::vector<std::string> names = Scan();
  EXPECT_EQ(names.size(), 4u);
  EXPECT_EQ(names[3].substr(0, 4), "C005");
  EXPECT_EQ(Names(), (std::vector<std::string>{"TTDICC.DAT", "people.DIR", "people.FD"}));
}

TEST_F(DataFileTest, InterruptedReorganisationIsResumedNeverOverwritten) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(5);
  ASSERT_EQ(DataFileClose(1), 0);
  std::string full = Get("people.FD");
  // The run stopped after the rename, with two records written back.
  std::filesystem::rename(root_ / "people.FD", root_ / "people.TMP");
  Put("people.FD", full.substr(0, 2 * kR));
  EXPECT_EQ(DataFileOpen(1, 0), kFileExists);
  EXPECT_NE(S(ErrDetail()).find("people.TMP"), std::string::npos);
  ASSERT_EQ(DataFileReorg(1, nullptr), 0);
  EXPECT_EQ(Get("people.FD"), full);
  EXPECT_EQ(Get("people.TMP"), "<missing>");
  // A work copy that holds fewer records than the file is no copy of it: refused.
  Put("people.TMP", full.substr(0, kR));
  EXPECT_EQ(DataFileReorg(1, nullptr), kFileExists);
  EXPECT_EQ(Get("people.FD"), full);
  EXPECT_EQ(Get("people.TMP"), full.substr(0, kR));
}

TEST_F(DataFileTest, ScansCountsAndSnapshots) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(10);
  ASSERT_EQ(FindCode("C005"), kFound);
  // Conditions go to the evaluator hook; here: "odd" holds for odd codes.
  g_data.hooks.condition = [](Val cond) -> Status {
    if (cond.empty()) return 1;
    std::string code = DataFileRecord(1, kCurrent).str().substr(0, 4);
    return (code[3] - '0') % 2 == 1;
  };
  uint32_t n = 0;
  ScratchScope scope;
  EXPECT_EQ(DataFileCount(1, "C002"_v, "C007"_v, ""_v, &n), 0);
  EXPECT_EQ(n, 6u);
  EXPECT_EQ(DataFileCount(1, "C002"_v, "C007"_v, "odd"_v, &n), 0);
  EXPECT_EQ(n, 3u);
  EXPECT_EQ(DataFileCount(1, ""_v, "C"_v, ""_v, &n), 0);
  EXPECT_EQ(n, 10u);
  EXPECT_EQ(Current().substr(0, 4), "C005");  // the count kept the position
  DataFileSnapshot snap;
  ASSERT_EQ(DataFileSaveState(1, &snap), 0);
  EXPECT_EQ(DataFileScan(1, kMoveNext | 0x80, "odd"_v, ""_v, nullptr), kFound);
  EXPECT_EQ(Current().substr(0, 4), "C007");
  EXPECT_EQ(DataFileScan(1, kMoveNext, "odd"_v, ""_v, nullptr), kFound);  // tries C007 first
  EXPECT_EQ(Current().substr(0, 4), "C007");
  EXPECT_EQ(DataFileScan(1, kMoveNext | 0x80, "odd"_v, "C008"_v, nullptr), kEndOfFile);
  EXPECT_EQ(DataFileScan(1, kMovePrevious | 0x80, "odd"_v, "C008"_v, nullptr), kEndOfFile);
  ASSERT_EQ(FindCode("C000"), kFound);
  EXPECT_EQ(DataFileScan(1, kMoveNext, "odd"_v, ""_v, [](Val) -> Status { return kCancelled; }),
            kCancelled);
  // Records inserted meanwhile: the snapshot's position follows its record.
  ASSERT_EQ(Insert("A000"), 0);
  ASSERT_EQ(DataFileRestoreState(1, snap), 0);
  EXPECT_EQ(Current().substr(0, 4), "C005");
  EXPECT_EQ(DataFileMove(1, kMoveNext), kFound);
  EXPECT_EQ(Current().substr(0, 4), "C006");
}

TEST_F(DataFileTest, PhysicalOrderWithoutIndex) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(4);
  ASSERT_EQ(FindCode("C001"), kFound);
  ASSERT_EQ(DataFileDelete(1, 0), 0);
  ASSERT_EQ(DataFileOpen(1, kModeNoIndex), 0);
  int32_t at = -1;
  std::vector<int32_t> seen;
  for (Status st = DataFileScanNext(1, 0, 0, &at); st == kFound; st = DataFileScanNext(1, at, 0x10, &at))
    seen.push_back(at);
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 2, 3}));
  uint32_t n = 0;
  EXPECT_EQ(DataFileCount(1, ""_v, ""_v, ""_v, &n), 0);
  EXPECT_EQ(n, 4u);
  ASSERT_EQ(DataFileReadAt(1, 2, kCurrentAndSaved), 0);
  EXPECT_EQ(Current().substr(0, 4), "C002");
  // A change made without the index is caught up with at the next open with it.
  ASSERT_EQ(DataFileDelete(1, 0), 0);
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  EXPECT_EQ(Scan().size(), 2u);
  EXPECT_TRUE(Problems().empty());
}

TEST_F(DataFileTest, VirtualFilesLiveInTemporaryFiles) {
  std::filesystem::create_directory(root_ / "tmp");
  setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
  g_data.sys[sysvar::kUpStat] = 1 | 2;
  ASSERT_EQ(DataFileOpen(1, kModeExclusive), 0);
  Fill(3);
  EXPECT_EQ(Names("tmp").size(), 2u);
  EXPECT_EQ(Get("people.lock"), "<missing>");
  ASSERT_EQ(DataFileClose(1), 0);
  EXPECT_TRUE(Names("tmp").empty());
  EXPECT_EQ(Get("people.FD"), "<missing>");
  unsetenv("TMPDIR");
}

TEST_F(DataFileTest, RefreshSeesAnotherProgramsChanges) {
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  Fill(2);
  ASSERT_EQ(DataFileRefresh(1), 0);
  // Another program writes a record and its index.
  const FileDef& def = DictFile(1);
  StorePaths paths;
  ASSERT_EQ(DataFilePaths(1, &paths), 0);
  {
    FileStore other(PosixFs(), def.record_length, def.keys, paths);
    ASSERT_EQ(other.Open(0), 0);
    uint32_t rec;
    ASSERT_EQ(other.Insert("B000          1 ", &rec), 0);
    ASSERT_EQ(other.Close(), 0);
  }
  EXPECT_EQ(Scan().size(), 2u);
  ASSERT_EQ(DataFileRefresh(1), 0);
  EXPECT_EQ(Scan().size(), 3u);
  EXPECT_EQ(FindCode("B000"), kFound);
}

}  // namespace
}  // namespace orv
