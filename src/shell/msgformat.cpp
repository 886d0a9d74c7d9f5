// Placeholder substitution for message texts.
#include "shell/msgformat.h"

#include <string>

#include "core/scratch.h"

namespace orv {

Val MessageFormat(Val format, std::initializer_list<FormatArg> args) {
  if (!format.ok()) return format;
  std::string out;
  const FormatArg* next = args.begin();
  std::string_view f = format.sv();
  for (size_t i = 0; i < f.size(); ++i) {
    char c = f[i];
    char kind = i + 1 < f.size() ? f[i + 1] : '\0';
    if (c != '%' || (kind != 's' && kind != 'i' && kind != 'd' && kind != '%')) {
      out += c;
      continue;
    }
    ++i;
    if (kind == '%') {
      out += '%';
    } else if (next != args.end()) {
      if (!next->is_text)
        out += std::to_string(next->number);
      else if (next->text.ok())
        out.append(next->text.sv());
      ++next;
    }
  }
  return ValCopy(ValOf(out));
}

}  // namespace orv
