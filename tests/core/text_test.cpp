// Text editing, quoting, brackets, keys and values, comparison, numbers and sorting.
#include <gtest/gtest.h>

#include <string>

#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "support/runtime_fixture.h"

namespace orv {
namespace {

using TextTest = RuntimeTest;

TEST_F(TextTest, TrimCaseAndCharacterSets) {
  EXPECT_EQ(S(TextTrim(" \tab \t"_v, kTrimBoth)), "ab");
  EXPECT_EQ(S(TextTrim("  ab  "_v, kTrimStart)), "ab  ");
  EXPECT_EQ(S(TextTrim("  ab  "_v, kTrimEnd)), "  ab");
  EXPECT_EQ(S(TextTrimChars("xxabyx"_v, kTrimBoth, "xy"_v)), "ab");
  EXPECT_EQ(S(TextTrimChars("ab"_v, kTrimBoth, ""_v)), "ab");
  EXPECT_EQ(S(TextCase("aZ\xE9!"_v, 1)), "AZ\xE9!");  // only A-Z and a-z change
  EXPECT_EQ(S(TextCase("aZ\xC9!"_v, 0)), "az\xC9!");
  EXPECT_EQ(S(TextCollapse("a  b   c "_v, ' ')), "a b c ");
  EXPECT_EQ(S(TextKeepChars("a1b2c3"_v, "0123456789"_v)), "123");
  EXPECT_EQ(S(TextKeepChars("abc"_v, ""_v)), "");
  EXPECT_EQ(S(TextTranslate("a.b,c"_v, ".,"_v, ",."_v)), "a,b.c");
  EXPECT_EQ(S(TextTranslate("a.b,c"_v, ".,"_v, "!"_v)), "a!b,c");  // short to-set: kept
  EXPECT_EQ(S(TextTranslate("abc"_v, ""_v, "xyz"_v)), "abc");
  EXPECT_EQ(S(TextReplaceTokens("x&lt;y&gt;"_v, "&lt;&gt;"_v, "<>"_v)), "x<y>");
  EXPECT_EQ(S(TextReplaceTokens("abc"_v, "ab"_v, ""_v)), "abc");  // no characters: no loop
  EXPECT_EQ(S(TextReplaceTokens("abc"_v, "a"_v, "xy"_v)), "abc");  // parts of length 0
}

TEST_F(TextTest, Replace) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* replacement;
    SearchKind kind;
    const char* result;
  };
  const Case cases[] = {
      {"a  b '  ' c", "  ", " ", kQuoteAware, "a b '  ' c"},
      {"a  b '  ' c", "  ", " ", kPlain, "a b ' ' c"},
      {"it's", "'", "''", kQuoteAware, "it''s"},  // a quote pattern is searched plainly
      {"aaa", "a", "bb", kPlain, "bbbbbb"},
      {"abc", "", "x", kPlain, "abc"},  // an empty pattern changes nothing
      {"abc", "abc", "", kPlain, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(S(TextReplace(ValFromCStr(c.text), ValFromCStr(c.pattern),
                            ValFromCStr(c.replacement), c.kind)),
              c.result)
        << c.text;
}

TEST_F(TextTest, ReplaceThatWouldExceedTheLengthLimitFails) {
  std::string big(40000, 'a');
  EXPECT_EQ(ValCheck(TextReplace(ValOf(big), "a"_v, "bb"_v, kPlain)), kStringTooLong);
}

TEST_F(TextTest, Quoting) {
  EXPECT_EQ(S(TextQuote("abc"_v, '"')), "\"abc\"");
  EXPECT_EQ(S(TextQuote("a\"c"_v, '"')), "'a\"c'");
  EXPECT_EQ(ValCheck(TextQuote("'\""_v, '"')), kDataError);
  EXPECT_EQ(S(TextUnquote("'ab'"_v)), "ab");
  EXPECT_EQ(S(TextUnquote("'ab\""_v)), "'ab\"");
  EXPECT_EQ(S(TextUnquote("'"_v)), "'");
  EXPECT_EQ(S(TextUnquoteOrUpper("ab"_v)), "AB");
  EXPECT_EQ(S(TextUnquoteOrUpper("'ab'"_v)), "ab");
  EXPECT_EQ(S(TextUnquoteOrUpper(" ab"_v)), "ab");
}

TEST_F(TextTest, Brackets) {
  EXPECT_EQ(S(TextBetween("f(a(b)c)d"_v, '(', kPlain)), "a(b)c");
  EXPECT_EQ(S(TextBetween("x%KEY%y%Z%"_v, '%', kPlain)), "KEY");
  EXPECT_EQ(S(TextBetween("f(a(b"_v, '(', kPlain)), "");
  EXPECT_EQ(S(TextBetween("f(a(b)"_v, '(', kPlain)), "");
  EXPECT_EQ(S(TextBetween("nothing"_v, '(', kPlain)), "");
  EXPECT_EQ(S(TextBetween("[a')'](b)"_v, '[', kQuoteAware)), "a')'");
  Span s = TextInnermost("a)b(c(d)e)"_v, kPlain, '(', ')');
  EXPECT_EQ(s.off, 6);
  EXPECT_EQ(s.len, 1);
  EXPECT_FALSE(TextInnermost("a)b"_v, kPlain, '(', ')').found());
  s = TextInnermost("{{x}}"_v, kPlain, '{', '}');
  EXPECT_EQ(s.off, 2);
  EXPECT_EQ(s.len, 1);
}

TEST_F(TextTest, KeysAndValues) {
  struct Case {
    const char* text;
    const char* key;
    int flags;
    const char* value;
  };
  const Case cases[] = {
      {"APNAME:GE", "APNAME", 0, "GE"},
      {"/APNAME=GE /RUN:x", "APNAME", 0, "GE"},
      {"/DPATH:'/srv/Datos Empresa' /X:1", "DPATH", 0, "'/srv/Datos Empresa'"},
      {"/DPATH:'/srv/Datos Empresa' /X:1", "DPATH", kKeyUnquote, "/srv/Datos Empresa"},
      {"a:b", "A", 0, ""},
      {"XAPNAME:no APNAME:yes", "APNAME", 0, "yes"},  // counts only after : blank & /
      {"MODE=low&TRACE:3", "TRACE", 0, "3"},
      {"K=v", "K", kKeyUnquoteOrUpper, "V"},
      {"K:'v'", "K", kKeyUnquoteOrUpper, "v"},
      {"K:", "K", 0, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(S(TextKeyValue(ValFromCStr(c.text), ValFromCStr(c.key), c.flags)), c.value)
        << c.text << " " << c.key;

  Val nul("A=1 2\0B=x:y", 11);
  EXPECT_EQ(S(TextKeyValue(nul, "B"_v, kKeyNulSeparated)), "x:y");
  EXPECT_EQ(S(TextKeyValue(nul, "A"_v, kKeyNulSeparated)), "1 2");
  EXPECT_EQ(S(TextKeyValue(nul, "2"_v, kKeyNulSeparated)), "");  // not after a NUL

  uint16_t mark = ScratchMark();
  EXPECT_EQ(TextKeyValuePush("K:'v'"_v, "K"_v), 0);
  EXPECT_EQ(S(ScratchTop()), "v");
  EXPECT_EQ(TextKeyValuePush("%K%:'v'"_v, "%K%"_v), 0);
  EXPECT_EQ(S(ScratchTop()), "'v'");
  ScratchRelease(mark);

  EXPECT_EQ(S(TextKeyEq("A"_v, "1"_v)), "A=1");
  EXPECT_EQ(ValCheck(TextKeyEq("A"_v, ""_v)), kDataError);
}

TEST_F(TextTest, CompareAndNumbers) {
  EXPECT_EQ(TextCompare("AB"_v, "ABC"_v), kNone);
  EXPECT_EQ(TextCompare("ABC"_v, "AB"_v), 1);
  EXPECT_EQ(TextCompare("AB"_v, "AB"_v), 0);
  EXPECT_EQ(TextCompare("\xE9"_v, "z"_v), 1);  // bytes compare unsigned
  EXPECT_EQ(TextCompare(ValError(kDiskIo), "x"_v), kStrOutBound);

  for (const char* yes : {"si", "On", "YES", "y", "S"}) EXPECT_TRUE(TextIsYes(ValFromCStr(yes)));
  for (const char* no : {"NO", "", "yess", "0"}) EXPECT_FALSE(TextIsYes(ValFromCStr(no)));

  struct Case {
    const char* text;
    int16_t value;
  };
  for (Case c : {Case{"S", 1}, Case{"12X", 12}, Case{"  -7", -7}, Case{"+5", 5}, Case{"x", 0},
                 Case{"", 0}, Case{"99999", 32767}, Case{"-99999999999999999999999", -32768},
                 Case{"32767", 32767}, Case{"-32768", -32768}})
    EXPECT_EQ(TextToInt(ValFromCStr(c.text)), c.value) << c.text;
  EXPECT_EQ(TextToLong("99999"_v), 99999);
  EXPECT_EQ(TextToLong("-9223372036854775808"_v), INT64_MIN);
  EXPECT_EQ(TextToLong("9223372036854775808"_v), INT64_MAX);
  EXPECT_EQ(ListFieldToInt("a,' 12',yes"_v, ',', 2), 12);
  EXPECT_EQ(ListFieldToInt("a,' 12',yes"_v, ',', 3), 1);
}

TEST_F(TextTest, RecordSortIsStableAndByteWise) {
  const char recs[] = "b2a1b1\xE9" "0a0";
  Val sorted = RecordSort(recs, 2, 5);
  EXPECT_EQ(S(sorted), "a0a1b1b2\xE9" "0");
  EXPECT_EQ(S(RecordSort(recs, 2, 0)), "");
  EXPECT_EQ(S(RecordSort(recs, 6, 1)), "b2a1b1");
}

}  // namespace
}  // namespace orv
