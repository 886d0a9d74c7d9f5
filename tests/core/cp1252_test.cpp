// CP1252 case mapping and the UTF-8 edges (the codec is also checked against Python).
#include <gtest/gtest.h>

#include <string>

#include "core/cp1252.h"

namespace orv {
namespace {

TEST(Cp1252Test, CaseMapping) {
  EXPECT_EQ(Cp1252Upper('a'), 'A');
  EXPECT_EQ(Cp1252Upper(0xF1), 0xD1);  // n with tilde
  EXPECT_EQ(Cp1252Upper(0x9A), 0x8A);  // s with caron
  EXPECT_EQ(Cp1252Upper(0xFF), 0x9F);  // y with diaeresis
  EXPECT_EQ(Cp1252Upper(0xF7), 0xF7);  // division sign
  EXPECT_EQ(Cp1252Upper(0xDF), 0xDF);  // sharp s has no single upper case
  EXPECT_EQ(Cp1252Lower(0xC9), 0xE9);
  EXPECT_EQ(Cp1252Lower(0xD7), 0xD7);  // multiplication sign
  for (int c = 0; c < 256; ++c) {
    uint8_t u = Cp1252Upper(uint8_t(c));
    if (u != c) {
      EXPECT_EQ(Cp1252Lower(u), c) << c;
    }
  }
  EXPECT_TRUE(Cp1252IsAlpha(0xE7));
  EXPECT_FALSE(Cp1252IsAlpha('1'));
  EXPECT_FALSE(Cp1252IsAlpha(0xD7));
}

TEST(Cp1252Test, Utf8RoundTripOfEveryByte) {
  std::string all;
  for (int c = 1; c < 256; ++c) all.push_back(char(c));
  std::string utf8 = Cp1252ToUtf8(all);
  std::string back;
  ASSERT_TRUE(Utf8ToCp1252(utf8, &back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");  // euro sign, e acute
}

TEST(Cp1252Test, InvalidUtf8IsRefused) {
  std::string out = "kept";
  for (const char* bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xFF", "a\x80"})
    EXPECT_FALSE(Utf8ToCp1252(bad, &out)) << bad;
  EXPECT_EQ(out, "kept");
  ASSERT_TRUE(Utf8ToCp1252("\xE4\xB8\xAD", &out));  // no CP1252 form
  EXPECT_EQ(out, "?");
}

}  // namespace
}  // namespace orv
