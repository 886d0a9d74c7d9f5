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
// The local time of day of a calendar time in seconds; 0 for a negative time.
int64_t TimeOfDayOf(std::time_t seconds);
// Today as DD-MM-YYYY when the language is one of ES, FR, IT, else as MM-DD-YYYY. Pushed.
Val TodayText();

}  // namespace orv

#endif  // ORVALE_SHELL_CLOCK_H
