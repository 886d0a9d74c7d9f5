// Clock and time texts.
#include "shell/clock.h"

#include <chrono>
#include <thread>

#include "core/list.h"
#include "core/scratch.h"
#include "core/text.h"
#include "shell/language.h"
#include "shell/settings.h"
#include "shell/state.h"

namespace orv {

namespace {

bool LocalTime(std::time_t t, std::tm* out) {
  return localtime_r(&t, out) != nullptr;
}

int64_t MsOf(const std::tm& tm) {
  return tm.tm_hour * 3600000LL + tm.tm_min * 60000LL + tm.tm_sec * 1000LL;
}

}  // namespace

int ClockMark() {
  g_shell.clock_mark = std::chrono::steady_clock::now();
  return 0;
}

int64_t ClockElapsed() {
  auto d = std::chrono::steady_clock::now() - g_shell.clock_mark;
  return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
}

int64_t WaitMs(int64_t ms) {
  ClockMark();
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  return ClockElapsed();
}

int64_t TimeDiff(int64_t start, int64_t end) {
  int64_t d = end - start;
  return d < 0 ? d + kMsPerDay : d;
}

int64_t TimeOfDayOf(std::time_t seconds) {
  std::tm tm;
  return seconds >= 0 && LocalTime(seconds, &tm) ? MsOf(tm) : 0;
}

Val TodayText() {
  std::tm tm;
  if (!LocalTime(std::time(nullptr), &tm)) return ValCopy(Val());
  int day = tm.tm_mday, month = tm.tm_mon + 1;
  bool day_first = ListWordIndex("ES,FR,IT"_v, Setting(kSettingLanguage), ',') != 0;
  return ValFormat(16, "%02d-%02d-%04d", day_first ? day : month, day_first ? month : day,
                   tm.tm_year + 1900);
}

}  // namespace orv
