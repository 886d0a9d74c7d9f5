// Whole files by name: reads into the scratch stack, joins, writes, and replacements that
// fail at every step without touching the original.
#include <gtest/gtest.h>

#include <string>

#include "core/faultfs.h"
#include "core/files.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/wholefile.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

using WholeFileTest = FilesTest;

TEST_F(WholeFileTest, ReadAllTakesAnyPartAndFailsClearly) {
  Put("a.txt", "0123456789");
  EXPECT_EQ(S(FileReadAll("a.txt"_v, 0, kFileAll)), "0123456789");
  EXPECT_EQ(S(FileReadAll("A.TXT"_v, 3, 4)), "3456");
  EXPECT_EQ(S(FileReadAll("a.txt"_v, 8, 100)), "89");
  EXPECT_EQ(S(FileReadAll("a.txt"_v, 10, kFileAll)), "");
  EXPECT_EQ(S(FileReadAll("none.txt"_v, 0, kFileAll)), "<error 164>");
  EXPECT_EQ(FileSizeByName("a.txt"_v), 10u);
  EXPECT_EQ(FileSizeByName("none.txt"_v), 0u);

  Put("big.txt", std::string(70000, 'b'));
  EXPECT_EQ(S(FileReadAll("big.txt"_v, 0, kFileAll)), "<error 146>");
  {
    ScratchScope scope;
    EXPECT_EQ(S(FileReadAll("big.txt"_v, 10000, kFileAll)).size(), 60000u);
  }

  // The fixture's stack has 64 KiB: with 20 KiB taken, 50 KB cannot come in.
  ASSERT_EQ(ScratchAlloc(20000, 0), 0);
  uint16_t mark = ScratchMark();
  EXPECT_EQ(S(FileReadAll("big.txt"_v, 0, 50000)), "<error 145>");
  EXPECT_EQ(ScratchMark(), mark);

  char buf[8];
  size_t got;
  EXPECT_EQ(FileReadPart("a.txt"_v, 2, 5, buf, sizeof buf, &got), 0);
  EXPECT_EQ(std::string(buf, got), "23456");
  EXPECT_EQ(FileReadPart("a.txt"_v, 0, kFileAll, buf, sizeof buf, &got), kStringTooLong);
  EXPECT_EQ(FileReadPart("a.txt"_v, 10, 1, buf, sizeof buf, &got), kNone);
}

TEST_F(WholeFileTest, ReadAllJoinedTurnsEveryLineEndIntoTheSeparator) {
  struct Case {
    std::string content, joined;
  } cases[] = {
      {"a\r\nb\r\n", "a;b;"},
      {"a\nb", "a;b"},
      {"a\rb\r\n", "a;b;"},
      {"a\n\rb", "a;;b"},
      {"x=1\r\ny=2\r\n\x1a", "x=1;y=2;"},
  };
  for (const Case& c : cases) {
    Put("j.txt", c.content);
    EXPECT_EQ(S(FileReadAllJoined("j.txt"_v, ";"_v)), c.joined);
  }
}

TEST_F(WholeFileTest, WriteAllAppendsWritesAtAnOffsetAndReplaces) {
  size_t written;
  EXPECT_EQ(FileWriteAll("w.txt"_v, kFileEnd, "abc"_v, &written), 0);
  EXPECT_EQ(FileWriteAll("W.TXT"_v, kFileEnd, "def"_v, &written), 0);
  EXPECT_EQ(Get("w.txt"), "abcdef");
  EXPECT_EQ(FileWriteAll("w.txt"_v, 1, "XY"_v, &written), 0);
  EXPECT_EQ(Get("w.txt"), "aXYdef");
  EXPECT_EQ(FileWriteAll("w.txt"_v, kFileReplace, "new"_v, &written), 0);
  EXPECT_EQ(written, 3u);
  EXPECT_EQ(Get("w.txt"), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{"w.txt"});
  EXPECT_EQ(FileWriteAllChecked("w.txt"_v, kFileEnd, "!"_v), 0);
  EXPECT_EQ(Get("w.txt"), "new!");
}

TEST_F(WholeFileTest, ShortWriteIs131) {
  FaultFs& faults = UseFaults();
  faults.SetSpace(2);
  EXPECT_EQ(FileWriteAllChecked("s.txt"_v, kFileEnd, "abcdef"_v), kFileIo);
  EXPECT_EQ(Get("s.txt"), "ab");
  EXPECT_EQ(FileWriteAllChecked("s.txt"_v, kFileEnd, "cd"_v), kDiskIo);  // nothing written
}

TEST_F(WholeFileTest, FailedReplacementLeavesTheOriginalByteForByte) {
  const std::string original = "line one\r\nline two\r\n";
  struct Fault {
    const char* what;
    FsOp op;
    size_t keep;
  } faults_at[] = {
      {"new file cannot be created", FsOp::kOpen, 0},
      {"write stops midway", FsOp::kWriteAt, 3},
      {"sync fails", FsOp::kSync, 0},
      {"permissions cannot be copied", FsOp::kSetPermissions, 0},
      {"rename fails", FsOp::kRename, 0},
  };
  for (const Fault& f : faults_at) {
    Put("r.txt", original);
    FaultFs& faults = UseFaults();
    faults.FailAt(f.op, 1, kDiskIo, f.keep);
    size_t written;
    EXPECT_EQ(FileWriteAll("r.txt"_v, kFileReplace, "something else entirely"_v, &written),
              kDiskIo)
        << f.what;
    g_files.fs = PosixFs();
    EXPECT_EQ(Get("r.txt"), original) << f.what;
    EXPECT_EQ(Names(), std::vector<std::string>{"r.txt"}) << f.what;
  }
}

TEST_F(WholeFileTest, ReplacementSyncsTheFileAndItsFolderAndKeepsPermissions) {
  Put("p.txt", "old");
  std::filesystem::permissions(root_ / "p.txt", std::filesystem::perms(0640));
  FaultFs& faults = UseFaults();
  size_t written;
  ASSERT_EQ(FileWriteAll("p.txt"_v, kFileReplace, "new"_v, &written), 0);
  EXPECT_EQ(faults.Calls(FsOp::kSync), 1u);
  EXPECT_EQ(faults.Calls(FsOp::kSyncDir), 1u);
  EXPECT_EQ(std::filesystem::status(root_ / "p.txt").permissions(), std::filesystem::perms(0640));
}

TEST_F(WholeFileTest, RenameAndDelete) {
  Put("Old.txt", "x");
  EXPECT_EQ(FileRename("OLD.TXT"_v, "new.txt"_v), 0);
  EXPECT_EQ(Names(), std::vector<std::string>{"new.txt"});
  EXPECT_EQ(FileRename("old.txt"_v, "other.txt"_v), kFileNotFound);
  EXPECT_EQ(FileDelete("NEW.txt"_v), 0);
  EXPECT_EQ(FileDelete("new.txt"_v), kFileNotFound);
}

}  // namespace
}  // namespace orv
