// Trace log, error log, assertions, diagnostic start, the about box, clock and time texts.
#include <gtest/gtest.h>

#include <regex>

#include "core/slots.h"
#include "core/status.h"
#include "expr/dates.h"
#include "shell/about.h"
#include "shell/clock.h"
#include "shell/language.h"
#include "shell/logs.h"
#include "shell_fixture.h"

namespace orv {
namespace {

using LogsTest = ShellTest;

TEST_F(LogsTest, TraceLinesAreWrittenOnlyWhenTheTraceWordAsksForThem) {
  SlotSet(0, 2, "GE"_v);
  TraceWordSet(0x10);
  EXPECT_EQ(TraceWord(), 0x11);  // bit 0 always on
  TraceLine("progress"_v, 0x10);
  TraceLine("dropped"_v, 0x100);  // only the low byte counts
  TraceLine("dropped"_v, 0x02);
  TraceLine(ValError(164), 0x01);
  EXPECT_EQ(Get("GElog.txt"), "progress\r\nError #164\r\n");
  TraceLogStart("other.txt"_v);
  TraceLine("x"_v, 1);
  EXPECT_EQ(Get("other.txt"), "x\r\n");
}

TEST_F(LogsTest, UnaskedTraceLinesDoNotTouchTheFile) {
  FaultFs& faults = UseFaults();
  TraceLine("dropped"_v, 0x10);
  EXPECT_EQ(faults.Calls(FsOp::kOpen), 0);
}

TEST_F(LogsTest, ErrorLogBlocksAreAppendedWithTheirBanner) {
  SlotSet(0, kSettingLanguage, "ES"_v);
  ASSERT_EQ(ErrorLogAppend("primero"_v, "audit.log"_v), kOk);
  ASSERT_EQ(ErrorLogAppend("segundo"_v, "audit.log"_v), kOk);
  std::regex block(
      "\\*{29}\r\n Date:\\d\\d-\\d\\d-\\d{4} - Time:\\d\\d:\\d\\d - User:0\r\n(\\w+)"
      "\r\n\\*{22}\r\n\r\n");
  std::string log = Get("audit.log");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(log, m, block)) << log;
  EXPECT_EQ(m[1], "primero");
  std::string rest = m.suffix();
  ASSERT_TRUE(std::regex_match(rest, m, block)) << rest;
  EXPECT_EQ(m[1], "segundo");
}

TEST_F(LogsTest, ErrorLogThatCannotBeOpenedReports164) {
  EXPECT_EQ(ErrorLogAppend("x"_v, "no\\such\\folder\\a.log"_v), kFileNotFound);
  EXPECT_EQ(S(ErrDetail()), "no\\such\\folder\\a.log");
}

TEST_F(LogsTest, FailedAssertionShowsTheBoxLogsTheNameAndEndsTheProcess) {
  Assert(true, "MantWindow"_v);
  EXPECT_DEATH(Assert(false, "MantWindow"_v), "");
  std::string log = Get("assertions.log");
  EXPECT_NE(log.find("\r\nMantWindow\r\n***"), std::string::npos) << log;
}

TEST_F(LogsTest, DiagnosticStart) {
  struct Case {
    int trace;
    Status in, out;
    const char* log;
    size_t boxes;
  } cases[] = {
      {0x001, 7, 7, "<missing>", 0},
      {0x101, 7, 7, "<missing>", 1},   // the about box
      {0x111, 0, 121, "0,ES\r\n", 0},  // the diagnostic stop
      {0x111, 164, 121, "0,ES\r\n", 0},
  };
  for (const Case& c : cases) {
    ShellReset();
    g_rt.message = MessageText;
    std::remove("log.txt");
    SlotSet(0, kSettingLanguage, "ES"_v);
    TraceWordSet(c.trace);
    EXPECT_EQ(DiagnosticStart(c.in), c.out);
    EXPECT_EQ(Get("log.txt"), c.log);
    EXPECT_EQ(Shown().size(), c.boxes);
  }
}

TEST_F(LogsTest, AboutBoxNamesTheEngine) {
  SlotSet(0, 3, "Mi Empresa"_v);
  SlotSet(0, kSettingLanguage, "ES"_v);
  AboutBox("2"_v);
  ASSERT_EQ(Shown().size(), 1u);
  const std::string& box = Shown()[0];
  EXPECT_EQ(box.rfind("Acerca de: Orvale Business Runtime (c) 2017\nMi Empresa\n", 0), 0u) << box;
  EXPECT_NE(box.find("2.20.0"), std::string::npos);
  EXPECT_NE(box.find("ES   2\n"), std::string::npos) << box;
  EXPECT_NE(box.find("1700"), std::string::npos);
}

TEST_F(LogsTest, TimeTexts) {
  EXPECT_EQ(TimeDiff(86399000, 1000), 2000);
  EXPECT_EQ(TimeDiff(1000, 5000), 4000);
  struct Parse {
    const char* text;
    int64_t ms;
  } parses[] = {
      {"12:30", 750000}, {"01:02:03.5", 3723500},
      {"1230", 1230000}, {"1:2:3.456789", 3723456},
      {"0.05", 50},      {":", 0},
  };
  for (const Parse& p : parses) EXPECT_EQ(TextToTime(ValFromCStr(p.text)), p.ms) << p.text;
  struct Format {
    int64_t ms;
    int flags;
    const char* text;
  } formats[] = {
      {3723500, 7, "01:02:03.500"}, {3723500, 1, "01:02"},         {3723500, 3, "01:02:03"},
      {3723500, 0, "0102"},         {3723500, 2, "010203"},        {3723500, 6, "010203.500"},
      {0, 7, "00:00:00.000"},       {86399999, 7, "23:59:59.999"},
  };
  for (const Format& f : formats) EXPECT_EQ(S(TimeToText(f.ms, f.flags)), f.text) << f.flags;
}

TEST_F(LogsTest, TimeOfDayOfACalendarTime) {
  std::time_t t = 1700000000;
  std::tm tm;
  localtime_r(&t, &tm);
  EXPECT_EQ(TimeOfDayOf(t), tm.tm_hour * 3600000 + tm.tm_min * 60000 + tm.tm_sec * 1000);
  EXPECT_EQ(TimeOfDayOf(-5), 0);
  int64_t now = TimeNow();
  EXPECT_GE(now, 0);
  EXPECT_LT(now, kMsPerDay);
}

TEST_F(LogsTest, WaitSleepsAtLeastTheTimeAskedFor) {
  EXPECT_GE(WaitMs(20), 20);
  EXPECT_GE(ClockElapsed(), 20);  // the wait set the mark
  EXPECT_EQ(ClockMark(), 0);
  EXPECT_LT(ClockElapsed(), 20);
}

}  // namespace
}  // namespace orv
