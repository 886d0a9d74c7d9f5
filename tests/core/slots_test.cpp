// The text slot store: addressing, growth, stacks and queues, self-references and a full store.
#include <gtest/gtest.h>

#include <string>

#include "core/slots.h"
#include "core/status.h"
#include "support/runtime_fixture.h"

namespace orv {
namespace {

using SlotsTest = RuntimeTest;

TEST_F(SlotsTest, SettingBeyondTheCountGrowsWithEmptyItems) {
  ASSERT_EQ(SlotSet(3, 5, "five"_v), 0);
  EXPECT_EQ(SlotCount(3), 6);
  for (uint16_t i = 0; i < 5; ++i) EXPECT_EQ(S(SlotGet(3, i)), "") << i;
  EXPECT_EQ(S(SlotGet(3, 5)), "five");
  EXPECT_EQ(S(SlotGet(3, 9)), "");
}

TEST_F(SlotsTest, GroupsStayApartAsTheyGrowAndShrink) {
  SlotSet(5, 0, "g5"_v);
  SlotSet(2, 0, "g2a"_v);
  SlotSet(7, 1, "g7"_v);
  SlotSet(2, 1, "g2b"_v);  // inserted between groups 2 and 5
  SlotSet(5, 0, "longer g5"_v);
  EXPECT_EQ(S(SlotGet(2, 0)), "g2a");
  EXPECT_EQ(S(SlotGet(2, 1)), "g2b");
  EXPECT_EQ(S(SlotGet(5, 0)), "longer g5");
  EXPECT_EQ(S(SlotGet(7, 1)), "g7");
  SlotDelete(2, 0);
  EXPECT_EQ(S(SlotGet(2, 0)), "g2b");
  EXPECT_EQ(SlotCount(2), 1);
  EXPECT_EQ(S(SlotGet(5, 0)), "longer g5");
  SlotClear(7);
  EXPECT_EQ(SlotCount(7), 0);
  EXPECT_EQ(g_rt.slots.total, 2);
  EXPECT_EQ(g_rt.slots.used, 12u);
}

TEST_F(SlotsTest, StacksAndQueues) {
  for (const char* t : {"a", "b", "c"}) {
    SlotPush(4, ValFromCStr(t));
    SlotPush(kSlotGroupQueueLines, ValFromCStr(t));
  }
  EXPECT_EQ(S(SlotLast(4)), "c");
  EXPECT_EQ(S(SlotLast(kSlotGroupQueueLines)), "a");
  SlotPop(4);
  SlotPop(kSlotGroupQueueLines);
  EXPECT_EQ(S(SlotLast(4)), "b");
  EXPECT_EQ(S(SlotLast(kSlotGroupQueueLines)), "b");
  SlotTrim(kSlotGroupQueueLines, 1);
  EXPECT_EQ(SlotCount(kSlotGroupQueueLines), 1);
  EXPECT_EQ(S(SlotLast(kSlotGroupQueueLines)), "c");
  EXPECT_EQ(S(SlotLast(30)), "");
  EXPECT_EQ(SlotPop(30), 0);
}

TEST_F(SlotsTest, SourceMayBeAViewIntoTheStore) {
  SlotSet(1, 0, "hello world"_v);
  SlotSet(1, 1, "tail"_v);
  SlotSet(0, 0, ValSub(SlotGet(1, 0), 6, 5));  // moves the texts the source points at
  EXPECT_EQ(S(SlotGet(0, 0)), "world");
  SlotSet(1, 1, SlotGet(1, 0));
  EXPECT_EQ(S(SlotGet(1, 1)), "hello world");
  SlotSet(1, 0, ValSub(SlotGet(1, 0), 0, 5));  // a slot set from part of itself
  EXPECT_EQ(S(SlotGet(1, 0)), "hello");
}

TEST_F(SlotsTest, LimitsFailWithoutChangingAnything) {
  EXPECT_EQ(SlotSet(39, 0, "x"_v), kStrOutBound);
  EXPECT_EQ(ErrRecorded(), (uint32_t(kAreaDynStrings) << 16) | kStrOutBound);
  ErrRecord(2, 0, 0, 0);
  EXPECT_EQ(SlotSet(1, 2048, "x"_v), kStrOutBound);
  EXPECT_EQ(SlotSet(1, 2047, "x"_v), kStrOutBound);  // the total must stay below 2048
  EXPECT_EQ(SlotSet(1, 2046, "x"_v), 0);
  EXPECT_EQ(SlotPush(2, "y"_v), kStrOutBound);
  SlotClear(1);
  EXPECT_EQ(g_rt.slots.total, 0);
  ErrRecord(2, 0, 0, 0);

  // Text room: 61361 bytes in all, strictly below.
  std::string big(kSlotTextRoom - 1, 'z');
  EXPECT_EQ(SlotSet(6, 0, ValOf(big.substr(0, 60000))), 0);
  EXPECT_EQ(SlotSet(6, 1, ValOf(big.substr(0, 1361))), kStrOutBound);
  EXPECT_EQ(ErrRecorded(), (uint32_t(kAreaStringAssign) << 16) | kLoadStrError);
  EXPECT_EQ(SlotCount(6), 1);  // the failed set added no item
  EXPECT_EQ(SlotSet(6, 1, ValOf(big.substr(0, 1360))), 0);
  EXPECT_EQ(SlotSet(6, 2, ValError(kDiskIo)), kDiskIo);
  EXPECT_EQ(S(SlotGet(6, 1)), big.substr(0, 1360));
}

}  // namespace
}  // namespace orv
