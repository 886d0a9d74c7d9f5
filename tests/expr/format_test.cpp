// Masks, typed numbers, default and expanded masks, and the field conversions, each as a
// table run in the built-in conventions and, where it matters, in the Spanish ones.
#include <gtest/gtest.h>

#include <string>

#include "core/slots.h"
#include "expr/masks.h"
#include "expr_fixture.h"

namespace orv {
namespace {

struct Case {
  const char* lang;  // "" the built-in conventions, "ES" the Spanish ones
  const char* in;
  const char* want;
};

class FormatTable : public ExprTest {
 protected:
  // Expressions through the console.
  void Expressions(const Case* cases, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      ExprShutdown();
      ASSERT_EQ(ExprInit(), 0);
      UseLanguage(cases[i].lang);
      EXPECT_EQ(Eval(cases[i].in), cases[i].want) << cases[i].lang << " " << cases[i].in;
    }
  }
  // Conversions: "kind type width|text", with today 20240601.
  void Conversions(const Case* cases, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      ExprShutdown();
      ASSERT_EQ(ExprInit(), 0);
      ExprSetToday("20240601"_v);
      UseLanguage(cases[i].lang);
      std::string entry = cases[i].in, line;
      size_t bar = entry.find('|');
      std::string head = entry.substr(0, bar), text = entry.substr(bar + 1);
      size_t s1 = head.find(' '), s2 = head.find(' ', s1 + 1);
      ConsoleFormat(head.substr(0, s1), head[s1 + 1], uint16_t(std::stoi(head.substr(s2 + 1))),
                    text, &line);
      EXPECT_EQ(line, cases[i].want) << cases[i].lang << " " << entry;
    }
  }
};

TEST_F(FormatTable, NumericMasks) {
  const Case cases[] = {
      {"", "FN$MASK('###,##0.00';1234.5)", "T   1,234.50"},
      {"", "FN$MASK('###,##0.00';-5)", "T      -5.00"},
      {"", "FN$MASK('###,##0.00';.5)", "T       0.50"},
      {"", "FN$MASK('###,##0.00';-.5)", "T      -0.50"},
      {"", "FN$MASK('###,##0.00';'')", "T       0.00"},
      {"", "FN$MASK('###,##0.00';0)", "T       0.00"},
      {"", "FN$MASK('###,##0.00';-123)", "T    -123.00"},
      {"", "FN$MASK('###,##0.00';-1234)", "T  -1,234.00"},
      // Wider than the integer places: the separator, then decimal places, give way.
      {"", "FN$MASK('###,##0.00';1234567)", "T 1234567.00"},
      {"", "FN$MASK('###,##0.00';12345678)", "T 12345678.0"},
      {"", "FN$MASK('###,##0.00';123456789)", "T  123456789"},
      {"", "FN$MASK('###,##0.00';-123456789)", "T -123456789"},
      // Still too wide: the whole mask shows '*', never the last digits or no sign.
      {"", "FN$MASK('###,##0.00';12345678901)", "T **********"},
      {"", "FN$MASK('###,##0.00';-1234567890)", "T **********"},
      {"", "FN$MASK('#,##0';-1234)", "T -1234"},
      {"", "FN$MASK('#,##0';-12345)", "T *****"},
      {"", "FN$MASK('Total: ###';1234)", "T **********"},
      // Rounding half away from zero.
      {"", "FN$MASK('##0.0';1.25)", "T   1.3"},
      {"", "FN$MASK('##0.0';-1.25)", "T  -1.3"},
      {"", "FN$MASK('##0.0';99.96)", "T 100.0"},
      // A carry that needs a place more gives up decimal places as well.
      {"", "FN$MASK('#0.0';99.96)", "T  100"},
      {"", "FN$MASK('#0.00';99.999)", "T 100.0"},
      {"", "FN$MASK('#,##0.00';9999.999)", "T 10000.00"},
      {"", "FN$MASK('0.00';-.5)", "T -0.5"},
      {"", "FN$MASK('0.0';9.96)", "T 010"},
      {"", "FN$MASK('0.0';999.96)", "T ***"},
      {"", "FN$MASK('###,##0.00';'12345678901234567890.125')", "T **********"},
      {"", "FN$MASK('##########################0.00';'12345678901234567890.125')",
       "T        12345678901234567890.13"},
      {"", "_PRECIS=3;FN$MASK('##0.00';-0.001)", "T   0.00"},
      {"", "FN$MASK('000';5)", "T 005"},
      {"", "FN$MASK('$ #,##0.00 EUR';1234.5)", "T $ 1,234.50 EUR"},
      {"ES", "FN$MASK('###,##0.00';1234.5)", "T   1.234,50"},
      {"ES", "FN$MASK('###,##0.00';-.5)", "T      -0,50"},
      // Mode 1: numeric with the built-in separators whatever the language.
      {"ES", "FN$MASK('###,##0.00';1234.5;1)", "T   1,234.50"},
      // Mode 0, or a value that is no number: a numeric mask is shown as it is.
      {"", "FN$MASK('#,##0';12;0)", "T #,##0"},
      {"", "FN$MASK('###';'12a')", "T ###"},
      {"", "FN$MASK('no places';5)", "T no places"},
  };
  Expressions(cases, std::size(cases));
}

