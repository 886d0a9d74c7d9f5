// Memory blocks: guard bytes, area tags, live counts, resizing, append buffers and the leak
// report at shutdown.
#include <gtest/gtest.h>

#include <cstring>

#include "core/block.h"
#include "core/status.h"
#include "support/runtime_fixture.h"

namespace orv {
namespace {

using BlockTest = RuntimeTest;

TEST_F(BlockTest, FreeChecksPointerGuardAndArea) {
  uint16_t live = g_rt.blocks.live;
  char* p = static_cast<char*>(BlockAlloc(kAreaScreens, 10, 'a'));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[9], 'a');
  EXPECT_EQ(g_rt.blocks.live, live + 1);

  int other;
  EXPECT_EQ(BlockFree(kAreaScreens, &other), kMemoryAllocError);
  EXPECT_EQ(BlockFree(kAreaDevices, p), kInternal);
  EXPECT_EQ(g_rt.blocks.live, live + 1);  // failures leave the count alone

  p[10] = 'X';  // one byte past the end: the guard is gone
  EXPECT_EQ(BlockFree(kAreaScreens, p), kMemoryOverflow);
  EXPECT_EQ(g_rt.blocks.live, live + 1);
  p[10] = 0;
  EXPECT_EQ(BlockFree(kAreaScreens, p), 0);
  EXPECT_EQ(g_rt.blocks.live, live);
}

TEST_F(BlockTest, TableFullGivesNullAndKeepsTheCount) {
  std::vector<void*> got;
  for (void* p; (p = BlockAlloc(kAreaSort, 1, kNoFill));) got.push_back(p);
  EXPECT_EQ(got.size() + 3, kDefaultBlockCapacity);  // the runtime holds three
  uint16_t live = g_rt.blocks.live;
  EXPECT_EQ(BlockAlloc(kAreaSort, 1, kNoFill), nullptr);
  EXPECT_EQ(g_rt.blocks.live, live);
  for (void* p : got) EXPECT_EQ(BlockFree(kAreaSort, p), 0);
}

TEST_F(BlockTest, ResizeKeepsContentOrRefuses) {
  char* p = static_cast<char*>(BlockAlloc(kAreaLocalLists, 8, 0));
  memcpy(p, "abcdefgh", 8);
  EXPECT_EQ(BlockResize(kAreaLocalLists, p, 8, 4), nullptr);  // content does not fit
  EXPECT_EQ(memcmp(p, "abcdefgh", 8), 0);
  EXPECT_EQ(BlockResize(kAreaLocalLists, p, 9, 16), nullptr);  // more than the block holds
  char* q = static_cast<char*>(BlockResize(kAreaLocalLists, p, 8, 16));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(memcmp(q, "abcdefgh", 8), 0);
  EXPECT_EQ(BlockFree(kAreaLocalLists, q), 0);
}

TEST_F(BlockTest, AppendBufferChecksRoomForCopiedAndReservedBytes) {
  AppendBuf b = BufInit(kAreaLocalLists, 10);
  ASSERT_EQ(b.status, 0);
  EXPECT_NE(BufAppend(&b, "abc", 3, false), nullptr);
  char* r = BufAppend(&b, nullptr, 2, true);  // aligned to 4, reserved
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r - b.ptr, 4);
  EXPECT_EQ(b.used, 6);
  EXPECT_EQ(BufAppend(&b, nullptr, 5, false), nullptr);
  EXPECT_EQ(b.status, kDataOutBound);
  EXPECT_EQ(BufAppend(&b, "a", 1, false), nullptr);  // once failed, always failed
  EXPECT_EQ(BufFree(kAreaLocalLists, &b), 0);
}

TEST(BlockShutdownTest, LeakNamesTheAreaAndOverrunIsCaught) {
  RuntimeSizes(8, 0, kDefaultBlockCapacity);
  ASSERT_EQ(RuntimeInit(), 0);
  EXPECT_EQ(RuntimeInit(), kUndefinedWarning);
  char* p = static_cast<char*>(BlockAlloc(kAreaDevices, 4, 0));
  p[4] = 1;
  EXPECT_EQ(BlockFree(kAreaDevices, p), kMemoryOverflow);
  EXPECT_EQ(RuntimeShutdown(), kAreaDevices);  // the leak is reported, nothing is freed
  EXPECT_TRUE(g_rt.running);
  RuntimeFreeAll();

  ASSERT_EQ(RuntimeInit(), 0);
  EXPECT_EQ(RuntimeShutdown(), 0);
  EXPECT_EQ(g_rt.blocks.entries, nullptr);
}

}  // namespace
}  // namespace orv
