// The language of a test: the language code and the conventions messages "0019" and
// "0117" as the Spanish catalog words them. The catalog itself belongs to another layer, so
// the tests answer these two through the runtime's message lookup.
#ifndef ORVALE_TESTS_EXPR_LANGUAGE_H
#define ORVALE_TESTS_EXPR_LANGUAGE_H

#include <string_view>

#include "core/runtime.h"
#include "core/slots.h"
#include "expr/descriptor.h"

namespace orv {

inline Val SpanishMessages(Val number) {
  if (number.sv() == "0019") return ",.'0123456789,-D',' NS','  ,NO,SI'"_v;
  if (number.sv() == "0117")
    return "'Enero,Febrero,Marzo,Abril,Mayo,Junio,Julio,Agosto,Septiembre,Octubre,Noviembre,"
           "Diciembre','[D] de [M] de [Y]'"_v;
  return Val();
}

// Sets the language code; "ES" also builds the Spanish conventions, any other code the
// built-in ones.
inline void UseLanguage(const char* code) {
  g_rt.message = std::string_view(code) == "ES" ? SpanishMessages : nullptr;
  SlotSet(kSlotGroupSettings, kSettingLanguageCode, ValFromCStr(code));
  DescriptorStore();
}

}  // namespace orv

#endif  // ORVALE_TESTS_EXPR_LANGUAGE_H
