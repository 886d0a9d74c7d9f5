// The millisecond clock and the time-of-day texts.
//
// Elapsed times come from the monotonic clock, so a change of the wall clock never makes
// them jump; times of day are local milliseconds since midnight (0 to 86399999).
#ifndef ORVALE_SHELL_CLOCK_H
#define ORVALE_SHELL_CLOCK_H

#include <cstdint>
#include <ctime>

#include "core/val.h"

namespace orv {

inline constexpr int64_t kMsPerDay = 86400000;

// Sets the mark and returns 0.
int ClockMark();
// Milliseconds since the mark.
int64_t ClockElapsed();
// Sets the mark, sleeps `ms` milliseconds and returns the elapsed time.
int64_t WaitMs(int64_t ms);
// end - start, plus a day when that is negative.
int64_t TimeDiff(int64_t start, int64_t end);
// The current local time of day.
int64_t TimeOfDay();
// The local time of day of a calendar time in seconds; 0 for a negative time.
int64_t TimeOfDayOf(std::time_t seconds);
// "S", "M:S" or "H:M:S", each part decimal, with an optional fraction of up to three digits
// after "."; an empty text is the current time of day.
int64_t TimeParse(Val text);
// HHMMSS.mmm, with ":" between the parts under flag 1; 4 characters (5 with flag 1), plus
// 2 (3 with flag 1) under flag 2, plus 4 under flag 4. Pushed.
Val TimeFormat(int64_t ms, int flags);
// 10 to the n (1 for n <= 0); saturated beyond 10^18.
int64_t PowerOfTen(int n);
// Today as DD-MM-YYYY when the language is one of ES, FR, IT, else as MM-DD-YYYY. Pushed.
Val TodayText();

}  // namespace orv

#endif  // ORVALE_SHELL_CLOCK_H
