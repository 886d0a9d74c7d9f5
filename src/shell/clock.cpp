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

int64_t TimeOfDay() {
  auto now = std::chrono::system_clock::now();
  int64_t ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm tm;
  return LocalTime(std::chrono::system_clock::to_time_t(now), &tm) ? MsOf(tm) + ms : 0;
}

int64_t TimeOfDayOf(std::time_t seconds) {
  std::tm tm;
  return seconds >= 0 && LocalTime(seconds, &tm) ? MsOf(tm) : 0;
}

int64_t TimeParse(Val text) {
  if (!text.ok()) return 0;
  ScratchScope scope;
  Val digits = ValHead(TextTrim(ListField(text, '.', 2), kTrimBoth), 3);
  Val clock = TextTrim(ListField(text, '.', 1), kTrimBoth);
  if (clock.empty() && digits.empty()) return TimeOfDay();
  int64_t parts[3] = {0, 0, 0};
  uint16_t count = ListCount(clock, ':');
  for (uint16_t i = 0; i < count && i < 3; ++i)
    parts[3 - std::min<uint16_t>(count, 3) + i] = TextToLong(ListField(clock, ':', i + 1));
  int64_t fraction = TextToLong(digits) * PowerOfTen(3 - digits.len);
  return parts[0] * 3600000 + parts[1] * 60000 + parts[2] * 1000 + fraction;
}

Val TimeFormat(int64_t ms, int flags) {
  if (ms < 0) ms = 0;
  bool colons = flags & 1;
  ScratchScope scope;
  Val full = ValFormat(32, colons ? "%02lld:%02lld:%02lld.%03lld" : "%02lld%02lld%02lld.%03lld",
                       (long long)(ms / 3600000), (long long)(ms / 60000 % 60),
                       (long long)(ms / 1000 % 60), (long long)(ms % 1000));
  uint16_t len = colons ? 5 : 4;
  if (flags & 2) len += colons ? 3 : 2;
  if (flags & 4) len += 4;
  return scope.Return(ValHead(full, len));
}

int64_t PowerOfTen(int n) {
  int64_t p = 1;
  for (int i = 0; i < n && i < 18; ++i) p *= 10;
  return p;
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
