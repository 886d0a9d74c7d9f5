// Edit masks and the cleaning of typed numbers.
#include "expr/masks.h"

#include <cstring>

#include "core/cp1252.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/numtext.h"

namespace orv {

namespace {

// The characters a value may hold to be taken as a number by ApplyMask.
constexpr Val kNumericValueChars = ".-1234567890,D "_v;
// Settings item of the mask parameters (the counts of the decimal shorthand).
constexpr uint16_t kSettingMaskParams = 10;

// A writable copy of a value on the scratch stack, or null with *v set to the error value.
char* WritableCopy(Val src, Val* v) {
  *v = ValCopy(src);
  return v->ok() ? const_cast<char*>(v->ptr) : nullptr;
}

// Whether a number text is plain: an optional '-', digits and at most one '.'.
bool IsPlainNumber(Val v) {
  uint16_t i = v.len && v.ptr[0] == '-' ? 1 : 0;
  bool point = false;
  for (; i < v.len; ++i) {
    if (v.ptr[i] == '.' && !point) point = true;
    else if (!IsDigit(v.at(i))) return false;
  }
  return true;
}

// A plain number text rounded half away from zero to `places` decimals and written the way
// NumberToText writes it (no trailing fraction zeros, no zero integer part, zero empty for
// places > 0 and "0" for places 0), for any number of digits. Pushed.
Val RoundPlain(Val v, uint16_t places) {
  ScratchScope scope;
  bool neg = v.len && v.ptr[0] == '-';
  Val body = ValTail(v, neg ? 1 : 0);
  uint16_t dot = TextFindChar(body, '.', kPlain);
  Val ip = dot == kNone ? body : ValHead(body, dot);
  Val fp = dot == kNone ? Val() : ValTail(body, dot + 1u);
  // k: a carry digit, the integer digits and `places` fraction digits.
  size_t keep_len = size_t(ip.len) + (places < fp.len ? places : fp.len);
  if (Status st = ScratchAlloc(keep_len + 1, '0')) return ValError(st);
  char* k = const_cast<char*>(ScratchTop().ptr);
  memcpy(k + 1, ip.ptr, ip.len);
  memcpy(k + 1 + ip.len, fp.ptr, keep_len - ip.len);
  if (places < fp.len && fp.ptr[places] >= '5') {
    size_t i = keep_len;
    while (k[i] == '9') k[i--] = '0';
    ++k[i];
  }
  size_t int_end = size_t(ip.len) + 1, end = keep_len + 1;
  size_t first = 0;
  while (first < int_end && k[first] == '0') ++first;
  while (end > int_end && k[end - 1] == '0') --end;
  if (first == int_end && end == int_end) return scope.Return(places == 0 ? "0"_v : Val());
  Val text = ValConcat(neg ? "-"_v : Val(), Val(k + first, uint16_t(int_end - first)));
  if (end > int_end)
    text = ValConcat(ValConcat(text, "."_v), Val(k + int_end, uint16_t(end - int_end)));
  return scope.Return(text);
}

// V rounded to `places` decimals as number to text would: exactly for plain numbers, by
// way of a fixed-point number otherwise (an error value when that overflows).
Val RoundValue(Val v, uint16_t places) {
  if (IsPlainNumber(v)) return RoundPlain(v, places);
  if (places > 18) return ValError(kExpCalcError);
  int64_t n;
  if (Status st = TextToNumber(v, places, &n)) return ValError(st);
  return NumberToText(n, places);
}

// A value's decimal places (after its first '.') and the rest of its places, sign included.
struct Shape {
  uint16_t vd = 0;
  uint16_t vi = 0;
};
Shape ShapeOf(Val v) {
  Shape s;
  uint16_t dot = TextFindChar(v, '.', kPlain);
  s.vd = dot == kNone ? 0 : uint16_t(v.len - dot - 1);
  s.vi = uint16_t(v.len - s.vd - (s.vd ? 1 : 0));
  return s;
}

// The first mask character of a set outside quotes, kNone when there is none.
uint16_t FindPlace(Val m, Val set) { return TextFindAnyOf(m, set, kQuoteAware); }

}  // namespace

Val CleanNumber(Val text, const FormatDescriptor& dsc) {
  if (!text.ok()) return text;
  Val t = TextTrim(text, kTrimBoth);
  char out[20];
  uint16_t n = 0;
  for (uint16_t i = 0; i < t.len && n < sizeof out; ++i) {
    char c = t.ptr[i];
    if (c != '.' && dsc.allowed.find(c) == std::string::npos) break;
    if (c == '-' && n > 0) break;
    if (c == '0' && n == 0 && i + 1 < t.len && t.ptr[i + 1] != dsc.decimal) continue;
    out[n++] = c == dsc.decimal ? '.' : c;
  }
  return ValCopy(Val(out, n));
}

Val ApplyMask(Val mask, Val value, int mode) {
  if (!mask.ok()) return mask;
  if (!value.ok()) return value;
  uint16_t k = FindPlace(mask, "\\?#0"_v);
  if (k == kNone) return ValCopy(mask);
  bool numeric_place = mask.ptr[k] == '#' || mask.ptr[k] == '0';
  bool has_numeric = numeric_place || FindPlace(mask, "#0"_v) != kNone;
  if (has_numeric && (mode == kMaskNumericBuiltin ||
                      (mode != kMaskNoNumeric && numeric_place &&
                       TextAllIn(value, kNumericValueChars)))) {
    const FormatDescriptor& dsc =
        mode == kMaskNumericBuiltin ? DescriptorBuiltin() : DescriptorCurrent();
    return NumericMask(mask, TextTrim(value, kTrimBoth), dsc);
  }
  if (numeric_place && FindPlace(mask, "\\?"_v) == kNone) return ValCopy(mask);
  return TextMask(mask, value);
}

namespace {

// Where the places of a numeric mask lie: W runs from ws to t (the last '#' or '0'), with
// md decimal places after its point and mi integer places beside its separators.
struct Layout {
  int32_t ws = 0, t = 0, commas = 0, md = 0, mi = 0;
};

// Fills r, a fresh copy of the mask, with v after the separators became places (`merge`)
// and `shifts` decimal places were given up to integer places. *fit tells whether every
// character of v found a place.
Status Fill(char* r, Val mask, Layout l, bool merge, int32_t shifts, Val v,
            const FormatDescriptor& dsc, bool* fit) {
  memcpy(r, mask.ptr, mask.len);
  if (merge && l.commas) {
    for (int32_t i = l.t - 1; i >= l.ws; --i)
      if (r[i] == ',') r[i] = r[i + 1];
    l.mi += l.commas;
    l.commas = 0;
  }
  for (int32_t k = 0; k < shifts; ++k, ++l.mi, --l.md)
    memmove(r + l.ws + 1, r + l.ws, size_t(l.t - l.ws));
  ScratchScope scope;
  Shape s = ShapeOf(v);
  if (l.md < s.vd) {
    v = RoundValue(v, uint16_t(l.md));
    if (ValCheck(v) == kExpCalcError) {  // too large to round: it cannot fit
      *fit = false;
      return kOk;
    }
    if (Status st = ValCheck(v)) return st;
    s = ShapeOf(v);
  }
  // Missing decimals are shown as zeros.
  int32_t t = l.t, md = l.md;
  while (v.len && md > s.vd) {
    r[t--] = '0';
    if (--md == 0) r[t--] = dsc.decimal;
  }
  bool neg = v.len && v.ptr[0] == '-';
  bool no_integer = s.vi == (neg ? 1 : 0);
  int32_t c = v.len;
  for (int32_t pos = t; pos >= l.ws; --pos) {
    char m = r[pos];
    char shown = m == '.' ? dsc.decimal : m == ',' ? dsc.thousands : m;
    if (c == 0) {
      char before = pos > 0 ? r[pos - 1] : 0;
      if (m == '#' || (m == '.' && v.len == 0 && before == '#') || (m == ',' && before == '#'))
        r[pos] = ' ';
      else
        r[pos] = shown;
    } else if (c == 1 && neg) {
      r[pos] = '-';
      c = 0;
    } else if (m == ',' && l.commas) {
      r[pos] = shown;
    } else {
      char ch = v.ptr[--c];
      r[pos] = ch == '.' ? dsc.decimal : ch;
      if (ch == '.' && no_integer && pos > l.ws) r[--pos] = '0';
    }
  }
  *fit = c == 0;
  return kOk;
}

}  // namespace

Val NumericMask(Val mask, Val value, const FormatDescriptor& dsc, bool* fits) {
  if (fits) *fits = true;
  if (!mask.ok()) return mask;
  if (!value.ok()) return value;
  ScratchScope scope;
  Val rv;
  char* r = WritableCopy(mask, &rv);
  if (!r) return rv;
  Val v = TextTrim(value, kTrimBoth);
  while (v.len && !IsDigit(v.at(v.len - 1u))) --v.len;

  Layout l;
  l.ws = FindPlace(rv, "#0"_v);
  if (l.ws == kNone) return scope.Return(rv);
  l.t = TextFindLastAnyOf(rv, "#0"_v, kQuoteAware);
  int32_t dot = -1;
  for (int32_t i = l.ws; i <= l.t; ++i) {
    if (r[i] == '.' && dot < 0 && i < l.t) dot = i;
    if (r[i] == ',') ++l.commas;
  }
  l.md = dot < 0 ? 0 : l.t - dot;
  l.mi = l.t - l.ws + 1 - l.md - l.commas - (l.md ? 1 : 0);

  // Too many integer digits: the separators become places, then decimal places are given
  // up, as many as the value's integer part needs.
  int32_t vi = ShapeOf(v).vi, shifts = 0;
  bool merge = false;
  if (l.mi < vi) {
    merge = l.commas > 0;
    for (int32_t mi = l.mi + l.commas; mi < vi && shifts < l.md; ++mi) ++shifts;
  }
  // A rounding carry, or the zero written before a point, may need one place more: give
  // way once more while there is a decimal place to give.
  for (;;) {
    bool fit = false;
    if (Status st = Fill(r, mask, l, merge, shifts, v, dsc, &fit)) return ValError(st);
    if (fit) return scope.Return(rv);
    if (!merge && l.commas) merge = true;
    else if (shifts < l.md) ++shifts;
    else break;
  }
  memset(r, '*', rv.len);
  if (fits) *fits = false;
  return scope.Return(rv);
}

Val TextMask(Val mask, Val value) {
  if (!mask.ok()) return mask;
  if (!value.ok()) return value;
  ScratchScope scope;
  Val rv;
  char* r = WritableCopy(mask, &rv);
  if (!r) return rv;
  // A blank run between two '\' is drawn as places.
  for (uint32_t i = 0; i < rv.len; ++i) {
    if (r[i] != '\\') continue;
    uint32_t j = i + 1;
    while (j < rv.len && r[j] == ' ') ++j;
    if (j > i + 1 && j < rv.len && r[j] == '\\') memset(r + i + 1, '\\', j - i - 1);
    i = j - 1;
  }
  uint16_t first = FindPlace(rv, "\\?#0"_v);
  bool by_position = first != kNone && r[first] == '?';
  uint32_t next = 0;
  for (uint32_t i = 0; i < rv.len; ++i) {
    if (r[i] == '\\' || (r[i] == '?' && !by_position)) {
      r[i] = next < value.len ? value.ptr[next] : ' ';
      ++next;
    } else if (r[i] == '?') {
      r[i] = i < value.len ? value.ptr[i] : ' ';
    }
  }
  return scope.Return(rv);
}

Val DefaultMask(char type, uint16_t width, char decimal) {
  bool numeric = type == 'N' || (type >= '1' && type <= '9');
  Val rv = ValRepeat(numeric ? "#"_v : "\\"_v, width);
  if (!rv.ok()) return rv;
  int n = type >= '1' && type <= '9' ? type - '0' : 0;
  if (n && n + 1 < width) const_cast<char*>(rv.ptr)[width - n - 1] = decimal;
  return rv;
}

Val ExpandMask(Val mask) {
  if (!mask.ok()) return mask;
  if (mask.len >= 2 && !memchr("\\#0", mask.ptr[0], 3)) {
    Val rest = ValTail(mask, 1);
    bool digits = rest.len <= 5;
    uint32_t w = 0;
    for (uint16_t i = 0; digits && i < rest.len; ++i) {
      digits = IsDigit(rest.at(i));
      w = w * 10 + uint32_t(rest.ptr[i] - '0');
    }
    if (digits && w > 0 && w <= kMaxValLen) return DefaultMask(mask.ptr[0], uint16_t(w));
  }
  uint16_t marker = mask.len > 1 ? TextFindText(ValTail(mask, 1), ",."_v, kPlain) : kNone;
  if (marker == kNone) return ValCopy(mask);
  uint32_t at = marker + 1u;  // the ',' of ",."
  uint32_t end = at + 2;
  int64_t n = 0;
  while (end < mask.len && IsDigit(mask.at(end)) && n < 10000) n = n * 10 + (mask.ptr[end++] - '0');
  Val params = SlotGet(kSlotGroupSettings, kSettingMaskParams);
  if (params.len) n = TextToLong(ListField(params, ',', uint16_t(n < 65534 ? n + 1 : 65535)));
  uint16_t start = FindPlace(mask, "#0"_v);
  if (start == kNone || start >= at) return ValCopy(mask);
  ScratchScope scope;
  Val rv;
  char* r = WritableCopy(mask, &rv);
  if (!r) return rv;
  char low = mask.ptr[at - 1];  // the decimal places and the units place
  char high = mask.ptr[start];
  int64_t pos = int64_t(end) - 1;
  for (int64_t k = 0; k < n && pos >= start; ++k) r[pos--] = low;
  if (n > 0 && pos >= start) r[pos--] = '.';
  // A separator every three digits, where a digit place still follows it.
  for (int64_t digit = 0; pos >= start; ++digit) {
    if (digit && digit % 3 == 0 && pos > start) r[pos--] = ',';
    r[pos--] = digit == 0 ? low : high;
  }
  return scope.Return(rv);
}

}  // namespace orv
