// Dates and times through FN#VALN, FN$DATE and TIME$: the Gregorian calendar, two-digit
// years, date texts in both orders, parts, arithmetic and time texts.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "expr/dates.h"
#include "expr_fixture.h"

namespace orv {
namespace {

struct Case {
  const char* lang;
  const char* expr;
  const char* want;
};

class DateTable : public ExprTest {
 protected:
  void SetUp() override {
    ExprTest::SetUp();
    ExprSetToday("20240601"_v);
  }
  void Check(const Case* cases, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      ExprShutdown();
      ASSERT_EQ(ExprInit(), 0);
      ExprSetToday("20240601"_v);
      UseLanguage(cases[i].lang);
      EXPECT_EQ(Eval(cases[i].expr), cases[i].want) << cases[i].lang << " " << cases[i].expr;
    }
  }
};

TEST_F(DateTable, GregorianCalendar) {
  const struct {
    int64_t year;
    bool leap;
  } years[] = {{1900, false}, {2000, true}, {2100, false}, {2400, true},
               {2024, true},  {2023, false}, {0, true},    {4, true}};
  for (const auto& y : years) {
    EXPECT_EQ(IsLeapYear(y.year), y.leap) << y.year;
    EXPECT_EQ(MonthLength(y.year, 2), y.leap ? 29 : 28) << y.year;
  }
  const Case cases[] = {
      {"", "FN$DATE('21000229';2)", "T           "},
      {"", "FN$DATE('20000229';2)", "T 02-29-2000"},
      {"", "FN#VALN('21000228';'D';1)", "N 21000301"},
      {"", "FN#VALN('20000228';'D';1)", "N 20000229"},
      {"", "FN#VALN('21000301';'D';'21000201')", "N 28"},
  };
  Check(cases, std::size(cases));
}

TEST_F(DateTable, TwoDigitYearsAndDateTexts) {
  const Case cases[] = {
      {"", "FN$DATE('1/2/79';0)", "T 20790102"},   {"", "FN$DATE('1/2/80';0)", "T 19800102"},
      {"", "FN$DATE('1/2/00';0)", "T 20000102"},   {"", "FN$DATE('1/2/0079';0)", "T 00790102"},
      {"", "_BYEAR=1900;_BKYEAR=50;FN$DATE('1/2/49';0)", "T 19490102"},
      {"", "_BYEAR=1900;_BKYEAR=50;FN$DATE('1/2/50';0)", "T 18500102"},
      {"ES", "FN$DATE('31/12/99';0)", "T 19991231"}, {"", "FN$DATE('12/31/99';0)", "T 19991231"},
      {"FR", "FN$DATE('31.12.1999';0)", "T 19991231"}, {"IT", "FN$DATE('31-12-99';0)", "T 19991231"},
      {"EN", "FN$DATE('31/12/99';0)", "T "},         {"DE", "FN$DATE('12-31-99';0)", "T 19991231"},
      {"ES", "FN$DATE(' 5/3/2024 ';2)", "T 05-03-2024"},
      {"", "FN$DATE('0/3/2024';0)", "T "},           {"", "FN$DATE('3/0/2024';0)", "T "},
      {"", "FN$DATE('3/4/';0)", "T "},               {"", "FN$DATE('3/4/x';0)", "T "},
      {"", "FN$DATE('3/4a/2024';0)", "T "},          {"", "FN$DATE('-3/4/2024';0)", "T "},               {"", "FN$DATE('2/30/2024';0)", "T "},
      {"", "FN$DATE('2/29/2023';1)", "T         "},  {"", "FN$DATE('1/1/10000';0)", "T "},
      // An invalid date text shows as no date, never as today.
      {"", "FN$DATE('13/13/2024';2)", "T           "},
  };
  Check(cases, std::size(cases));
}

TEST_F(DateTable, DateStyles) {
  const Case cases[] = {
      {"ES", "FN$DATE('20240305';4)", "T 05 de Marzo de 2024"},
      {"ES", "FN$DATE('20240305';3)", "T Mar 2024"},
      {"ES", "FN$DATE('20240305';2)", "T 05-03-2024"},
      {"", "FN$DATE('20240305';2)", "T 03-05-2024"},
      {"ES", "FN$DATE('20240305';1)", "T 05-03-24"},
      {"", "FN$DATE('20240305';4)", "T March 05, 2024"},
      {"", "FN$DATE('20240305';0)", "T 20240305"},
      {"", "FN$DATE('20240305';5)", "T "},
      {"", "FN$DATE('20240305';130)", "T           "},
      {"", "FN$DATE(20240305;3)", "T Mar 2024"},
      {"", "FN$DATE(-5;2)", "T           "},
      {"", "FN$DATE('2024035';1)", "T         "},
      {"", "FN$DATE('abcdefgh';0)", "T "},
      {"", "FN$DATE()", "T 20240601"},
      {"", "FN$DATE('';2)", "T 06-01-2024"},
      {"", "_AUXSTAT=64;FN$DATE('';2)", "T           "},
      {"", "FN$DATE('00010101';4)", "T January 01, 0001"},
  };
  Check(cases, std::size(cases));
}

TEST_F(DateTable, PartsAndArithmetic) {
  const Case cases[] = {
      {"", "FN#VALN('20240315';'D')", "N 15"},    {"", "FN#VALN('20240315';'M')", "N 3"},
      {"", "FN#VALN('20240315';'Y')", "N 2024"},  {"", "FN#VALN('20240315';'V')", "N 20240315"},
      {"", "FN#VALN('20240315';'V';5)", "N 20240315"},
      {"", "FN#VALN('20240315';'d')", "E 147 SINTAXERROR"},
      // Months clamp to the month's last day for every count of months.
      {"", "FN#VALN('20240131';'M';1)", "N 20240229"},
      {"", "FN#VALN('20240131';'M';13)", "N 20250228"},
      {"", "FN#VALN('20240131';'M';25)", "N 20260228"},
      {"", "FN#VALN('20240131';'M';-11)", "N 20230228"},
      {"", "FN#VALN('20240331';'M';-1)", "N 20240229"},
      {"", "FN#VALN('20240331';'M';-25)", "N 20220228"},
      {"", "FN#VALN('20241231';'M';2)", "N 20250228"},
      {"", "FN#VALN('20240229';'Y';1)", "N 20250301"},
      {"", "FN#VALN('20240229';'Y';4)", "N 20280229"},
      {"", "FN#VALN('20240301';'D';-1)", "N 20240229"},
      {"", "FN#VALN('20231231';'D';1)", "N 20240101"},
      {"", "FN#VALN('20240101';'D';-366)", "N 20221231"},
      {"", "FN#VALN('20240101';'D';10000)", "N 20510519"},
      // Differences count real days, leap days included.
      {"", "FN#VALN('20240301';'D';'20240101')", "N 60"},
      {"", "FN#VALN('20250101';'D';'20240101')", "N 366"},
      {"", "FN#VALN('20240101';'D';'20240301')", "N -60"},
      {"", "FN#VALN('21000301';'D';'20000301')", "N 36524"},
      {"", "FN#VALN('20240105';'M';'20231215')", "N 1"},
      {"", "FN#VALN('20240105';'Y';'20231215')", "N 1"},
      {"", "FN#VALN('20240105';'V';'20231215')", "N 0"},
      // A date given as a number stays a date (no cut to 16 bits).
      {"", "FN#VALN('20240315';'D';20240101)", "N 74"},
      // Unvalidated parts are normalised; results beyond the year 9999 are refused.
      {"", "FN#VALN('20241340';'V';0)", "N 20250209"},
      {"", "FN#VALN('99991231';'D';1)", "E 168 DATAOUTBOUND"},
      {"", "FN#VALN('00010101';'Y';-2)", "E 168 DATAOUTBOUND"},
      {"", "FN#VALN('20240101';'D';-999999999)", "E 168 DATAOUTBOUND"},
  };
  Check(cases, std::size(cases));
}

TEST_F(DateTable, Times) {
  const Case cases[] = {
      {"", "TIME$('14:05:09.25';7)", "T 14:05:09.250"}, {"", "TIME$('14:05:09.25';3)", "T 14:05:09"},
      {"", "TIME$('14:05:09';1)", "T 14:05"},            {"", "TIME$('14:05:09';0)", "T 1405"},
      {"", "TIME$('14:05:09.5';6)", "T 140509.500"},     {"", "TIME$('12:30';3)", "T 00:12:30"},
      {"", "TIME$('1230';3)", "T 00:20:30"},             {"", "TIME$('.5';7)", "T 00:00:00.500"},
      {"", "TIME$('.1239';7)", "T 00:00:00.123"},        {"", "TIME$('1:2:3:4.5';7)", "T 00:00:00.500"},
      {"", "TIME$('25:00:00';3)", "T 01:00:00"},         {"", "TIME$('-1';3)", "T 23:59:59"},
      {"", "TIME$(5)", "E 128 Tipos Incompatibles"},
  };
  Check(cases, std::size(cases));
  // The current time: "T hh:mm:ss.mmm".
  for (const char* expr : {"TIME$('';7)", "TIME$(;7)"}) {
    std::string line = Eval(expr);
    ASSERT_EQ(line.size(), 14u) << line;
    for (size_t i = 2; i < line.size(); ++i)
      EXPECT_TRUE(i == 4 || i == 7 ? line[i] == ':' : i == 10 ? line[i] == '.' : isdigit(line[i]))
          << line;
  }
}

}  // namespace
}  // namespace orv
