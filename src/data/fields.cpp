// Field values: formats, conversions, key values and the expression hooks.
#include "data/fields.h"

#include <cstring>
#include <string>

#include "core/block.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/state.h"

namespace orv {

namespace {

bool IsNumericType(char t) { return CharInSet(kNumericTypes, t); }

bool Digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// `digits` (a decimal text without sign) rounded half away from zero to d decimals.
std::string RoundDecimal(std::string_view ip, std::string_view fp, size_t d) {
  std::string digits = std::string(ip) + std::string(fp.substr(0, d));
  while (digits.size() < ip.size() + d) digits += '0';
  if (fp.size() > d && fp[d] >= '5') {
    size_t i = digits.size();
    while (i > 0) {
      --i;
      if (digits[i] == '9') {
        digits[i] = '0';
        continue;
      }
      ++digits[i];
      break;
    }
    if (i == 0 && digits[0] == '0') digits.insert(digits.begin(), '1');
  }
  size_t int_len = digits.size() - d;
  std::string out = digits.substr(0, int_len);
  if (d) out += "." + digits.substr(int_len);
  return out;
}

// A number text that is too wide for `width`, with its decimals rounded away as far as
// needed; empty when its integer part alone does not fit.
std::string FitNumber(std::string_view t, uint16_t width) {
  std::string_view sign;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    sign = t.substr(0, 1);
    t.remove_prefix(1);
  }
  size_t dot = t.find('.');
  std::string_view ip = t.substr(0, dot);
  std::string_view fp = dot == std::string_view::npos ? std::string_view() : t.substr(dot + 1);
  if (!Digits(fp.empty() ? "0" : fp) || !(ip.empty() || Digits(ip))) return {};
  for (size_t d = fp.size(); d-- > 0;) {
    std::string r = std::string(sign) + RoundDecimal(ip, fp, d);
    if (r.size() <= width) return r;
  }
  return {};
}

Val Padded(Val v, uint16_t width, bool right) {
  if (v.len >= width) return ValHead(v, width);
  Val pad = ValRepeat(" "_v, uint16_t(width - v.len));
  return right ? ValConcat(pad, v) : ValConcat(v, pad);
}

bool CompactField(const FieldDef& fd) {
  return fd.type == 'F' && fd.length == 6 && DataSysBits(sysvar::kCompat, 4);
}

}  // namespace

Status FieldFit(char type, uint16_t width, Val value, Val* out) {
  if (!value.ok()) return ValCheck(value);
  if (type == 'V') {
    *out = ValRepeat(" "_v, width);
    return ValCheck(*out);
  }
  if (IsNumericType(type)) {
    Val t = TextTrim(value, kTrimBoth);
    if (t.len <= width) {
      *out = Padded(t, width, true);
      return ValCheck(*out);
    }
    std::string fitted = FitNumber(t.sv(), width);
    if (fitted.empty()) {
      ScratchScope scope;
      return ErrReport(kDataOutBound, ValConcat("does not fit its field: "_v, t), false);
    }
    *out = Padded(ValCopy(ValOf(fitted)), width, true);
    return ValCheck(*out);
  }
  if ((type == 'D' || type == 'F') && width == 6 && value.len == 8) value = ValTail(value, 2);
  *out = Padded(value, width, false);
  return ValCheck(*out);
}

Val CompactDateRead(Val s) {
  if (!s.ok() || s.empty()) return s;
  std::string out;
  uint8_t c = s.at(0);
  if (c > 64) out = "20" + std::string(1, char(c - 17)) + std::string(ValTail(s, 1).sv());
  else if (c == ' ') out = "  " + s.str();
  else out = "19" + s.str();
  if (out[0] != ' ')
    for (char& ch : out)
      if (ch == ' ') ch = '0';
  return ValCopy(ValOf(out));
}

