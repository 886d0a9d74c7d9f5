// Number texts and fixed-point primitives.
#include <gtest/gtest.h>

#include <string>

#include "core/scratch.h"
#include "core/status.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "support/runtime_fixture.h"

namespace orv {
namespace {

using NumTextTest = RuntimeTest;

TEST_F(NumTextTest, TextToNumber) {
  struct {
    const char* text;
    int precis;
    Status status;
    int64_t want;
  } cases[] = {
      {"12.34", 2, 0, 1234},       {"1.235", 2, 0, 124},        {"-1.235", 2, 0, -124},
      {"1.234", 2, 0, 123},        {"12D3", 2, 0, 1200000},     {"1.5D2", 2, 0, 150},
      {"abc", 2, 0, 0},            {"", 2, 0, 0},               {"  7 ", 0, 0, 7},
      {"\t-.5", 2, 0, -50},        {"+3", 0, 0, 3},             {"- 5", 0, 0, 0},
      {"0.5", 0, 0, 1},            {"-0.5", 0, 0, -1},          {"0.49999", 0, 0, 0},
      {"12ab", 2, 0, 1200},        {"1.2.3", 2, 0, 120},        {"1 234", 0, 0, 1},
      {"12xD3", 0, 0, 12},         {"D5", 2, 0, 0},             {".", 2, 0, 0},
      {"9223372036854775807", 0, 0, INT64_MAX},
      {"-9223372036854775808", 0, 0, INT64_MIN},
      {"9223372036854775808", 0, kExpCalcError, 0},
      {"92233720368547758.07", 2, 0, INT64_MAX},
      {"92233720368547758.075", 2, kExpCalcError, 0},
      {"0000000000000000000000000000000000000000042", 0, 0, 42},
      {"1D18", 0, 0, 1000000000000000000},
      {"1D19", 0, kExpCalcError, 0},
      {"0D4294967296", 0, 0, 0},
      {"1D4294967296", 0, kExpCalcError, 0},
      {"5D-2", 0, 0, 5},
      {"1.00000000000000000000000000000000000000001", 4, 0, 10000},
  };
  for (const auto& c : cases) {
    int64_t v = 0;
    EXPECT_EQ(TextToNumber(ValFromCStr(c.text), c.precis, &v), c.status) << c.text;
    if (!c.status) {
      EXPECT_EQ(v, c.want) << c.text;
    }
  }
  // A number text of the longest value length is read without overrun.
  std::string long_text(65535, '9');
  int64_t v = 0;
  EXPECT_EQ(TextToNumber(ValOf(long_text), 2, &v), kExpCalcError);
  long_text.assign(65535, '0');
  long_text[65534] = '3';
  EXPECT_EQ(TextToNumber(ValOf(long_text), 2, &v), 0);
  EXPECT_EQ(v, 300);
}

TEST_F(NumTextTest, NumberToText) {
  struct {
    int64_t v;
    int d;
    const char* want;
  } cases[] = {
      {1234, 2, "12.34"}, {1250, 2, "12.5"}, {1200, 2, "12"}, {5, 2, ".05"},
      {-5, 2, "-.05"},    {0, 2, ""},        {0, 0, "0"},     {7, 0, "7"},
      {-50, 2, "-.5"},    {100, 2, "1"},     {INT64_MIN, 0, "-9223372036854775808"},
      {INT64_MIN, 4, "-922337203685477.5808"}, {INT64_MAX, 18, "9.223372036854775807"},
      {1, 18, ".000000000000000001"},
  };
  for (const auto& c : cases) {
    ScratchScope scope;
    EXPECT_EQ(S(NumberToText(c.v, c.d)), c.want) << c.v << " " << c.d;
  }
}

TEST_F(NumTextTest, RoundedDivisionComparesTwiceTheRemainder) {
  struct {
    int64_t a, c, want;
  } cases[] = {
      {10, 3, 3}, {11, 3, 4}, {-11, 3, -4}, {11, -3, -4}, {-11, -3, 4}, {5, 2, 3},
      {-5, 2, -3}, {1, 3, 0}, {2, 3, 1},    {100, 3, 33}, {7, 7, 1},    {0, 5, 0},
      {9, 0, 0},  {3, 1, 3},  {4, 9, 0},    {5, 9, 1},
  };
  for (const auto& c : cases) {
    int64_t q = -99;
    EXPECT_TRUE(RoundedDiv(c.a, c.c, &q));
    EXPECT_EQ(q, c.want) << c.a << "/" << c.c;
  }
  int64_t q;
  EXPECT_FALSE(RoundedDiv(INT64_MIN, -1, &q));
  EXPECT_TRUE(RoundedDiv(Int128(INT64_MAX) * 10, 10, &q));
  EXPECT_EQ(q, INT64_MAX);
}

TEST_F(NumTextTest, NumberToIntegerRoundsAndChecksSixteenBits) {
  int16_t v = 0;
  EXPECT_EQ(NumberToInteger(250, 100, &v), 0);
  EXPECT_EQ(v, 3);
  EXPECT_EQ(NumberToInteger(-250, 100, &v), 0);
  EXPECT_EQ(v, -3);
  EXPECT_EQ(NumberToInteger(3276749, 100, &v), 0);
  EXPECT_EQ(v, 32767);
  EXPECT_EQ(NumberToInteger(3276750, 100, &v), kExpCalcError);
  EXPECT_EQ(NumberToInteger(-3276849, 100, &v), 0);
  EXPECT_EQ(v, -32768);
  EXPECT_EQ(NumberToInteger(-3276850, 100, &v), kExpCalcError);
  EXPECT_EQ(NumberToInteger(INT64_MIN, 1, &v), kExpCalcError);
}

}  // namespace
}  // namespace orv
