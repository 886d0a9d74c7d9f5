// The engine's character set, Windows-1252: one byte is one character.
//
// Case mapping and character classes come from the tables here, never from the C locale.
// Conversion to and from UTF-8 happens only where text meets a person or a UTF-8 world.
#ifndef ORVALE_CORE_CP1252_H
#define ORVALE_CORE_CP1252_H

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// Upper and lower case of a CP1252 character (accented letters included).
uint8_t Cp1252Upper(uint8_t c);
uint8_t Cp1252Lower(uint8_t c);
// Letters of CP1252 (ASCII and accented).
bool Cp1252IsAlpha(uint8_t c);
inline bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
inline bool IsAsciiAlpha(uint8_t c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
inline uint8_t AsciiUpper(uint8_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
inline uint8_t AsciiLower(uint8_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// CP1252 bytes as UTF-8. The five bytes CP1252 leaves undefined map to the C1 controls of
// the same number, so that every byte string survives the round trip.
std::string Cp1252ToUtf8(std::string_view s);
// Valid UTF-8 as CP1252; characters CP1252 lacks become '?'. False (and `out` untouched)
// when `s` is not valid UTF-8.
bool Utf8ToCp1252(std::string_view s, std::string* out);

}  // namespace orv

#endif  // ORVALE_CORE_CP1252_H
