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
#include "expr/fieldconv.h"

namespace orv {

namespace {

bool Digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool CompactField(const FieldDef& fd) {
  return fd.type == 'F' && fd.length == 6 && DataSysBits(sysvar::kCompat, 4);
}

}  // namespace

Status FieldFit(char type, uint16_t width, Val value, Val* out) {
  *out = FitToWidth(type, value, width);
  if (ValCheck(*out) != kDataOutBound) return ValCheck(*out);
  ScratchScope scope;
  return ErrReport(kDataOutBound, ValConcat("does not fit its field: "_v, value), false);
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
