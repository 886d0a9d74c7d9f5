// Message boxes, their answers, the headless host and message formatting.
#include <gtest/gtest.h>

#include "core/slots.h"
#include "core/status.h"
#include "platform/uihost.h"
#include "shell/language.h"
#include "shell/msgbox.h"
#include "shell/msgformat.h"
#include "shell_fixture.h"

namespace orv {
namespace {

using MessageBoxTest = ShellTest;

TEST_F(MessageBoxTest, AnswersByKindAndButton) {
  struct Case {
    int kind;
    const char* answer;  // scripted; empty: none
    int result;
    const char* shown;
  } cases[] = {
      {0, "", 'S', "Solicitud de Informaci\xF3n: texto"},
      {1, "", 'S', "Mensaje Informativo: texto"},
      {2, "", 3, "Solicitud de Informaci\xF3n: texto"},
      {2, "ok", 'S', nullptr},
      {3, "", 'S', "Alerta de Mensaje Fatal: texto"},
      {4, "", 3, "Mensaje Informativo: texto"},
      {4, "retry", 'S', nullptr},
      {5, "", 3, nullptr},  // a batch run never says yes or no by itself
      {5, "no", 'N', nullptr},
      {5, "YES", 'S', nullptr},
      {5, "cancel", 3, nullptr},  // not offered: the box cancels
      {6, "", 3, nullptr},
      {6, "cancel", 3, nullptr},
      {6, "no", 'N', nullptr},
      {9, "", 'S', "Solicitud de Informaci\xF3n: texto"},
  };
  for (const Case& c : cases) {
    g_shell.headless.Clear();
    Answers(c.answer);
    EXPECT_EQ(MessageBoxShow("texto"_v, Val(), c.kind), c.result) << c.kind << c.answer;
    ASSERT_EQ(Shown().size(), 1u);
    if (c.shown) {
      EXPECT_EQ(Shown()[0], c.shown);
    }
  }
}

TEST_F(MessageBoxTest, CaptionAndAnswerLettersFollowTheLanguage) {
  Put("QX_LANG_EN.MSJ", "0011 Yy,Nn\r\n0014 Question\r\n");
  SlotSet(0, kSettingLanguage, "EN"_v);
  Answers("yes;no");
  EXPECT_EQ(MessageBoxShow("q"_v, "Own caption"_v, kBoxYesNo), 'Y');
  EXPECT_EQ(MessageBoxShow("q"_v, Val(), kBoxYesNo), 'N');
  EXPECT_EQ(Shown()[0], "Own caption: q");
  EXPECT_EQ(Shown()[1], "Question: q");
}

TEST_F(MessageBoxTest, AskIsYesOnlyForYes) {
  Answers("yes;no");
  EXPECT_EQ(MessageAsk("x"_v), 1);
  EXPECT_EQ(MessageAsk("x"_v), 0);
  EXPECT_EQ(MessageAsk("x"_v), 0);  // unanswered
}

TEST_F(MessageBoxTest, ErrorBoxShowsTheErrorTextAndClearsTheDetail) {
  ErrRecord(1, kAreaStreams, kFileNotFound, 0);
  ErrReport(kFileNotFound, "GEDICC.DAT"_v, false);
  MessageError(kFileNotFound);
  MessageError(kCancelled);
  ASSERT_EQ(Shown().size(), 2u);
  EXPECT_EQ(Shown()[0],
            "Alerta de Mensaje Fatal: Error Fichero no encontrado(Streams): GEDICC.DAT");
  EXPECT_EQ(Shown()[1], "Mensaje Informativo: Cancelado por el usuario");
  EXPECT_EQ(S(ErrDetail()), "");
}

TEST_F(MessageBoxTest, HeadlessChoicesAndTexts) {
  HeadlessUi ui;
  ui.AnswerAll("2;=beta;=BETA;9;cancel;=Nuevo nombre;;ok");
  std::vector<std::string> items{"alfa", "beta"};
  size_t chosen = 99;
  EXPECT_EQ(ui.Choose("t", items, &chosen), kOk);
  EXPECT_EQ(chosen, 1u);
  EXPECT_EQ(ui.Choose("t", items, &chosen), kOk);
  EXPECT_EQ(ui.Choose("t", items, &chosen), kOk);
  EXPECT_EQ(chosen, 1u);
  EXPECT_EQ(ui.Choose("t", items, &chosen), kCancelled);  // no such item
  EXPECT_EQ(ui.Choose("t", items, &chosen), kCancelled);
  std::string text;
  EXPECT_EQ(ui.AskText("t", "Nombre:", 5, &text), kOk);
  EXPECT_EQ(text, "Nuevo");                                     // cut to the width
  EXPECT_EQ(ui.AskText("t", "Nombre:", 5, &text), kCancelled);  // an empty answer
  EXPECT_EQ(ui.MessageBox("c", "t", kUiButtonsOk), kUiOk);
  EXPECT_EQ(ui.Choose("t", items, &chosen), kCancelled);  // the script is used up
  EXPECT_EQ(ui.shown()[0], "t: alfa, beta");
}

TEST_F(MessageBoxTest, HeadlessWritesEachQuestionAsOneEntryInUtf8) {
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  HeadlessUi ui(sink);
  ui.MessageBox("Informaci\xF3n", "uno\r\ndos", kUiButtonsOk);
  std::rewind(sink);
  char buf[64] = {};
  size_t n = std::fread(buf, 1, sizeof buf - 1, sink);
  std::fclose(sink);
  EXPECT_EQ(std::string(buf, n), "Información: uno\ndos\n");
}

TEST_F(MessageBoxTest, FormatSubstitutesTypedArgumentsAndNothingElse) {
  struct Case {
    const char* format;
    std::string out;
  } cases[] = {
      {"(%i Pantallas, %i Ventanas)", "(2 Pantallas, 3 Ventanas)"},
      {"%s en %s", "abc en 2"},
      {"%s %s %s", "abc 2 "},  // missing argument: empty
      {"100%% %d %n %x %", "100% abc %n %x %"},
      {"%", "%"},
  };
  auto run = [](const char* f) {
    if (std::string(f).find("Pantallas") != std::string::npos)
      return S(MessageFormat(ValFromCStr(f), {2, 3}));
    return S(MessageFormat(ValFromCStr(f), {"abc"_v, 2}));
  };
  for (const Case& c : cases) EXPECT_EQ(run(c.format), c.out) << c.format;
}

}  // namespace
}  // namespace orv
