// Status names, the error record, the detail text and the composed error texts.
#include <gtest/gtest.h>

#include <string>

#include "core/slots.h"
#include "core/status.h"
#include "support/runtime_fixture.h"

namespace orv {
namespace {

using StatusTest = RuntimeTest;

TEST_F(StatusTest, Names) {
  struct Case {
    Status code;
    const char* name;
  };
  for (Case c : {Case{121, "Indefinido"}, Case{200, "Indefinido"}, Case{0, "Indefinido"},
                 Case{174, "Indefinido"}, Case{122, "Cancelado por el usuario"},
                 Case{132, "Ejecuci\xF3n de Procedimiento"}, Case{146, "STRINGTOOLONG"},
                 Case{163, "de Datos"}, Case{185, "Soporte Grafico Insuficiente"}})
    EXPECT_EQ(S(StatusName(c.code)), c.name) << c.code;
  EXPECT_EQ(S(AreaName(kAreaExecRunTime)), "ExecRunTime");
  EXPECT_EQ(S(AreaName(kAreaHtmlScan)), "HtmlScan");
  EXPECT_EQ(S(AreaName(0)), "");
}

TEST_F(StatusTest, RecordKeepsTheFirstSeriousError) {
  EXPECT_EQ(ErrRecord(0, 3, 130, 7), 0u);
  EXPECT_EQ(ErrRecorded(), 0u);
  EXPECT_EQ(ErrRecord(1, 3, 100, 7), 7u);  // below 128: never recorded
  EXPECT_EQ(ErrRecorded(), 0u);
  ErrRecord(1, 9, 145, 0);
  ErrRecord(1, 3, 130, 0);  // something is recorded already
  EXPECT_EQ(ErrRecorded(), (9u << 16) | 145);
  ErrRecord(2, 4, 10, 0);  // flag 2 overwrites
  EXPECT_EQ(ErrRecorded(), (4u << 16) | 10);
  ErrRecord(2, 0, 0, 0);
  EXPECT_EQ(ErrRecorded(), 0u);
  EXPECT_EQ(ValCheck(ErrValue(1, 17, 164, "x"_v)), 164);
  EXPECT_EQ(S(ErrValue(0, 17, 164, "x"_v)), "x");
}

TEST_F(StatusTest, ErrorTextComposition) {
  struct Case {
    uint16_t area;    // recorded area (0: none recorded)
    Status recorded;  // recorded code
    const char* detail;
    Status code;
    const char* text;
  };
  const Case cases[] = {
      {9, 145, "", 145, "Error OUTOFMEMORY(ExecRunTime)"},
      {17, 164, "clientes.fd", 164, "Error Fichero no encontrado(Streams): clientes.fd"},
      {0, 0, "", 140, "Error BADEXPRESION"},
      {0, 0, "why", 131, "Error Fichero I/O: why"},
      {0, 0, "", 0, "Proceso Completado Satisfactoriamente"},
      {0, 0, "ignored", 6, "Precauci\xF3n "},
      {0, 0, "", 126, "Datos incorrectos"},
      {0, 0, "bad date", 126, "bad date"},
      {0, 0, "bad", 121, "bad"},
      {0, 0, "", 122, "Cancelado por el usuario"},
      {18, 166, "", 0xFFFF, "Apertura de Ficheros"},  // 0xFFFF: the recorded code's text
  };
  for (const Case& c : cases) {
    ErrRecord(2, c.area, c.recorded, 0);
    ErrReport(0, ValFromCStr(c.detail), false);
    EXPECT_EQ(S(ErrorText(c.code)), c.text) << c.code << " " << c.detail;
  }
}

TEST_F(StatusTest, DetailAppendCutsOldLinesBack) {
  EXPECT_EQ(ErrReport(131, "first"_v, false), 131);
  ErrReport(0, "second"_v, true);
  EXPECT_EQ(S(ErrDetail()), "first\r\nsecond");

  // An old text over 1024 characters loses whole last lines until it fits.
  std::string line(600, 'a');
  std::string old = line + "\r\n" + std::string(600, 'b');
  ErrReport(0, ValOf(old), false);
  ErrReport(0, "new"_v, true);
  EXPECT_EQ(S(ErrDetail()), line + "\r\nnew");

  // Without a line break the old text is cut to its first 1024 characters.
  ErrReport(0, ValOf(std::string(2000, 'c')), false);
  ErrReport(0, "x"_v, true);
  EXPECT_EQ(S(ErrDetail()), std::string(1024, 'c') + "\r\nx");
}

}  // namespace
}  // namespace orv
