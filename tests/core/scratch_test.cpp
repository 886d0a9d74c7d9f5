// The scratch stack: pushes, alignment, marks, exhaustion and the value builders.
#include <gtest/gtest.h>

#include <cstring>

#include "core/scratch.h"
#include "core/status.h"
#include "support/runtime_fixture.h"

namespace orv {
namespace {

class ScratchTest : public RuntimeTest {
 protected:
  size_t Used() const { return size_t(g_rt.scratch.free - g_rt.scratch.data); }
};

// A stack of 4096 bytes and 4 entries, small enough to exhaust.
class TinyScratchTest : public RuntimeTest {
 protected:
  uint16_t ScratchKib() const override { return 4; }
};

TEST_F(ScratchTest, PushAdvancesByLengthRaisedToFour) {
  struct Case {
    size_t len;
    size_t advance;
  };
  for (Case c : {Case{0, 0}, Case{1, 4}, Case{4, 4}, Case{5, 8}, Case{8, 8}, Case{9, 12}}) {
    uint16_t mark = ScratchMark();
    size_t before = Used();
    ASSERT_EQ(ScratchAlloc(c.len, 'x'), 0);
    EXPECT_EQ(Used() - before, c.advance) << "length " << c.len;
    EXPECT_EQ(ScratchTop().len, c.len);
    EXPECT_EQ((ScratchTop().ptr - g_rt.scratch.data) % 4, 0);
    ScratchRelease(mark);
    EXPECT_EQ(Used(), before);
  }
}

TEST_F(ScratchTest, ReleaseKeepsTheEntryOnTopAtTheMark) {
  Val a = ValCopy("first"_v);
  uint16_t mark = ScratchMark();
  EXPECT_EQ(ScratchRelease(ScratchMark()), mark);  // releasing to the current mark is a no-op
  ValCopy("second"_v);
  EXPECT_EQ(ScratchRelease(mark), mark);
  EXPECT_EQ(S(ScratchTop()), "first");
  EXPECT_EQ(ScratchTop().ptr, a.ptr);
  EXPECT_EQ(ScratchRelease(kNone), mark);  // 0xFFFF only reads the top
}

TEST_F(ScratchTest, ReleasingAboveTheTopIsRefused) {
  ValCopy("x"_v);
  uint16_t top = ScratchMark();
  EXPECT_DEBUG_DEATH(ScratchRelease(top + 1), "above the top");
  EXPECT_EQ(ScratchMark(), top);  // without assertions the release is ignored
}

TEST_F(TinyScratchTest, ExhaustionLeavesTheStackAsItWas) {
  // Bytes: the push that would make the free pointer reach the end fails.
  EXPECT_EQ(ScratchFreeSpace().len, 4096 - 4);
  ASSERT_EQ(ScratchAlloc(4092, 0), 0);
  EXPECT_EQ(ScratchFreeSpace().len, 0);  // 4 bytes left: 0, never a wrapped 0xFFFF
  ScratchRelease(0);
  uint16_t top = ScratchMark();
  char* free = g_rt.scratch.free;
  EXPECT_EQ(ScratchAlloc(4096, 0), kOutOfMemory);
  EXPECT_EQ(ScratchMark(), top);
  EXPECT_EQ(g_rt.scratch.free, free);
  // Entries: at most N - 1 values above entry 0.
  for (int i = 0; i < 3; ++i) ASSERT_EQ(ScratchPushCopy("ab"_v), 0) << i;
  free = g_rt.scratch.free;
  EXPECT_EQ(ScratchPushCopy("ab"_v), kOutOfMemory);
  EXPECT_EQ(ScratchMark(), 3);
  EXPECT_EQ(g_rt.scratch.free, free);
  EXPECT_EQ(ValCheck(ValConcat("a"_v, "b"_v)), kOutOfMemory);
  EXPECT_EQ(ScratchRoom(1), kOutOfMemory);
  ScratchRelease(2);
  EXPECT_EQ(ScratchRoom(1), 0);
}

TEST_F(TinyScratchTest, TooLongIsRefusedNotCut) {
  EXPECT_EQ(ScratchAlloc(70000, 0), kStringTooLong);
  EXPECT_EQ(ValCheck(ValMake("x", 70000)), kStringTooLong);
  EXPECT_EQ(ScratchMark(), 0);
}

TEST_F(ScratchTest, ReturnCopiesOverlappingValuesDown) {
  uint16_t mark = ScratchMark();
  ValCopy("junk"_v);
  Val big = ValCopy("0123456789"_v);
  Val r = ScratchReturn(mark, ValSub(big, 2, 5));
  EXPECT_EQ(S(r), "23456");
  EXPECT_EQ(ScratchMark(), mark + 1);
  EXPECT_EQ(ValCheck(ScratchReturn(mark, ValError(kDataError))), kDataError);
  EXPECT_EQ(ScratchMark(), mark);
}

TEST_F(ScratchTest, KeepMovesSeveralValuesDownToTheMark) {
  uint16_t mark = ScratchMark();
  ValCopy("waste"_v);
  Val a = ValCopy("alpha"_v);
  Val b = ValCopy("be"_v);
  ASSERT_EQ(ScratchKeep(mark, {&a, &b}), 0);
  EXPECT_EQ(ScratchMark(), mark + 2);
  EXPECT_EQ(S(a), "alpha");
  EXPECT_EQ(S(b), "be");
  EXPECT_EQ(a.ptr, g_rt.scratch.data);
}

TEST_F(ScratchTest, ScopeReleasesOrReturns) {
  uint16_t outer = ScratchMark();
  {
    ScratchScope scope;
    ValCopy("temp"_v);
  }
  EXPECT_EQ(ScratchMark(), outer);
  Val v;
  {
    ScratchScope scope;
    ValCopy("temp"_v);
    v = scope.Return(ValConcat("x"_v, "y"_v));
  }
  EXPECT_EQ(ScratchMark(), outer + 1);
  EXPECT_EQ(S(v), "xy");
}

TEST_F(ScratchTest, Builders) {
  EXPECT_EQ(S(ValJoin("a"_v, ", "_v, "b"_v)), "a, b");
  EXPECT_EQ(S(ValJoin(""_v, ", "_v, "b"_v)), "b");
  EXPECT_EQ(S(ValJoin("a"_v, ", "_v, ""_v)), "a");
  EXPECT_EQ(S(ValRepeat("ab"_v, 3)), "ababab");
  EXPECT_EQ(S(ValRepeat("ab"_v, 0)), "");
  EXPECT_EQ(S(ValChar('z')), "z");
  EXPECT_EQ(S(ValWrap("x"_v, '(')), "(x)");
  EXPECT_EQ(S(ValWrap("x"_v, '\'')), "'x'");
  EXPECT_STREQ(ValToCStr("abc"_v), "abc");
  EXPECT_STREQ(ValToCStr(ValError(kDataError)), "");
  EXPECT_EQ(ValCheck(ValConcat(ValError(kDiskIo), "b"_v)), kDiskIo);
}

TEST_F(ScratchTest, FormatMatchesTheCLibraryAndNeverOverflows) {
  struct Case {
    uint16_t max;
    const char* arg;
  };
  for (Case c : {Case{5, "ABCD"}, Case{5, "ABCDE"}, Case{0, ""}, Case{0, "A"}, Case{12, "%d"}}) {
    char expect[64];
    int n = snprintf(expect, sizeof expect, "[%s]", c.arg);
    Val v = ValFormat(c.max, "[%s]", c.arg);
    if (n < c.max) {
      EXPECT_EQ(S(v), expect);
    } else {
      EXPECT_EQ(ValCheck(v), kStringTooLong) << c.arg;
      EXPECT_EQ(ErrRecorded(), (uint32_t(kAreaFormatStrings) << 16) | kStringTooLong);
      ErrRecord(2, 0, 0, 0);
    }
  }
  EXPECT_EQ(S(ValFormat(5, "%s", "ABCD")), "ABCD");
  EXPECT_EQ(ValCheck(ValFormat(5, "%s", "ABCDE")), kStringTooLong);
  EXPECT_EQ(S(ValFormat(20, "%2s|%-4d|%.*s", "7", 42, 3, "abcdef")), " 7|42  |abc");
}

TEST(ValTest, ViewsAndErrorValues) {
  Val abc = "ABCDE"_v;
  EXPECT_EQ(ValSub(abc, -2, 0xFFFF).sv(), "DE");
  EXPECT_EQ(ValSub(abc, 3, 10).sv(), "DE");
  EXPECT_EQ(ValSub(abc, 7, 1).sv(), "");
  EXPECT_EQ(ValSub(abc, -9, 2).sv(), "ABCDE");  // a negative start takes the rest
  EXPECT_EQ(ValCheck(ValFromCStr(nullptr)), kDataError);
  EXPECT_EQ(ValCheck(Val(nullptr, 0)), kNone);
  EXPECT_EQ(ValCheck(Val()), 0);
  EXPECT_NE(Val().ptr, nullptr);
  EXPECT_EQ(ValOr(""_v, "b"_v).sv(), "b");
  EXPECT_EQ(ValHead(abc, 2).sv(), "AB");
  EXPECT_EQ(ValTail(abc, 4).sv(), "E");
  EXPECT_EQ(ValTail(abc, 9).sv(), "");

  char buf[6] = "-----";
  Val dst(buf, 5);
  EXPECT_EQ(ValPutAt(dst, 3, "xyz"_v), 0);
  EXPECT_STREQ(buf, "---xy");
  EXPECT_EQ(ValPutAt(dst, -5, "ab"_v), 0);
  EXPECT_STREQ(buf, "ab-xy");
  EXPECT_EQ(ValPutAt(dst, 9, "q"_v), 0);
  EXPECT_STREQ(buf, "ab-xy");

  char out[8];
  Val w = ValCopyInto("ab"_v, out, 0);
  w = ValCopyInto("cd"_v, out, w.len);
  EXPECT_EQ(w.sv(), "abcd");
}

}  // namespace
}  // namespace orv
