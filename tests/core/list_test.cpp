// Lists and searches: field numbering, quotes, field edits and set operations.
#include <gtest/gtest.h>

#include <string>

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "support/runtime_fixture.h"

namespace orv {
namespace {

using ListTest = RuntimeTest;

TEST_F(ListTest, CountAndFields) {
  struct Case {
    const char* list;
    char sep;
    uint16_t count;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"", ',', 0, {}},
      {",", ',', 2, {"", ""}},
      {"a,b,", ',', 3, {"a", "b", ""}},
      {"a,,b", ',', 3, {"a", "", "b"}},
      {"a,'b,c',d", ',', 3, {"a", "'b,c'", "d"}},
      {"a,\"b,'c\",d", ',', 3, {"a", "\"b,'c\"", "d"}},
      {"a,'b,c", ',', 2, {"a", "'b,c"}},  // an unclosed quote runs to the end
      {"x:'y:z':w", ':', 3, {"x", "'y:z'", "w"}},
      {" a ; b ", ';', 2, {" a ", " b "}},
  };
  for (const Case& c : cases) {
    Val list = ValFromCStr(c.list);
    EXPECT_EQ(ListCount(list, c.sep), c.count) << c.list;
    for (size_t i = 0; i < c.fields.size(); ++i)
      EXPECT_EQ(S(ListField(list, c.sep, uint16_t(i + 1))), c.fields[i]) << c.list << " #" << i + 1;
    EXPECT_EQ(S(ListField(list, c.sep, 0)), "");
    EXPECT_EQ(S(ListField(list, c.sep, uint16_t(c.count + 1))), "");
  }
  // With the NUL separator quotes mean nothing.
  Val nul("a'\0b'", 5);
  EXPECT_EQ(ListCount(nul, '\0'), 2);
  EXPECT_EQ(S(ListField(nul, '\0', 2)), "b'");
  Span s = ListFieldPos("ab,cde,f"_v, ',', 2);
  EXPECT_EQ(s.off, 3);
  EXPECT_EQ(s.len, 3);
  EXPECT_EQ(S(ListRest("k=v=w"_v, '=')), "v=w");
  EXPECT_EQ(S(ListRest("kv"_v, '=')), "");
}

TEST_F(ListTest, QuoteAwareSearches) {
  Val t = "a'x,y'b,c"_v;
  EXPECT_EQ(TextFindChar(t, ',', kQuoteAware), 7);
  EXPECT_EQ(TextFindChar(t, ',', kPlain), 3);
  EXPECT_EQ(TextFindChar(t, '\'', kQuoteAware), kNone);  // a quote is never found aware
  EXPECT_EQ(TextFindCharFrom(t, 8, ',', kPlain), kNone);
  EXPECT_EQ(TextFindCharFrom("a,b,c"_v, 2, ',', kQuoteAware), 3);
  EXPECT_EQ(TextFindLastChar("x,'a,b'"_v, ',', kQuoteAware), 1);
  EXPECT_EQ(TextFindLastChar("x,'a,b'"_v, ',', kPlain), 4);
  EXPECT_EQ(TextFindAnyOf("ab'c;d'e;"_v, ";:"_v, kQuoteAware), 8);
  EXPECT_EQ(TextFindLastAnyOf("a:b;'c:'"_v, ";:"_v, kQuoteAware), 3);
  EXPECT_EQ(TextFindAnyOf("abc"_v, ""_v, kPlain), kNone);  // empty set
  EXPECT_EQ(TextFindText("ab'cd'cd"_v, "cd"_v, kQuoteAware), 6);
  EXPECT_EQ(TextFindText("ab'cd'cd"_v, "cd"_v, kPlain), 3);
  EXPECT_EQ(TextFindText("ab"_v, "abc"_v, kPlain), kNone);
  EXPECT_EQ(TextFindText("ab"_v, ""_v, kPlain), kNone);  // empty pattern: never, no loop
  EXPECT_EQ(TextCountText("aaaa"_v, "aa"_v, kPlain), 2);
  EXPECT_EQ(TextCountText("aaaa"_v, ""_v, kPlain), 0);
  EXPECT_EQ(TextAllIn("abba"_v, "ab"_v), 1);
  EXPECT_EQ(TextAllIn(""_v, "ab"_v), 1);
  EXPECT_EQ(TextAllIn("abc"_v, ""_v), 0);
  EXPECT_EQ(TextIsEnclosed("(x)"_v, '('), 1);
  EXPECT_EQ(TextIsEnclosed("("_v, '('), 0);
  EXPECT_EQ(TextIsEnclosed("%x%"_v, '%'), 1);
  EXPECT_EQ(TextFindChar(ValError(kDiskIo), 'a', kPlain), kNone);
}

TEST_F(ListTest, WordIndex) {
  EXPECT_EQ(ListWordIndex("EN,ES,FR,DE,IT"_v, "ES"_v, ','), 2);
  EXPECT_EQ(ListWordIndex("EN,ES,FR,DE,IT"_v, "es"_v, ','), 0);
  EXPECT_EQ(ListWordIndex("EN,ES"_v, "E"_v, ','), 0);
  EXPECT_EQ(ListWordIndex("a"_v, "abc"_v, ','), 0);  // list shorter than the word
  EXPECT_EQ(ListWordIndex("a,,b"_v, ""_v, ','), 2);
}

TEST_F(ListTest, SetField) {
  struct Case {
    const char* list;
    const char* value;
    int n;
    const char* result;
  };
  const Case cases[] = {
      {"a,b", "x", 4, "a,b,,x"}, {"a,b", "x", 0, "a,b,x"},  {"a,b,c", "", -1, "b,c"},
      {"a,b,c", "", -2, "a,c"},  {"a,b,c", "", -3, "a,b"}, {"a,b,c", "", -5, "a,b,c"},
      {"a,b,c", "X", 2, "a,X,c"}, {"", "x", 0, "x"},        {"", "x", 3, ",,x"},
      {"a", "", -1, ""},          {"a,b", "", 0, "a,b,"},    {"'a,b',c", "Z", 2, "'a,b',Z"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(S(ListSetField(ValFromCStr(c.list), ValFromCStr(c.value), ',', c.n)), c.result)
        << c.list << " " << c.n;
}

TEST_F(ListTest, SplitUnionDifference) {
  uint16_t mark = ScratchMark();
  ValArray a = ListSplit("x,'y,z',,w"_v, ',');
  ASSERT_EQ(a.count, 4);
  EXPECT_EQ(S(a.items[1]), "'y,z'");
  EXPECT_EQ(S(a.items[2]), "");
  EXPECT_EQ(ListSplit(""_v, ',').count, 0);
  for (size_t before : {4, 8}) {  // whatever the stack holds, the items are aligned
    ASSERT_EQ(ScratchAlloc(before, 0), 0);
    ValArray b = ListSplit("p,q"_v, ',');
    ASSERT_EQ(b.count, 2);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(b.items) % alignof(Val), 0u);
    EXPECT_EQ(S(b.items[1]), "q");
  }
  ScratchRelease(mark);

  EXPECT_EQ(S(ListUnion("a,b"_v, ',', "b;c;d"_v, ';')), "a,b,c,d");
  EXPECT_EQ(S(ListUnion(""_v, ',', "b;c"_v, ';')), "b,c");
  EXPECT_EQ(S(ListDifference("a,b,c,d"_v, ',', "b d"_v, ' ')), "a,c");
  EXPECT_EQ(ListMaxFieldLength("ab,'abcd',x"_v, ','), 4);
  EXPECT_EQ(ListMinFieldLength("ab,'abcd',x"_v, ','), 1);
  EXPECT_EQ(ListRangeIndex("1-5,10-20,30-30"_v, 15), 2);
  EXPECT_EQ(ListRangeIndex("1-5,10-20,30-30"_v, 30), 3);
  EXPECT_EQ(ListRangeIndex("1-5,bad,10-20"_v, 7), 0);
}

TEST_F(ListTest, Arrays) {
  const int v[] = {4, 8, 15, 16};
  int x = 15, y = 99;
  EXPECT_EQ(ArrayFind(v, 4, sizeof(int), &x), 2);
  EXPECT_EQ(ArrayFind(v, 4, sizeof(int), &y), kNone);
  EXPECT_EQ(ArrayCheckIndex(16, 3, 4), 0);
  EXPECT_EQ(ArrayCheckIndex(16, 4, 4), kNone);
  EXPECT_EQ(ArrayCheckIndex(15, 0, 4), kNone);
  EXPECT_EQ(ArrayCheckIndex(16, 0, 0), kNone);
}

}  // namespace
}  // namespace orv
