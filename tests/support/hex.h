// Hex encoding for the line-oriented probes that Python checks drive, so that any byte
// survives the trip through a text pipe.
#ifndef ORVALE_TESTS_SUPPORT_HEX_H
#define ORVALE_TESTS_SUPPORT_HEX_H

#include <string>
#include <string_view>

namespace orv {

inline std::string Unhex(const std::string& h) {
  std::string out;
  for (size_t i = 0; i + 1 < h.size(); i += 2) out.push_back(char(std::stoi(h.substr(i, 2), nullptr, 16)));
  return out;
}

inline std::string Hex(std::string_view s) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

}  // namespace orv

#endif  // ORVALE_TESTS_SUPPORT_HEX_H
