// Dates and times.
#include "expr/dates.h"

#include <ctime>
#include <string>

#include "core/cp1252.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/descriptor.h"
#include "expr/state.h"
#include "expr/sysvars.h"

namespace orv {

namespace {

// Bit of _AUXSTAT: an empty date is not taken as today.
constexpr int16_t kAuxNoToday = 64;

// The leading decimal number of a text (blanks and a sign accepted), 0 when there is none;
// saturated far beyond any date. Unlike TextToLong no word is read as a number.
int64_t ReadInt(Val t) {
  uint32_t i = 0;
  while (i < t.len && (t.ptr[i] == ' ' || t.ptr[i] == '\t')) ++i;
  bool neg = false;
  if (i < t.len && (t.ptr[i] == '-' || t.ptr[i] == '+')) neg = t.ptr[i++] == '-';
  int64_t v = 0;
  for (; i < t.len && IsDigit(t.at(i)); ++i)
    if (v < 1000000000000000LL) v = v * 10 + (t.ptr[i] - '0');
  return neg ? -v : v;
}

bool AllDigits(Val t) {
  for (uint16_t i = 0; i < t.len; ++i)
    if (!IsDigit(t.at(i))) return false;
  return true;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

// The days of a date whose month may lie outside 1..12 (it carries into the year).
int64_t DaysOf(int64_t year, int64_t month, int64_t day) {
  int64_t m0 = month - 1;
  return DaysFromCivil(year + FloorDiv(m0, 12), FloorMod(m0, 12) + 1, day);
}

// The date as the integer YYYYMMDD; 168 outside the years 0 to 9999.
Status DateResult(int64_t days, int64_t* out) {
  int64_t y, m, d;
  CivilFromDays(days, &y, &m, &d);
  if (y < 0 || y > 9999) return kDataOutBound;
  *out = y * 10000 + m * 100 + d;
  return kOk;
}

bool AuxNoToday() { return SysTestBits(kSysAuxStat, kAuxNoToday); }

// Two decimal digits of n (0..99).
std::string Two(int64_t n) {
  char b[3] = {char('0' + n / 10 % 10), char('0' + n % 10), 0};
  return b;
}

// A template with every [D], [M] and [Y] replaced.
std::string FillTemplate(std::string_view tpl, int64_t y, int64_t d, std::string_view month) {
  std::string out;
  for (size_t i = 0; i < tpl.size(); ++i) {
    if (tpl[i] == '[' && i + 2 < tpl.size() && tpl[i + 2] == ']') {
      char k = tpl[i + 1];
      if (k == 'D' || k == 'M' || k == 'Y') {
        if (k == 'D') out += Two(d);
        else if (k == 'M') out += month;
        else out += Two(y / 100) + Two(y % 100);
        i += 2;
        continue;
      }
    }
    out.push_back(tpl[i]);
  }
  return out;
}

}  // namespace

bool IsLeapYear(int64_t y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int MonthLength(int64_t year, int64_t month) {
  switch (month) {
    case 2: return IsLeapYear(year) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 31;
  }
}

bool IsValidDate(int64_t year, int64_t month, int64_t day) {
  return year >= 0 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= MonthLength(year, month);
}

int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  int64_t era = FloorDiv(y, 400);
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t* year, int64_t* month, int64_t* day) {
  z += 719468;
  int64_t era = FloorDiv(z, 146097);
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  *day = doy - (153 * mp + 2) / 5 + 1;
  *month = mp < 10 ? mp + 3 : mp - 9;
  *year = yoe + era * 400 + (*month <= 2);
}

int64_t TwoDigitYear(int64_t yy) {
  int64_t base = SysGet(kSysBYear);
  return yy < SysGet(kSysBKYear) ? yy + base : yy + base - 100;
}

Val Today() { return ExprToday(); }

Val TextToDate(Val text) {
  if (!text.ok()) return text;
  ScratchScope scope;
  Val x = TextTrim(text, kTrimBoth);
  uint16_t sep = TextFindAnyOf(x, "-./"_v, kQuoteAware);
  int64_t y, m, d;
  if (sep == kNone) {
    if (x.len == 0) return scope.Return(AuxNoToday() ? "        "_v : Today());
    if (x.len == 8) {
      DateParts p = DatePartsOf(x);
      return AllDigits(x) && IsValidDate(p.year, p.month, p.day) ? scope.Return(x) : Val();
    }
    if (x.len != 6 || !AllDigits(x)) return Val();
    d = ReadInt(ValSub(x, 0, 2));
    m = ReadInt(ValSub(x, 2, 2));
    y = TwoDigitYear(ReadInt(ValSub(x, 4, 2)));
  } else {
    char c = x.ptr[sep];
    Val a = TextTrim(ListField(x, c, 1), kTrimBoth);
    Val b = TextTrim(ListField(x, c, 2), kTrimBoth);
    Val yt = TextTrim(ListField(x, c, 3), kTrimBoth);
    // Every part is a number: "31/12/x" is no date of the year 0.
    if (!AllDigits(a) || !AllDigits(b) || !AllDigits(yt)) return Val();
    int64_t first = ReadInt(a), second = ReadInt(b);
    if (first == 0 || second == 0 || yt.len == 0) return Val();
    bool day_first = DayFirstLanguage();
    d = day_first ? first : second;
    m = day_first ? second : first;
    y = ReadInt(yt);
    if (yt.len == 2) y = TwoDigitYear(y);
  }
  if (!IsValidDate(y, m, d)) return Val();
  return scope.Return(ValFormat(9, "%04d%02d%02d", int(y), int(m), int(d)));
}

Val DateToText(Val date, int style, bool today_for_empty) {
  if (!date.ok()) return date;
  ScratchScope scope;
  Val x = date;
  if (x.len == 0 && today_for_empty && !AuxNoToday()) x = Today();
  DateParts p = DatePartsOf(x);
  if (x.len != 8 || !AllDigits(x) || !IsValidDate(p.year, p.month, p.day)) {
    if (style == 1) return scope.Return("        "_v);
    if (style == 2) return scope.Return("          "_v);
    return Val();
  }
  const FormatDescriptor& dsc = DescriptorCurrent();
  const std::string& month = dsc.months[p.month - 1];
  std::string out;
  switch (style) {
    case 0:
      return scope.Return(x);
    case 1:
    case 2: {
      std::string year = style == 1 ? Two(p.year % 100) : Two(p.year / 100) + Two(p.year % 100);
      bool day_first = DayFirstLanguage();
      out = Two(day_first ? p.day : p.month) + "-" + Two(day_first ? p.month : p.day) + "-" + year;
      break;
    }
    case 3:
      out = FillTemplate("[M] [Y]", p.year, p.day, std::string_view(month).substr(0, 3));
      break;
    case 4:
      out = FillTemplate(dsc.long_template, p.year, p.day, month);
      break;
    default:
      return Val();
  }
  return scope.Return(ValOf(out));
}

DateParts DatePartsOf(Val t) {
  DateParts p;
  if (!t.ok()) return p;
  uint16_t n = t.len;
  uint16_t d0 = n >= 2 ? n - 2 : 0, m0 = n >= 4 ? n - 4 : 0;
  p.day = ReadInt(Val(t.ptr + d0, uint16_t(n - d0)));
  p.month = ReadInt(Val(t.ptr + m0, uint16_t(d0 - m0)));
  p.year = ReadInt(Val(t.ptr, n < 4 ? n : 4));
  return p;
}

Status DateCalc(DateParts p, char kind, bool has_base, int64_t base, int64_t* out) {
  if (kind != 'D' && kind != 'M' && kind != 'Y' && kind != 'V') return kSyntaxError;
  if (!has_base) {
    *out = kind == 'D' ? p.day : kind == 'M' ? p.month : kind == 'Y' ? p.year : DateValue(p);
    return kOk;
  }
  if (base >= 10001) {
    int64_t by = base / 10000, bm = base / 100 % 100, bd = base % 100;
    switch (kind) {
      case 'D': *out = DaysOf(p.year, p.month, p.day) - DaysOf(by, bm, bd); break;
      case 'M': *out = 12 * (p.year - by) + (p.month - bm); break;
      case 'Y': *out = p.year - by; break;
      default: *out = 0; break;
    }
    return kOk;
  }
  // An amount: beyond these no date of the years 0 to 9999 can come out.
  constexpr int64_t kMaxDays = 10000000, kMaxMonths = 200000, kMaxYears = 20000;
  int64_t y = p.year, m = p.month, d = p.day;
  switch (kind) {
    case 'D':
      if (base < -kMaxDays) return kDataOutBound;
      d += base;
      break;
    case 'M': {
      if (base < -kMaxMonths || base > kMaxMonths) return kDataOutBound;
      int64_t total = y * 12 + (m - 1) + base;
      y = FloorDiv(total, 12);
      m = FloorMod(total, 12) + 1;
      if (d > MonthLength(y, m)) d = MonthLength(y, m);
      break;
    }
    case 'Y':
      if (base < -kMaxYears || base > kMaxYears) return kDataOutBound;
      y += base;
      break;
    default:
      break;
  }
  return DateResult(DaysOf(y, m, d), out);
}

int64_t TimeNow() {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  struct tm local;
  localtime_r(&ts.tv_sec, &local);
  return ((int64_t(local.tm_hour) * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 +
         ts.tv_nsec / 1000000;
}

int64_t TextToTime(Val text) {
  if (!text.ok() || TextTrim(text, kTrimBoth).len == 0) return TimeNow();
  uint16_t dot = TextFindChar(text, '.', kPlain);
  int64_t ms = 0;
  if (dot != kNone) {
    int scale = 100;
    for (uint32_t i = dot + 1u; i < text.len && scale > 0 && IsDigit(text.at(i)); ++i, scale /= 10)
      ms += (text.ptr[i] - '0') * scale;
  }
  Val clock = dot == kNone ? text : ValHead(text, dot);
  uint16_t parts = ListCount(clock, ':');
  int64_t h = 0, m = 0, s = 0;
  if (parts == 1) {
    s = ReadInt(clock);
  } else if (parts == 2) {
    m = ReadInt(ListField(clock, ':', 1));
    s = ReadInt(ListField(clock, ':', 2));
  } else if (parts == 3) {
    h = ReadInt(ListField(clock, ':', 1));
    m = ReadInt(ListField(clock, ':', 2));
    s = ReadInt(ListField(clock, ':', 3));
  }
  int64_t total = FloorMod(h, 24) * 3600000 + FloorMod(m, 1440) * 60000 +
                  FloorMod(s, 86400) * 1000 + ms;
  return FloorMod(total, kDayMs);
}

Val TimeToText(int64_t ms, int style) {
  ms = FloorMod(ms, kDayMs);
  int h = int(ms / 3600000), m = int(ms / 60000 % 60), s = int(ms / 1000 % 60);
  int milli = int(ms % 1000);
  bool colon = style & 1;
  int len = colon ? 5 : 4;
  if (style & 2) len = colon ? 8 : 6;
  if (style & 4) len += 4;
  Val full = colon ? ValFormat(16, "%02d:%02d:%02d.%03d", h, m, s, milli)
                   : ValFormat(16, "%02d%02d%02d.%03d", h, m, s, milli);
  return ValHead(full, size_t(len));
}

}  // namespace orv
