// Filling the placeholders of catalog and language-file messages.
//
// Message texts come from language files, so they are never handed to printf: "%s" and "%i"
// are replaced here from a counted, typed argument list. A placeholder without an argument
// becomes empty, an argument without a placeholder is ignored, "%%" is one "%", and every
// other "%" stays as it is.
#ifndef ORVALE_SHELL_MSGFORMAT_H
#define ORVALE_SHELL_MSGFORMAT_H

#include <cstdint>
#include <initializer_list>

#include "core/val.h"

namespace orv {

struct FormatArg {
  FormatArg(Val v) : text(v), is_text(true) {}
  FormatArg(long n) : number(n) {}
  FormatArg(int n) : number(n) {}
  FormatArg(unsigned n) : number(n) {}

  Val text;
  long number = 0;
  bool is_text = false;
};

// The message with "%s" and "%i" (also "%d") replaced by the arguments in order: a text
// argument as it is, a number in decimal, whichever placeholder takes it. Pushed on the
// scratch stack; 146 when the result exceeds a value.
Val MessageFormat(Val format, std::initializer_list<FormatArg> args);

}  // namespace orv

#endif  // ORVALE_SHELL_MSGFORMAT_H
