// Numbered-line files: reading a section of each line kind, queueing lines, and writing
// sections so that the file stays ordered and a failed write leaves it as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/appfolders.h"
#include "core/faultfs.h"
#include "core/files.h"
#include "core/scratch.h"
#include "core/sections.h"
#include "core/slots.h"
#include "core/status.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

constexpr uint16_t kQueue = kSlotGroupQueueLines;

class SectionsTest : public FilesTest {
 protected:
  // Takes every queued line off the queue.
  std::vector<std::string> Drain() {
    std::vector<std::string> out;
    while (SlotCount(kQueue)) {
      out.push_back(SlotLast(kQueue).str());
      SlotPop(kQueue);
    }
    return out;
  }
  void Queue(int kind, const char* text, int32_t section) {
    ASSERT_EQ(SectionLinesQueue(kind, ValFromCStr(text), section), 0);
  }
};

TEST_F(SectionsTest, ReadKeepsTheColumnsOfEachKind) {
  struct Case {
    int kind;
    int32_t section;
    std::string content;
    std::vector<std::string> lines;
  } cases[] = {
      {1, 7, "07 a=1\r\n 7 b=2\r\n08 c\r\n7  d\r\n07 e", {"a=1", "b=2", "e"}},
      {1, 0, "   blank number is 0\r\n01 x\r\n", {"blank number is 0"}},
      {2, 1, "\" 1layout one\"\r\n\" 2other\"\r\n\"01two\"\r\n", {"layout one", "two"}},
      {3, 120, " 120 help\r\n0120 more\r\n  12 no\r\n", {"help", "more"}},
      {4, 5, " 5x\r\n05y\r\n5 z\r\n", {"x", "y"}},
      {6, 12345, "12345 whole\r\n12346 no\r\n", {"12345 whole"}},
      {0, 0, "every\r\nline\r\n", {"every", "line"}},
      {5, 0, "01 all\r\n", {"01 all"}},
  };
  for (const Case& c : cases) {
    Put("s.ppn", c.content);
    EXPECT_EQ(SectionRead("s.ppn"_v, c.kind, c.section), c.lines.size()) << c.kind;
    EXPECT_EQ(Drain(), c.lines) << c.kind;
  }
}

TEST_F(SectionsTest, ReadFailuresQueueNothing) {
  Put("s.ppn", "01 one\r\n02 two\r\n");
  ASSERT_EQ(SlotPush(kQueue, "earlier"_v), 0);
  EXPECT_EQ(SectionRead("s.ppn"_v, 1, 3), kNone);      // no such section
  EXPECT_EQ(SectionRead("none.ppn"_v, 1, 1), kNone);   // no such file
  EXPECT_EQ(SectionRead(""_v, 1, 1), kNone);

  // More than the slot store can hold: the queue refuses a line midway.
  std::string big;
  for (int i = 0; i < 200; ++i) big += "01 " + std::string(400, char('a' + i % 26)) + "\r\n";
  Put("big.ppn", big);
  EXPECT_EQ(SectionRead("big.ppn"_v, 1, 1), kNone);

  // A line longer than any value.
  Put("long.ppn", "01 short\r\n01 " + std::string(70000, 'x') + "\r\n");
  EXPECT_EQ(SectionRead("long.ppn"_v, 1, 1), kNone);
  EXPECT_EQ(Drain(), std::vector<std::string>{"earlier"});
}

TEST_F(SectionsTest, ReadSearchesTheDefinitionFolders) {
  Put("defs1/other.ppn", "01 no\r\n");
  Put("Defs2/MENU.PPN", "01 found\r\n");
  ASSERT_EQ(SlotSet(kSlotGroupSettings, kSettingDefaultFolder, "defs1, defs2"_v), 0);
  EXPECT_EQ(SectionRead("menu.ppn"_v, 1, 1), 1);
  EXPECT_EQ(Drain(), std::vector<std::string>{"found"});
  EXPECT_EQ(SectionRead("sub\\menu.ppn"_v, 1, 1), kNone);  // a name with a folder is not searched
}

TEST_F(SectionsTest, QueueSplitsUnquotesAndPrefixes) {
  Queue(1, "A=1:'B:2':\"C\"", 7);
  Queue(2, "layout", 3);
  Queue(3, "page", 12);
  Queue(4, "x", 5);
  Queue(0, "plain", 9);
  EXPECT_EQ(Drain(), (std::vector<std::string>{" 7 A=1", " 7 B:2", " 7 C", "\" 3layout\"",
                                               "  12 page", " 5x", "plain"}));
}

