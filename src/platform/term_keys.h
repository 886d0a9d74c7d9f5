// Terminal keys: the escape sequences the terminal backend teaches ncurses, and what a key
// read from the terminal means as a key press (virtual key, modifiers, character).
#ifndef ORVALE_PLATFORM_TERM_KEYS_H
#define ORVALE_PLATFORM_TERM_KEYS_H

#include <cstdint>
#include <string>
#include <vector>

namespace orv::platform {

struct KeyPress {
  uint16_t vk = 0;
  uint8_t mods = 0;
  uint8_t ch = 0;  // the CP1252 character typed; 0 lets the key decide (KeyChar)
};

// xterm-style sequences of keys with modifiers (and the plain forms terminals differ on).
// The terminal backend gives sequence i the key code kFirstSequenceCode + i.
struct KeySequence {
  std::string seq;
  KeyPress press;
};
const std::vector<KeySequence>& KeySequences();
// Above the codes ncurses uses for its own keys.
inline constexpr int kFirstSequenceCode = 0x1000;

// A key read with wget_wch: an ncurses key code when `is_code`, else a character (a
// Unicode code point). False when it means no key press (an unknown code, a character
// CP1252 lacks).
bool DecodeTermKey(bool is_code, uint32_t value, KeyPress* out);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_TERM_KEYS_H