TEST_F(FormatTable, TextMasks) {
  const Case cases[] = {
      {"", "FN$MASK('\\\\-\\\\';12345)", "T 12-34"},
      {"", "FN$MASK('?" "?-?" "?';12345)", "T 12-45"},
      {"", "FN$MASK('\\\\?\\';'abc')", "T abc "},
      {"", "FN$MASK('(\\\\\\) \\\\\\';'555123')", "T (555) 123"},
      {"", "FN$MASK('\\   \\';'abcdef')", "T abcde"},
      {"", "FN$MASK('\\\\\\\\';'ab')", "T ab  "},
      {"", "FN$MASK('#\\\\';'abc')", "T #ab"},
      {"", "FN$MASK('?" "?';'')", "T   "},
  };
  Expressions(cases, std::size(cases));
}

TEST_F(FormatTable, DefaultAndExpandedMasks) {
  const Case cases[] = {
      {"", "default-mask 2 8|", "T #####.##"},   {"", "default-mask N 5|", "T #####"},
      {"", "default-mask A 3|", "T \\\\\\"},     {"", "default-mask 9 5|", "T #####"},
      {"", "default-mask 1 2|", "T ##"},         {"", "default-mask 1 3|", "T #.#"},
      {"", "default-mask D 8|", "T \\\\\\\\\\\\\\\\"},
      {"", "expand-mask ? 0|N8", "T ########"},  {"", "expand-mask ? 0|210", "T #######.##"},
      {"", "expand-mask ? 0|A3", "T \\\\\\"},    {"", "expand-mask ? 0|N0", "T N0"},
      {"", "expand-mask ? 0|##########,.2", "T ##,###,###.##"},
      {"", "expand-mask ? 0|#########0,.2", "T ##,###,##0.00"},
      {"", "expand-mask ? 0|$ ######0,.0", "T $ ##,###,##0"},
      {"", "expand-mask ? 0|##,.", "T ####"},
      {"", "expand-mask ? 0|###", "T ###"},
  };
  Conversions(cases, std::size(cases));
  // The count after ",." names an entry of the mask parameters when they are set.
  ASSERT_EQ(SlotSet(kSlotGroupSettings, 10, "0,3"_v), 0);
  std::string line;
  ConsoleFormat("expand-mask", ' ', 0, "########,.1", &line);
  EXPECT_EQ(line, "T ###,###.###");
}

TEST_F(FormatTable, TypedNumbers) {
  const Case cases[] = {
      {"", "FN#VALN('12,50')", "N 12"},
      {"ES", "FN#VALN('12,50')", "N 12.5"},
      {"ES", "FN#VALN('0012,50 EUR')", "N 12.5"},
      {"ES", "FN#VALN('-0012,50')", "N -12.5"},
      {"ES", "FN#VALN('1.234,5')", "N 1.23"},
      {"", "FN#VALN('  7.255  ')", "N 7.26"},
      {"", "FN#VALN('12-3')", "N 12"},
      {"", "FN#VALN('abc')", "N 0"},
      {"", "FN#VALN('1D3')", "N 1000"},
  };
  Expressions(cases, std::size(cases));
  ScratchScope scope;
  UseLanguage("ES");
  const FormatDescriptor& es = DescriptorCurrent();
  const struct {
    const char* in;
    const char* want;
  } clean[] = {{"0012,50 EUR", "12.50"}, {"-0012,50", "-0012.50"}, {"0", "0"},   {"00", "0"},
               {"0,5", "0.5"},           {"1.234,5", "1.234.5"},   {"007", "7"}, {"--1", "-"},
               {"123456789012345678901234", "12345678901234567890"}};
  for (const auto& c : clean) EXPECT_EQ(S(CleanNumber(ValFromCStr(c.in), es)), c.want) << c.in;
}

