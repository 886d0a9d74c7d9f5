// A fresh runtime core and expression state for each test case.
#ifndef ORVALE_TESTS_EXPR_EXPR_FIXTURE_H
#define ORVALE_TESTS_EXPR_EXPR_FIXTURE_H

#include <string>

#include "core/runtime.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "expr/console.h"
#include "expr/descriptor.h"
#include "expr/state.h"
#include "support/runtime_fixture.h"

namespace orv {

// The conventions messages as the Spanish catalog words them; the catalog itself belongs to
// another layer, so the tests answer these two through the runtime's message lookup.
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
  SlotSet(kSlotGroupSettings, kSettingLanguage, ValFromCStr(code));
  DescriptorStore();
}

class ExprTest : public RuntimeTest {
 protected:
  uint16_t ScratchKib() const override { return 256; }
  void SetUp() override {
    RuntimeTest::SetUp();
    ASSERT_EQ(ExprInit(), 0);
  }
  void TearDown() override {
    ExprShutdown();
    RuntimeTest::TearDown();
  }

  // The console's line for an expression: "N 12.5", "T abc" or "E 147 SINTAXERROR".
  static std::string Eval(const std::string& text) {
    std::string line;
    ConsoleEval(text, &line);
    return line;
  }
};

}  // namespace orv

#endif  // ORVALE_TESTS_EXPR_EXPR_FIXTURE_H
