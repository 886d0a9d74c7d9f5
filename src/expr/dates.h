// Dates: the Gregorian calendar, two-digit years, date texts, date parts and arithmetic.
//
// A date is the text of eight digits YYYYMMDD; as a number it is the integer YYYYMMDD.
// Valid dates have a year from 0 to 9999, a month from 1 to 12 and a day from 1 to the
// month's length, February having 29 days in the leap years of the Gregorian rule (divisible
// by 4, centuries only when divisible by 400). Invalid dates give empty texts (or blanks of
// the display width), never an error status.
#ifndef ORVALE_EXPR_DATES_H
#define ORVALE_EXPR_DATES_H

#include <cstdint>

#include "core/val.h"

namespace orv {

bool IsLeapYear(int64_t year);
// The length of month 1..12 of a year (31 for a month outside 1..12).
int MonthLength(int64_t year, int64_t month);
bool IsValidDate(int64_t year, int64_t month, int64_t day);
// Days since 1970-01-01 of a date whose month lies in 1..12 (the day may lie outside the
// month: it counts on from the month's first day), and back.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day);
void CivilFromDays(int64_t days, int64_t* year, int64_t* month, int64_t* day);

// A two-digit year as a year: yy + _BYEAR below _BKYEAR, else yy + _BYEAR - 100.
int64_t TwoDigitYear(int64_t yy);
// Today's local date as YYYYMMDD (ExprToday), pushed.
Val Today();

// Text to date: "d-m-y", "d.m.y" or "d/m/y" (month first outside the languages ES, FR and
// IT; a two-digit year is read with TwoDigitYear) or six digits DDMMYY, as YYYYMMDD;
// empty when invalid. A text without separator of another length is kept when it is a
// valid YYYYMMDD; an empty text is today's date (8 blanks when bit 64 of _AUXSTAT is set).
// Pushed.
Val TextToDate(Val text);
// Date to text in a style: 0 as stored, 1 "dd-mm-yy", 2 "dd-mm-yyyy" (month first outside
// ES, FR, IT), 3 "[M] [Y]" with the month name cut to 3 characters, 4 the long template;
// any other style is empty. An empty date is today's date unless bit 64 of _AUXSTAT is set
// or `today_for_empty` is false. An invalid date gives 8 blanks for style 1, 10 for style 2,
// empty otherwise. Pushed.
Val DateToText(Val date, int style, bool today_for_empty = true);

// The parts of a date text read without validation: the day from its last two characters,
// the month from the two before them and the year from its first four.
struct DateParts {
  int64_t year = 0, month = 0, day = 0;
};
DateParts DatePartsOf(Val text);
inline int64_t DateValue(const DateParts& p) { return p.year * 10000 + p.month * 100 + p.day; }

// Date part and arithmetic of FN#VALN, for the kinds 'D', 'M', 'Y' and 'V':
//   without a base: the day, month, year or the whole date as YYYYMMDD;
//   a base of 10001 or more is a second date: the distance from it to the date in days
//   (real days), months (12 per year plus the months) or years, 0 for 'V';
//   any other base is an amount added to the day, month or year (nothing for 'V'); after
//   adding months the day is cut to the new month's length; the date is then normalised
//   (a day past the month's end carries into the next month, a day below 1 into the
//   previous one) and given as YYYYMMDD.
// 147 for another kind; 168 when the result falls outside the years 0 to 9999.
Status DateCalc(DateParts date, char kind, bool has_base, int64_t base, int64_t* out);

// Times of day, in milliseconds since midnight.
inline constexpr int64_t kDayMs = 86400000;
// The current local time.
int64_t TimeNow();
// Text to time: the part after the first '.' (up to 3 digits, ".5" is 500) is the
// milliseconds; the part before it, split at ':', is seconds, minutes and seconds, or hours,
// minutes and seconds (more than three parts: only the milliseconds count). An empty text
// is the current time. The result is taken within one day.
int64_t TextToTime(Val text);
// Time to text: hours and minutes, with style bit 2 the seconds, with bit 4 four characters
// more (a '.' and the milliseconds after the seconds); bit 1 puts ':' between hours, minutes
// and seconds. Style 3 gives 14:05:09, style 7 14:05:09.250. Pushed.
Val TimeToText(int64_t ms, int style);

}  // namespace orv

#endif  // ORVALE_EXPR_DATES_H