TEST_F(FormatTable, FieldToDisplay) {
  const Case cases[] = {
      {"", "display D 8|20240305", "T 03-05-24"},   {"ES", "display D 8|20240305", "T 05-03-24"},
      {"", "display D 10|20240305", "T 03-05-2024"}, {"ES", "display F 10|20240305", "T 05-03-2024"},
      {"", "display D 8|", "T 06-01-24"},            {"", "display F 8|", "T         "},
      {"", "display D 8|20240230", "T         "},    {"", "display D 6|240305", "T       "},
      {"", "display L 3|1", "T YES"},                {"", "display L 3|0", "T NO "},
      {"", "display L 3| ", "T    "},                {"", "display L 3|x", "T NO "},
      {"ES", "display L 2|1", "T SI"},               {"", "display N 6| 1234", "T   1234"},
      {"", "display 2 8|1234.5", "T  1234.50"},      {"ES", "display 2 8|1234.5", "T  1234,50"},
      {"", "display N 3|12345", "T ***"},            {"", "display A 5|ab", "T ab   "},
      {"", "display A 2|abc", "T ab"},               {"", "display N 4|abc", "T ####"},
  };
  Conversions(cases, std::size(cases));
}

TEST_F(FormatTable, DisplayToField) {
  const Case cases[] = {
      {"", "store B 5|1a2 3", "T 12 3 "},      {"", "store C 5| 1 2", "T 0102 "},
      {"", "store C 3|   ", "T    "},          {"", "store D 8|31/12/99", "T         "},
      {"", "store D 8|12/31/99", "T 19991231"}, {"ES", "store D 8|31/12/99", "T 19991231"},
      {"", "store D 8|311299", "T 19991231"},   {"ES", "store D 8|311299", "T 19991231"},
      {"ES", "store D 6|31/12/99", "T 991231"}, {"", "store D 8|", "T 20240601"},
      {"", "store D 8|2024031", "T         "},  {"", "store L 1|y", "T 1"},
      {"", "store L 1|n", "T 0"},               {"", "store L 1|x", "T  "},
      {"ES", "store L 1|s", "T 1"},             {"ES", "store 2 8|1234,5", "T  1234.50"},
      {"", "store 2 8|1234,5", "T  1234.00"},   {"", "store 2 8|1234567", "T  1234567"},
      {"", "store N 4|-12", "T  -12"},           {"", "store 2 65535|12.5", "T 12.50"},
      // A number wider than its field is refused, never cut to its last digits.
      {"", "store 2 8|123456789", "E 168 DATAOUTBOUND"},
      {"", "store N 3|-123", "E 168 DATAOUTBOUND"},
  };
  Conversions(cases, std::size(cases));
}

TEST_F(FormatTable, FitToWidth) {
  const Case cases[] = {
      {"", "fit V 3|x", "T    "},          {"", "fit A 3|abcd", "T abc"},
      {"", "fit P 4|ab", "T ab  "},        {"", "fit D 6|20240305", "T 240305"},
      {"", "fit F 8|20240305", "T 20240305"}, {"", "fit N 5|12", "T    12"},
      {"", "fit 2 5|123.456", "T 123.5"},  {"", "fit 2 5|1234.5", "T  1235"},
      {"", "fit 2 6|-12.345", "T -12.35"}, {"", "fit L 1|1", "T 1"},
      {"", "fit N 3|1234", "E 168 DATAOUTBOUND"},
      {"", "fit N 5|99999.9", "E 168 DATAOUTBOUND"},
  };
  Conversions(cases, std::size(cases));
}

TEST_F(FormatTable, DescriptorFollowsItsItem) {
  // A malformed part keeps the built-in one; rebuilding the item renews the descriptor.
  Val nul("\0", 1);
  ScratchScope scope;
  ASSERT_EQ(SlotSet(kSlotGroupSettings, 0, ValConcat(ValConcat("x"_v, nul), "'a,b'"_v)), 0);
  EXPECT_EQ(Eval("FN$MASK('#,##0.00';1234.5)+FN$DATE(20240305;3)"), "T 1,234.50Mar 2024");
  UseLanguage("ES");
  EXPECT_EQ(Eval("FN$MASK('#,##0.00';1234.5)+FN$DATE(20240305;3)"), "T 1.234,50Mar 2024");
  EXPECT_EQ(Eval("FN$DATE(20240305;4)"), "T 05 de Marzo de 2024");
  UseLanguage("EN");
  EXPECT_EQ(Eval("FN$DATE(20240305;4)"), "T March 05, 2024");
}

}  // namespace
}  // namespace orv
