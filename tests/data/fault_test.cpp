// Faults: short writes, a full disk, failing index writes and corrupted indexes each give a
// clear status, and no record that reached the data file is lost or overwritten.
#include <filesystem>
#include <string>
#include <vector>

#include "data/store.h"
#include "data_fixture.h"

namespace orv {
namespace {

constexpr uint32_t kR = 16;

class FaultTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    ASSERT_EQ(LoadPeople(), 0);
  }
  // 20 records C000..C019, of which C005 and C012 are deleted; closed.
  void MakeFile() {
    ASSERT_EQ(DataFileOpen(1, 0), 0);
    for (int i = 0; i < 20; ++i) ASSERT_EQ(Insert(Code(i) + "name"), 0);
    for (int i : {5, 12}) {
      ScratchScope scope;
      ASSERT_EQ(DataFileFind(1, 1, ValOf(Code(i)), 0), kFound);
      ASSERT_EQ(DataFileDelete(1, 0), 0);
    }
    ASSERT_EQ(DataFileClose(1), 0);
    data_ = Get("people.FD");
  }
  static std::string Code(int i) {
    char b[8];
    std::snprintf(b, sizeof b, "C%03d", i);
    return b;
  }
  // Every record written before is still on disk, byte for byte, in its slot.
  void ExpectOldRecordsKept() {
    std::string now = Get("people.FD");
    ASSERT_GE(now.size(), data_.size());
    for (size_t r = 0; r < data_.size() / kR; ++r)
      if (data_[r * kR] != '\x1b') {
      EXPECT_EQ(now.substr(r * kR, kR), data_.substr(r * kR, kR)) << r;
    }
  }
  std::string data_;
};

TEST_F(FaultTest, ShortRecordWritesLeaveTheSlotFree) {
  MakeFile();
  FaultFs& fs = UseFaults();
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  ASSERT_EQ(Insert("N001"), 0);  // into slot 12, the last freed
  // The next record write stops after 5 bytes: into slot 5, then at the end of the file.
  fs.FailAt(FsOp::kWriteAt, 1, kDiskIo, 5);
  EXPECT_EQ(Insert("N002"), kWriteError);
  ASSERT_EQ(Insert("N003"), 0);  // slot 5 is still free
  fs.FailAt(FsOp::kWriteAt, 1, kDiskIo, 5);
  EXPECT_EQ(Insert("N004"), kWriteError);
  EXPECT_EQ(Get("people.FD").size(), 20 * kR);
  ASSERT_EQ(DataFileClose(1), 0);
  EXPECT_TRUE(Problems().empty()) << Problems()[0];
  ExpectOldRecordsKept();
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  EXPECT_EQ(Scan().size(), 20u);
}

TEST_F(FaultTest, FullDiskRefusesInsertsAndKeepsTheIndexUntilItFits) {
  MakeFile();
  FaultFs& fs = UseFaults();
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  fs.SetSpace(3 * kR + 4);  // the marker byte, two slots reused, one record at the end
  for (const char* c : {"N001", "N002", "N003"}) ASSERT_EQ(Insert(c), 0);
  EXPECT_EQ(Insert("N004"), kWriteError);
  EXPECT_EQ(Get("people.FD").size(), 21 * kR);
  // No room for the index either: the close fails and the file stays open.
  EXPECT_EQ(DataFileClose(1), kDiskIo);
  EXPECT_NE(S(ErrDetail()).find("cannot write the index"), std::string::npos);
  EXPECT_EQ(Scan().size(), 21u);
  fs.SetSpace(~uint64_t(0));
  ASSERT_EQ(DataFileClose(1), 0);
  EXPECT_TRUE(Problems().empty());
  ExpectOldRecordsKept();
}

TEST_F(FaultTest, FailedIndexWriteKeepsTheIndexInMemory) {
  MakeFile();
  FaultFs& fs = UseFaults();
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  ASSERT_EQ(Insert("N001"), 0);
  std::string index_before = Get("people.DIR");
  fs.FailAt(FsOp::kRename, 1);
  EXPECT_EQ(DataFileClose(1), kDiskIo);
  EXPECT_EQ(Get("people.DIR"), index_before);  // the old index is untouched
  ScratchScope scope;
  EXPECT_EQ(DataFileFind(1, 1, "N001"_v, 0), kFound);
  fs.FailAt(FsOp::kSync, 1);  // the data sync fails first: nothing is written
  EXPECT_EQ(DataFileClose(1), kDiskIo);
  ASSERT_EQ(DataFileClose(1), 0);
  EXPECT_TRUE(Problems().empty());
  EXPECT_EQ(Names(), (std::vector<std::string>{"TTDICC.DAT", "people.DIR", "people.FD"}));
}