Status CompactDateWrite(Val value, char out[6]) {
  std::string_view t = TextTrim(value, kTrimBoth).sv();
  if (t.empty()) {
    std::memset(out, ' ', 6);
    return kOk;
  }
  std::string six;
  if (t.size() == 6 && t[0] >= 'A' && t[0] <= 'J') {
    std::memcpy(out, t.data(), 6);
    return kOk;
  }
  int century;
  if (t.size() == 8 && Digits(t)) {
    century = (t[0] - '0') * 10 + (t[1] - '0');
    six = std::string(t.substr(2));
  } else if (t.size() == 6 && Digits(t)) {
    int yy = (t[0] - '0') * 10 + (t[1] - '0');
    int year = yy < DataSys(sysvar::kBKYear) ? DataSys(sysvar::kBYear) + yy
                                              : DataSys(sysvar::kBYear) + yy - 100;
    century = year / 100;
    six = std::string(t);
  } else {
    return ErrReport(kDataOutBound, ValConcat("not a date: "_v, value), false);
  }
  // Only the years 1900 to 2099 have a stored form: a digit or a letter for the decade.
  if (century != 19 && century != 20)
    return ErrReport(kDataOutBound, ValConcat("date outside 1900-2099: "_v, value), false);
  if (century == 20) six[0] = char(six[0] + 17);
  if (six[2] == '0') six[2] = ' ';
  if (six[4] == '0') six[4] = ' ';
  std::memcpy(out, six.data(), 6);
  return kOk;
}

Val DataFileReadField(uint16_t file, int field, int which) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return ValError(st);
  const FieldDef* fd;
  if ((st = DictField(DataFileNumber(file), field, &fd))) return ValError(st);
  const char* base = which == kSaved ? f->saved() : f->current();
  return ValMake(base + fd->offset, fd->length);
}

Val DataFileFieldValue(uint16_t file, int field) {
  Val raw = DataFileReadField(file, field, kCurrent);
  if (!raw.ok()) return raw;
  const FieldDef& fd = DictFile(DataFileNumber(file)).fields[size_t(field - 1)];
  if (CompactField(fd)) return CompactDateRead(raw);
  if (fd.type == 'N') {
    Val t = TextTrim(raw, kTrimStart);
    if (!t.empty() && t.ptr[0] == 'D') {
      int64_t n = TextToLong(ValTail(t, 1)) ^ 10;
      return ValFormat(24, "%lld", static_cast<long long>(n));
    }
  }
  return raw;
}

Status DataFileWriteField(uint16_t file, int field, Val value) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  if (!value.ok()) return ValCheck(value);
  const FieldDef* fd;
  if ((st = DictField(DataFileNumber(file), field, &fd))) return st;
  if (CompactField(*fd)) return CompactDateWrite(value, f->current() + fd->offset);
  ScratchScope scope;
  Val out;
  if ((st = g_data.hooks.format(fd->type, fd->length, value, &out))) return st;
  if (!out.ok() || out.len != fd->length) return kFormatFailure;
  std::memcpy(f->current() + fd->offset, out.ptr, fd->length);
  return kOk;
}

Val DataFileKeyValue(uint16_t file, int key, int which) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return ValError(st);
  const KeyDef* kd;
  if ((st = DictKey(DataFileNumber(file), key, &kd))) return ValError(st);
  if (Status s = ScratchAlloc(kd->length, kNoFill)) return ValError(s);
  Val out = ScratchTop();
  MakeKey(*kd, which == kSaved ? f->saved() : f->current(), const_cast<char*>(out.ptr));
  return out;
}

Status DataFileStoreKey(uint16_t file, int key, Val value) {
  uint16_t n = DataFileNumber(file);
  std::vector<uint16_t> fields;
  if (Status st = DictKeyFields(n, key, &fields)) return st;
  uint16_t at = 0;
  for (uint16_t fno : fields) {
    uint16_t len = DictFile(n).fields[fno - 1u].length;
    Val part = ValSub(value, int16_t(at), len);
    if (!part.ok()) part = Val();
    if (Status st = DataFileWriteField(file, fno, part)) return st;
    at = uint16_t(at + len);
  }
  return kOk;
}

uint16_t DataFieldResolve(Val ref) {
  uint16_t file, field;
  if (Status st = ParseFieldRef(ref, &file, &field)) return st;
  return uint8_t(DictFile(file).fields[field - 1u].type);
}

Val DataFieldRead(Val ref) {
  uint16_t file, field;
  if (Status st = ParseFieldRef(ref, &file, &field)) return ValError(st);
  return DataFileFieldValue(file, field);
}

Status DataFieldWrite(Val ref, Val text) {
  uint16_t file, field;
  if (Status st = ParseFieldRef(ref, &file, &field)) return st;
  return DataFileWriteField(file, field, text);
}

}  // namespace orv
