// The open-file table: the line reader on every kind of line end, open flags, positioned
// reads and writes, 64-bit sizes behind the 16-bit interface, and the standard streams.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include <random>
#include <string>
#include <vector>

#include "core/faultfs.h"
#include "core/files.h"
#include "core/scratch.h"
#include "core/status.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

using FileTableTest = FilesTest;

// The lines FileReadLine gives for a file, and the status that ended the reading.
std::pair<std::vector<std::string>, Status> ReadLines(uint16_t n, size_t buf_size) {
  std::vector<std::string> lines;
  std::string buf(buf_size, '\0');
  for (;;) {
    size_t len = 0;
    Status st = FileReadLine(n, buf.data(), buf.size(), &len);
    if (st) return {lines, st};
    lines.emplace_back(buf.data(), len);
  }
}

struct LineCase {
  const char* what;
  std::string content;
  size_t buf;
  std::vector<std::string> lines;
  Status end = kNone;  // the status after the last line
};

std::vector<LineCase> LineCases() {
  std::string x511(511, 'x'), x1023(1023, 'x');
  return {
      {"CR LF", "a\r\nbb\r\n\r\nccc\r\n", 64, {"a", "bb", "", "ccc"}},
      {"LF", "a\nbb\n\nccc\n", 64, {"a", "bb", "", "ccc"}},
      {"CR", "a\rbb\r\rccc\r", 64, {"a", "bb", "", "ccc"}},
      {"mixed, last line unterminated", "a\r\nbb\nccc", 64, {"a", "bb", "ccc"}},
      {"LF CR is two line ends", "a\n\rb", 64, {"a", "", "b"}},
      {"Ctrl-Z after the last line end", "a\r\nb\r\n\x1a", 64, {"a", "b"}},
      {"Ctrl-Z ending the last line", "a\r\nb\x1a", 64, {"a", "b"}},
      {"Ctrl-Z alone", "\x1a", 64, {}},
      {"Ctrl-Z inside a line is data", "a\x1a" "b\r\n", 64, {"a\x1a" "b"}},
      {"empty file", "", 64, {}},
      {"CR LF across the first piece", x511 + "\r\ny\r\n", 1024, {x511, "y"}},
      {"CR LF across the second piece", x1023 + "\r\ny", 2048, {x1023, "y"}},
      {"lone CR at a piece end", x511 + "\ry", 1024, {x511, "y"}},
      {"line exactly the buffer, then CR LF", "abcd\r\nef", 4, {"abcd", "ef"}},
      {"last line exactly the buffer", "ab\r\nabcd", 4, {"ab", "abcd"}},
      {"line longer than the buffer", "ab\r\nabcdef\r\ngh", 4, {"ab"}, kStringTooLong},
      {"long line across pieces", std::string(1500, 'l') + "\nz", 2048,
       {std::string(1500, 'l'), "z"}},
  };
}

TEST_F(FileTableTest, LineReaderGivesTheLinesOfEveryEnding) {
  for (const LineCase& c : LineCases()) {
    Put("lines.txt", c.content);
    uint16_t n = FileOpen("lines.txt"_v, kOpenReadOnly);
    ASSERT_LT(n, kOpenFiles) << c.what;
    auto [lines, end] = ReadLines(n, c.buf);
    EXPECT_EQ(lines, c.lines) << c.what;
    EXPECT_EQ(end, c.end) << c.what;
    FileClose(n);
  }
}

TEST_F(FileTableTest, StandardInputGivesTheSameLines) {
  for (const LineCase& c : LineCases()) {
    if (c.end != kNone) continue;  // a stream cannot step back over a long line
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], c.content.data(), c.content.size()), ssize_t(c.content.size()));
    close(fds[1]);
    g_files.open[kStdIn].fd = fds[0];
    auto [lines, end] = ReadLines(kStdIn, c.buf);
    EXPECT_EQ(lines, c.lines) << c.what;
    EXPECT_EQ(end, kNone) << c.what;
    close(fds[0]);
    g_files.open[kStdIn] = FileState().open[kStdIn];
  }
}

TEST_F(FileTableTest, RandomLinesSurviveEveryPieceBoundary) {
  std::mt19937 rng(7);
  std::vector<std::string> want;
  std::string content;
  const char* ends[] = {"\r\n", "\n", "\r"};
  std::string prev_end;
  for (int i = 0; i < 3000; ++i) {
    std::string line(rng() % 700, char('a' + i % 26));
    std::string end = ends[rng() % 3];
    if (prev_end == "\r" && line.empty() && end == "\n") end = "\r\n";  // else CR + LF merge
    content += line + end;
    want.push_back(line);
    prev_end = end;
  }
  Put("many.txt", content);
  uint16_t n = FileOpen("many.txt"_v, kOpenReadOnly);
  auto [lines, end] = ReadLines(n, 1024);
  EXPECT_EQ(end, kNone);
  EXPECT_EQ(lines, want);
}