TEST_F(SectionsTest, WritesKeepTheFileOrderedBySection) {
  Queue(1, "c=3", 3);
  ASSERT_EQ(SectionWrite("m.ppn"_v, 1, 3), 0);
  Queue(1, "a=1:a=11", 1);
  ASSERT_EQ(SectionWrite("m.ppn"_v, 1, 1), 0);
  Queue(1, "b=2", 2);
  ASSERT_EQ(SectionWrite("M.PPN"_v, 1, 2), 0);
  EXPECT_EQ(Get("m.ppn"), " 1 a=1\r\n 1 a=11\r\n 2 b=2\r\n 3 c=3\r\n");

  Queue(1, "b=20:b=21:b=22", 2);  // a section grows in place
  ASSERT_EQ(SectionWrite("m.ppn"_v, 1, 2), 0);
  ASSERT_EQ(SectionWrite("m.ppn"_v, 1, 1), 0);  // an empty queue removes the section
  Queue(1, "d=4", 4);
  ASSERT_EQ(SectionWrite("m.ppn"_v, 1, 4), 0);
  EXPECT_EQ(Get("m.ppn"), " 2 b=20\r\n 2 b=21\r\n 2 b=22\r\n 3 c=3\r\n 4 d=4\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"m.ppn"});
  EXPECT_EQ(SlotCount(kQueue), 0);
}

TEST_F(SectionsTest, WhatIsWrittenReadsBackForEveryNumberedKind) {
  for (int kind : {1, 2, 3, 4}) {
    std::filesystem::remove(root_ / "k.dat");
    for (int32_t section : {9, 2, 5}) {
      std::string text = "T" + std::to_string(section) + ":U" + std::to_string(section);
      Queue(kind, text.c_str(), section);
      ASSERT_EQ(SectionWrite("k.dat"_v, kind, section), 0) << kind;
    }
    for (int32_t section : {2, 5, 9}) {
      EXPECT_EQ(SectionRead("k.dat"_v, kind, section), 2) << kind;
      std::vector<std::string> want = {"T" + std::to_string(section), "U" + std::to_string(section)};
      EXPECT_EQ(Drain(), want) << kind << " " << section;
    }
  }
}

TEST_F(SectionsTest, FailedWriteLeavesTheFileByteForByte) {
  const std::string original = " 1 a=1\r\n 2 b=2\n 2 b=3\r\n 3 c=3\r\n";
  Put("f.ppn", original);
  // Count the writes of a good run, then fail each of them in turn.
  FaultFs& faults = UseFaults();
  Queue(1, "x=1:x=2:x=3", 2);
  ASSERT_EQ(SectionWrite("f.ppn"_v, 1, 2), 0);
  uint32_t writes = faults.Calls(FsOp::kWriteAt);
  ASSERT_GT(writes, 4u);
  for (uint32_t nth = 1; nth <= writes; ++nth) {
    Put("f.ppn", original);
    Queue(1, "x=1:x=2:x=3", 2);
    faults.FailAt(FsOp::kWriteAt, nth, kDiskIo, 1);
    EXPECT_EQ(SectionWrite("f.ppn"_v, 1, 2), kDiskIo) << nth;
    EXPECT_EQ(Get("f.ppn"), original) << nth;
    EXPECT_EQ(Names(), std::vector<std::string>{"f.ppn"}) << nth;
    EXPECT_EQ(SlotCount(kQueue), 0) << nth;
  }
  // A disk that fills up, and a rename that fails, change nothing either.
  Put("f.ppn", original);
  Queue(1, "x=1", 2);
  faults.SetSpace(10);
  EXPECT_EQ(SectionWrite("f.ppn"_v, 1, 2), kDiskIo);
  faults.SetSpace(~uint64_t(0));
  Queue(1, "x=1", 2);
  faults.FailAt(FsOp::kRename, 1);
  EXPECT_EQ(SectionWrite("f.ppn"_v, 1, 2), kDiskIo);
  EXPECT_EQ(Get("f.ppn"), original);
  EXPECT_EQ(Names(), std::vector<std::string>{"f.ppn"});
}

TEST_F(SectionsTest, UnreadableFileIsNeverReplaced) {
  Put("u.ppn", " 1 keep\r\n");
  FaultFs& faults = UseFaults();
  faults.FailAt(FsOp::kOpen, 2, kPermissionDenied);  // the first open creates the new file
  Queue(1, "x", 2);
  EXPECT_EQ(SectionWrite("u.ppn"_v, 1, 2), kPermissionDenied);
  EXPECT_EQ(Get("u.ppn"), " 1 keep\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"u.ppn"});
}

}  // namespace
}  // namespace orv
