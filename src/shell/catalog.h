// The message catalog: numbered texts looked up in the loaded language file or, without
// one, in the built-in Spanish catalog.
//
// A message number is a text whose first four characters are the decimal number ("0031").
// A longer argument carries, from its sixth character on, the text to use when no language
// file is loaded ("0076 default text").
#ifndef ORVALE_SHELL_CATALOG_H
#define ORVALE_SHELL_CATALOG_H

#include <cstdint>
#include <span>

#include "core/val.h"

namespace orv {

struct CatalogEntry {
  uint16_t number;
  Val text;
};

// The built-in catalog, in number order.
std::span<const CatalogEntry> BuiltinCatalog();
// The built-in text of a number; empty when the catalog has none.
Val BuiltinMessage(uint16_t number);

// The number in the first four characters when they are all digits, else 0.
uint16_t MessageNumber(Val text);
// The text of a message (loads the language file at the first call):
//   - with a language file loaded, its text of the number; a number the file does not
//     reach (below its first or above its last number) falls back as if none was loaded;
//   - else the caller's default text when the argument is longer than four characters;
//   - else the built-in text.
// Empty for the number 0, a text that does not start with four digits, or a number
// without text. The value stays valid for the life of the process's shell state.
Val MessageText(Val number);

}  // namespace orv

#endif  // ORVALE_SHELL_CATALOG_H