TEST_F(FaultTest, CorruptedIndexesAreReportedAndRebuilt) {
  MakeFile();
  std::string good = Get("people.DIR");
  auto le = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  auto with = [&](size_t at, uint32_t v) { return good.substr(0, at) + le(v) + good.substr(at + 4); };
  // F = 2, N = 18; free list at 8, key 1 at 16, key 2 at 16 + 72.
  struct Case {
    const char* what;
    std::string index;
    const char* problem;
  };
  const Case cases[] = {
      {"truncated", good.substr(0, 30), "truncated or wrong counts"},
      {"too short for counts", good.substr(0, 5), "truncated"},
      {"missing", "", "missing"},
      {"N one too many", with(4, 19), "truncated or wrong counts"},
      {"record beyond the file", with(16, 77), "beyond the data file"},
      {"record twice", with(16, 1), "twice"},
      {"free slot that is live", with(8, 3), "not marked deleted"},
      {"out of order", with(16 + 4, 7), "out of order"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.index.empty()) std::filesystem::remove(root_ / "people.DIR");
    else Put("people.DIR", c.index);
    std::vector<std::string> problems = Problems();
    ASSERT_FALSE(problems.empty());
    std::string all;
    for (const std::string& p : problems) all += p + "\n";
    EXPECT_NE(all.find(c.problem), std::string::npos) << all;
    g_data.log.clear();
    ASSERT_EQ(DataFileOpen(1, 0), 0);
    ASSERT_EQ(g_data.log.size(), 1u);
    EXPECT_NE(g_data.log[0].find("index rebuilt"), std::string::npos);
    // Rebuilt and written back at once.
    EXPECT_TRUE(Problems().empty());
    EXPECT_EQ(Scan().size(), 18u);
    ASSERT_EQ(Insert("N001"), 0);
    ASSERT_EQ(Insert("N002"), 0);
    ASSERT_EQ(Insert("N003"), 0);
    ASSERT_EQ(DataFileClose(1), 0);
    ExpectOldRecordsKept();
    EXPECT_EQ(Get("people.FD").size(), 21 * kR);
    Put("people.FD", data_);
    Put("people.DIR", good);
  }
}

TEST_F(FaultTest, UncleanCloseMarkerMakesTheNextOpenRebuild) {
  MakeFile();
  const FileDef& def = DictFile(1);
  StorePaths paths;
  ASSERT_EQ(DataFilePaths(1, &paths), 0);
  {
    // A program that dies after changing the file: its marker stays, nobody holds it.
    FileStore dying(PosixFs(), def.record_length, def.keys, paths);
    ASSERT_EQ(dying.Open(0), 0);
    std::string rec = "C005updated     ";
    uint32_t r;
    ASSERT_EQ(dying.Insert(rec.data(), &r), 0);
    std::vector<std::string> live = Problems();
    ASSERT_FALSE(live.empty());
    EXPECT_NE(live[0].find("another program is changing"), std::string::npos);
    dying.Abandon();
  }
  std::vector<std::string> problems = Problems();
  ASSERT_FALSE(problems.empty());
  EXPECT_NE(problems[0].find("unclean-close marker"), std::string::npos);
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  EXPECT_NE(g_data.log.back().find("not closed cleanly"), std::string::npos);
  EXPECT_EQ(Scan().size(), 19u);
  EXPECT_TRUE(Problems().empty());
  EXPECT_EQ(Get("people.dirty"), "<missing>");
}

TEST_F(FaultTest, PartialRecordAtTheEndIsDropped) {
  MakeFile();
  Put("people.FD", data_ + "C099part");
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  EXPECT_EQ(Get("people.FD"), data_);
  EXPECT_EQ(Scan().size(), 18u);
}

}  // namespace
}  // namespace orv
