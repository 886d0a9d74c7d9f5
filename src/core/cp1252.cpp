// CP1252 character classes, case mapping and conversion to and from UTF-8.
#include "core/cp1252.h"

namespace orv {

namespace {

// Code points of 0x80..0x9F; the five undefined bytes keep their C1 value.
constexpr uint16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

uint32_t CodePoint(uint8_t c) { return c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c; }

// The CP1252 byte of a code point, or -1 when CP1252 has none.
int FromCodePoint(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  return -1;
}

void PutUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

uint8_t Cp1252Upper(uint8_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  switch (c) {
    case 0x9A: case 0x9C: case 0x9E: return c - 0x10;
    case 0xFF: return 0x9F;
    default: break;
  }
  if (c >= 0xE0 && c != 0xF7 && c != 0xFF) return c - 0x20;
  return c;
}

uint8_t Cp1252Lower(uint8_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  switch (c) {
    case 0x8A: case 0x8C: case 0x8E: return c + 0x10;
    case 0x9F: return 0xFF;
    default: break;
  }
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  return c;
}

bool Cp1252IsAlpha(uint8_t c) {
  if (IsAsciiAlpha(c)) return true;
  switch (c) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
      return true;
    default:
      return c >= 0xC0 && c != 0xD7 && c != 0xF7;
  }
}

std::string Cp1252ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s) PutUtf8(CodePoint(static_cast<uint8_t>(ch)), &out);
  return out;
}

bool Utf8ToCp1252(std::string_view s, std::string* out) {
  std::string r;
  r.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    uint8_t c = static_cast<uint8_t>(s[i]);
    uint32_t cp;
    size_t n;
    if (c < 0x80) { cp = c; n = 1; }
    else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; n = 2; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; n = 3; }
    else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; n = 4; }
    else return false;
    if (i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      uint8_t cc = static_cast<uint8_t>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    static constexpr uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    int b = FromCodePoint(cp);
    r.push_back(static_cast<char>(b < 0 ? '?' : b));
    i += n;
  }
  *out = std::move(r);
  return true;
}

}  // namespace orv
