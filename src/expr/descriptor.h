// The number and date conventions of the language in use: the format descriptor.
//
// Settings item 0 (text slot (0, 0)) holds, separated by NUL bytes, the number descriptor
// (message "0019"), the date descriptor (message "0117") and a blank:
//   number: decimal character, thousands character, then a comma list of three quoted items:
//           the characters a typed number may hold, the characters that type a logical
//           value (blank, false, true) and the words that show one (a comma list);
//   date:   two quoted items: the twelve month names (a comma list) and the long date
//           template with [D], [M] and [Y].
// The formatting routines read the parsed form through DescriptorCurrent, which parses the
// item again whenever its text changed, so whoever rebuilds the item renews the descriptor.
// A part that is missing or malformed falls back to the built-in part.
#ifndef ORVALE_EXPR_DESCRIPTOR_H
#define ORVALE_EXPR_DESCRIPTOR_H

#include <cstdint>
#include <string>

#include "core/val.h"

namespace orv {

// The built-in number and date descriptors, in force until item 0 is built.
inline constexpr Val kBuiltinNumberDescriptor = ".,'0123456789.-D',' NY','  ,NO,YES'"_v;
inline constexpr Val kBuiltinDateDescriptor =
    "'January,February,March,April,May,June,July,August,September,October,November,"
    "December','[M] [D], [Y]'"_v;
// The settings item of the descriptor and of the language code.
inline constexpr uint16_t kSettingDescriptor = 0;
inline constexpr uint16_t kSettingLanguageCode = 4;
// Languages that write the day before the month.
inline constexpr Val kDayFirstLanguages = "ES,FR,IT"_v;

struct FormatDescriptor {
  char decimal = '.';
  char thousands = ',';
  std::string allowed;        // characters of a typed number
  std::string logical_keys;   // typed logical characters: blank, false, true
  std::string logical_words[3];
  std::string months[12];
  std::string long_template;
};

// The descriptor of the language in use (item 0 parsed; the built-in one when it is empty).
// Valid until the next call that may change item 0.
const FormatDescriptor& DescriptorCurrent();
// The built-in descriptor.
const FormatDescriptor& DescriptorBuiltin();
// Builds item 0 from the messages "0019" and "0117" as the message lookup gives them
// (RuntimeMessage); a message it does not know leaves that part built-in.
Status DescriptorStore();
// Whether the language code (settings item 4) writes dates day first.
bool DayFirstLanguage();

}  // namespace orv

#endif  // ORVALE_EXPR_DESCRIPTOR_H
