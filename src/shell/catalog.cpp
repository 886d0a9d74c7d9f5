// Message lookup.
#include "shell/catalog.h"

#include "core/cp1252.h"
#include "shell/language.h"
#include "shell/state.h"

namespace orv {

namespace {

// The loaded text of n; false when the language file does not reach n.
bool LoadedText(uint16_t n, Val* out) {
  const LanguageTable& t = g_shell.language;
  if (n < t.first || n - t.first >= t.count) return false;
  uint16_t i = uint16_t(n - t.first);
  uint32_t from = i ? t.ends[i - 1] : 0;
  *out = Val(t.texts.data() + from, uint16_t(t.ends[i] - from));
  return true;
}

}  // namespace

uint16_t MessageNumber(Val text) {
  if (!text.ok() || text.len < 4) return 0;
  uint16_t n = 0;
  for (uint16_t i = 0; i < 4; ++i) {
    if (!IsDigit(text.at(i))) return 0;
    n = uint16_t(n * 10 + (text.at(i) - '0'));
  }
  return n;
}

Val MessageText(Val number) {
  uint16_t n = MessageNumber(number);
  if (g_shell.language.load == LanguageTable::Load::kNotTried) LanguageLoad();
  if (n == 0) return Val();
  Val text;
  if (g_shell.language.load == LanguageTable::Load::kLoaded && LoadedText(n, &text)) return text;
  if (number.len > 4) return ValTail(number, 5);
  return BuiltinMessage(n);
}

}  // namespace orv
