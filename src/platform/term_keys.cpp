// Terminal key decoding.
#include "platform/term_keys.h"

#include <curses.h>

#include "core/cp1252.h"
#include "platform/input.h"
#include "platform/messages.h"

namespace orv::platform {

namespace {
// The modifier number of an xterm sequence (2 Shift, 3 Alt, 5 Ctrl ...) as our bits.
uint8_t ModsOf(int m) {
  int bits = m - 1;
  return uint8_t(((bits & 1) ? kModShift : 0) | ((bits & 2) ? kModAlt : 0) |
                 ((bits & 4) ? kModCtrl : 0));
}

std::vector<KeySequence> Build() {
  struct Final {
    char letter;  // CSI 1;m <letter>, or SS3 <letter> unmodified
    uint16_t vk;
  };
  struct Tilde {
    int n;  // CSI n;m ~
    uint16_t vk;
  };
  const Final finals[] = {{'A', VK_UP},     {'B', VK_DOWN},     {'C', VK_RIGHT},
                          {'D', VK_LEFT},   {'H', VK_HOME},     {'F', VK_END},
                          {'P', VK_F1},     {'Q', VK_F1 + 1},   {'R', VK_F1 + 2},
                          {'S', VK_F1 + 3}};
  const Tilde tildes[] = {{1, VK_HOME},       {2, VK_INSERT},     {3, VK_DELETE},
                          {4, VK_END},        {5, VK_PRIOR},      {6, VK_NEXT},
                          {15, VK_F1 + 4},    {17, VK_F1 + 5},    {18, VK_F1 + 6},
                          {19, VK_F1 + 7},    {20, VK_F1 + 8},    {21, VK_F1 + 9},
                          {23, VK_F1 + 10},   {24, VK_F1 + 11}};
  std::vector<KeySequence> out;
  for (const Final& f : finals) {
    out.push_back({std::string("\x1b[") + f.letter, {f.vk, 0, 0}});
    out.push_back({std::string("\x1bO") + f.letter, {f.vk, 0, 0}});
    for (int m = 2; m <= 8; ++m)
      out.push_back({"\x1b[1;" + std::to_string(m) + f.letter, {f.vk, ModsOf(m), 0}});
  }
  for (const Tilde& t : tildes) {
    out.push_back({"\x1b[" + std::to_string(t.n) + "~", {t.vk, 0, 0}});
    for (int m = 2; m <= 8; ++m)
      out.push_back({"\x1b[" + std::to_string(t.n) + ";" + std::to_string(m) + "~", {t.vk, ModsOf(m), 0}});
  }
  out.push_back({"\x1b[Z", {VK_TAB, kModShift, 0}});
  return out;
}

bool Code(uint32_t code, KeyPress* out) {
  struct Entry {
    int code;
    uint16_t vk;
    uint8_t mods;
  };
  static const Entry kCodes[] = {
      {KEY_UP, VK_UP, 0},          {KEY_DOWN, VK_DOWN, 0},        {KEY_LEFT, VK_LEFT, 0},
      {KEY_RIGHT, VK_RIGHT, 0},    {KEY_HOME, VK_HOME, 0},        {KEY_END, VK_END, 0},
      {KEY_PPAGE, VK_PRIOR, 0},    {KEY_NPAGE, VK_NEXT, 0},       {KEY_IC, VK_INSERT, 0},
      {KEY_DC, VK_DELETE, 0},      {KEY_BTAB, VK_TAB, kModShift}, {KEY_BACKSPACE, VK_BACK, 0},
      {KEY_ENTER, VK_RETURN, 0},   {KEY_SR, VK_UP, kModShift},    {KEY_SF, VK_DOWN, kModShift},
      {KEY_SLEFT, VK_LEFT, kModShift}, {KEY_SRIGHT, VK_RIGHT, kModShift},
      {KEY_SHOME, VK_HOME, kModShift}, {KEY_SEND, VK_END, kModShift},
      {KEY_SDC, VK_DELETE, kModShift}, {KEY_SIC, VK_INSERT, kModShift},
      {KEY_SPREVIOUS, VK_PRIOR, kModShift}, {KEY_SNEXT, VK_NEXT, kModShift},
  };
  for (const Entry& e : kCodes) {
    if (uint32_t(e.code) == code) {
      *out = KeyPress{e.vk, e.mods, 0};
      return true;
    }
  }
  // Terminals number shifted and controlled function keys on: F13 is Shift+F1, F25 Ctrl+F1.
  if (code >= uint32_t(KEY_F(1)) && code <= uint32_t(KEY_F(48))) {
    int n = int(code - uint32_t(KEY_F(1)));
    static const uint8_t kBanks[] = {0, kModShift, kModCtrl, kModCtrl | kModShift};
    *out = KeyPress{uint16_t(VK_F1 + n % 12), kBanks[n / 12], 0};
    return true;
  }
  const auto& seqs = KeySequences();
  if (code >= uint32_t(kFirstSequenceCode) && code < uint32_t(kFirstSequenceCode) + seqs.size()) {
    *out = seqs[code - uint32_t(kFirstSequenceCode)].press;
    return true;
  }
  return false;
}
}  // namespace

const std::vector<KeySequence>& KeySequences() {
  static const std::vector<KeySequence> kSeqs = Build();  // constant once built
  return kSeqs;
}

bool DecodeTermKey(bool is_code, uint32_t value, KeyPress* out) {
  if (is_code) return Code(value, out);
  switch (value) {
    case 9: *out = KeyPress{VK_TAB, 0, 0}; return true;
    case 10:
    case 13: *out = KeyPress{VK_RETURN, 0, 0}; return true;
    case 8:
    case 127: *out = KeyPress{VK_BACK, 0, 0}; return true;
    case 27: *out = KeyPress{VK_ESCAPE, 0, 0}; return true;
    case 0: *out = KeyPress{VK_SPACE, kModCtrl, 0}; return true;
    default: break;
  }
  if (value < 0x20) {
    // Ctrl+letter, Ctrl+\ and Ctrl+] type their control characters.
    uint16_t vk;
    uint8_t mods;
    CharToKey(uint8_t(value), &vk, &mods);
    if (vk == VK_PACKET) return false;
    *out = KeyPress{vk, mods, uint8_t(value)};
    return true;
  }
  // A character: as UTF-8, then CP1252.
  char buf[4];
  size_t n;
  if (value < 0x80) {
    buf[0] = char(value);
    n = 1;
  } else if (value < 0x800) {
    buf[0] = char(0xC0 | (value >> 6));
    buf[1] = char(0x80 | (value & 0x3F));
    n = 2;
  } else if (value < 0x10000) {
    buf[0] = char(0xE0 | (value >> 12));
    buf[1] = char(0x80 | ((value >> 6) & 0x3F));
    buf[2] = char(0x80 | (value & 0x3F));
    n = 3;
  } else {
    return false;
  }
  std::string cp;
  if (!Utf8ToCp1252(std::string_view(buf, n), &cp) || cp.size() != 1 || (cp[0] == '?' && value != '?'))
    return false;
  uint16_t vk;
  uint8_t mods;
  CharToKey(uint8_t(cp[0]), &vk, &mods);
  *out = KeyPress{vk, mods, uint8_t(cp[0])};
  return true;
}

}  // namespace orv::platform