TEST_F(FileTableTest, TooLongLineLeavesThePositionForABiggerBuffer) {
  Put("long.txt", "abcdefgh\r\nij");
  uint16_t n = FileOpen("long.txt"_v, kOpenReadOnly);
  char buf[16];
  size_t len;
  EXPECT_EQ(FileReadLine(n, buf, 4, &len), kStringTooLong);
  EXPECT_EQ(FileRead(n, kNone, kNone, buf, 4), kNone);
  EXPECT_EQ(FileTell(n), 0);
  EXPECT_EQ(FileRead(n, kNone, kNone, buf, sizeof buf), 8);
  EXPECT_EQ(std::string(buf, 8), "abcdefgh");
  EXPECT_EQ(FileTell(n), 10);
}

TEST_F(FileTableTest, OpenFlags) {
  struct Case {
    const char* what;
    const char* before;  // null: no file
    uint16_t flags;
    const char* write;   // written at offset 0 after opening
    uint16_t result;     // the open's result
    const char* after;
  } cases[] = {
      {"read-only never creates", nullptr, kOpenReadOnly | kOpenQuiet, nullptr, kFileNotFound,
       "<missing>"},
      {"update creates a missing file", nullptr, kOpenUpdate, "new", 3, "new"},
      {"update keeps what it does not overwrite", "abcdef", kOpenUpdate, "XY", 3, "XYcdef"},
      {"create truncates", "abcdef", kOpenCreate, "XY", 3, "XY"},
      {"append writes at the end whatever the offset", "abc", kOpenAppend, "XY", 3, "abcXY"},
      {"no flags is update", "abc", 0, "X", 3, "Xbc"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(root_ / "f.txt");
    if (c.before) Put("f.txt", c.before);
    uint16_t n = FileOpen("f.txt"_v, c.flags);
    EXPECT_EQ(n, c.result) << c.what;
    if (c.write) {
      size_t put;
      EXPECT_EQ(FileWriteAt(n, 0, c.write, strlen(c.write), &put), 0) << c.what;
    }
    FileClose(n);
    EXPECT_EQ(Get("f.txt"), c.after) << c.what;
  }
}

TEST_F(FileTableTest, OpenFailuresAndTheirRecords) {
  EXPECT_EQ(FileOpen(""_v, kOpenQuiet), kDataError);
  std::string long_name(kMaxFileName, 'a');
  EXPECT_EQ(FileOpen(ValOf(long_name), kOpenQuiet), kDataError);
  EXPECT_EQ(ErrRecorded(), 0u);  // quiet failures record nothing

  EXPECT_EQ(FileOpen("missing.txt"_v, kOpenReadOnly), kNone);
  EXPECT_EQ(ErrRecorded(), (uint32_t(kAreaStreams) << 16) | kFileNotFound);
  EXPECT_EQ(S(ErrDetail()), "missing.txt");

  Put("x.txt", "x");
  for (uint16_t want = 3; want < kOpenFiles; ++want)
    EXPECT_EQ(FileOpen("x.txt"_v, kOpenReadOnly), want);
  EXPECT_EQ(FileOpen("x.txt"_v, kOpenReadOnly | kOpenQuiet), kDataOutBound);
  EXPECT_EQ(FileClose(7), 0);
  EXPECT_EQ(FileOpen("x.txt"_v, kOpenReadOnly), 7);  // the lowest free number
  EXPECT_EQ(FileClose(kStdOut), 0);                  // standard streams stay open
  EXPECT_EQ(FileClose(kOpenFiles), kBadFileNumber);
}

TEST_F(FileTableTest, FailedOpenNeverEmptiesAnExistingFile) {
  Put("keep.txt", "precious");
  FaultFs& faults = UseFaults();
  faults.FailAt(FsOp::kOpen, 1, kDiskIo);
  EXPECT_EQ(FileOpen("keep.txt"_v, kOpenUpdate | kOpenQuiet), kFileOpenError);
  EXPECT_EQ(faults.Calls(FsOp::kOpen), 1u);  // no second try that could truncate
  EXPECT_EQ(Get("keep.txt"), "precious");
}

TEST_F(FileTableTest, ConsoleIsAStandardStream) {
  uint16_t out = FileOpen("CON"_v, kOpenCreate);
  uint16_t in = FileOpen("CON"_v, kOpenReadOnly);
  ASSERT_LT(out, kOpenFiles);
  EXPECT_EQ(g_files.open[out].fd, kStdOut);
  EXPECT_EQ(g_files.open[in].fd, kStdIn);
  EXPECT_EQ(FileTell(in), 0);
  EXPECT_EQ(FileSize(out), kNone);
  EXPECT_EQ(FileSeek(in, 0), kDiskIo);
  EXPECT_EQ(FileClose(out), 0);
  EXPECT_NE(fcntl(kStdOut, F_GETFD), -1);  // still open
}

TEST_F(FileTableTest, BlockReadsWritesAndPositions) {
  uint16_t n = FileOpen("b.dat"_v, kOpenCreate);
  EXPECT_EQ(FileWrite(n, kNone, "0123456789", 10), 10);
  EXPECT_EQ(FileWrite(n, 2, "ab", 2), 2);
  EXPECT_EQ(FileTell(n), 4);
  EXPECT_EQ(FileAtEnd(n), 0);
  char buf[16];
  EXPECT_EQ(FileRead(n, kNone, 3, buf, sizeof buf), 3);
  EXPECT_EQ(std::string(buf, 3), "456");
  EXPECT_EQ(FileRead(n, 8, 5, buf, sizeof buf), 2);  // short at the end
  EXPECT_EQ(std::string(buf, 2), "89");
  EXPECT_EQ(FileAtEnd(n), 1);
  EXPECT_EQ(FileRead(n, kNone, 5, buf, sizeof buf), kNone);
  EXPECT_EQ(FileRead(n, 0, 20, buf, sizeof buf), kNone);  // does not fit the buffer
  EXPECT_EQ(FileWriteValue(n, kFileEnd, "!"_v), 0);
  EXPECT_EQ(FileSize(n), 11);
  FileClose(n);
  EXPECT_EQ(Get("b.dat"), "01ab456789!");
}

TEST_F(FileTableTest, ReadValuePushesLinesAndEndsWith130) {
  Put("v.txt", "one\r\ntwo");
  uint16_t n = FileOpen("v.txt"_v, kOpenReadOnly);
  uint16_t mark = ScratchMark();
  EXPECT_EQ(S(FileReadValue(n, 0, kFileLine)), "one");
  EXPECT_EQ(S(FileReadValue(n, kFileCurrent, kFileLine)), "two");
  EXPECT_EQ(S(FileReadValue(n, kFileCurrent, kFileLine)), "<error 130>");
  EXPECT_EQ(S(FileReadValue(n, 1, 3)), "ne\r");
  EXPECT_EQ(ScratchMark(), mark + 3);
}

TEST_F(FileTableTest, SizesBeyondSixteenBitsFailClearly) {
  uint16_t n = FileOpen("big.dat"_v, kOpenCreate);
  const uint64_t far = (uint64_t(5) << 30) + 3;  // past 4 GiB: a sparse file
  size_t put;
  ASSERT_EQ(FileWriteAt(n, far, "Z", 1, &put), 0);
  uint64_t size = 0, pos = 0;
  EXPECT_EQ(FileSize64(n, &size), 0);
  EXPECT_EQ(size, far + 1);
  EXPECT_EQ(FileTell64(n, &pos), 0);
  EXPECT_EQ(pos, far + 1);
  EXPECT_EQ(FileSize(n), kNone);
  EXPECT_EQ(FileTell(n), kNone);
  EXPECT_EQ(ErrRecorded(), (uint32_t(kAreaStreams) << 16) | kFileOutBound);
  char c = 0;
  size_t got;
  EXPECT_EQ(FileReadBlock(n, far, 1, &c, 1, &got), 0);
  EXPECT_EQ(c, 'Z');

  // A size of exactly 0xFFFF is real, so the 16-bit interface cannot give it.
  ErrRecord(2, 0, 0, 0);
  ASSERT_EQ(FileSeek(n, 0), 0);
  uint16_t m = FileOpen("edge.dat"_v, kOpenCreate);
  std::string bytes(0xFFFE, 'e');
  ASSERT_EQ(FileWriteAt(m, 0, bytes.data(), bytes.size(), &put), 0);
  EXPECT_EQ(FileSize(m), 0xFFFE);
  ASSERT_EQ(FileWriteAt(m, kFileEnd, "e", 1, &put), 0);
  EXPECT_EQ(FileSize(m), kNone);
  EXPECT_EQ(ErrRecorded() & 0xFFFF, kFileOutBound);
}

}  // namespace
}  // namespace orv
