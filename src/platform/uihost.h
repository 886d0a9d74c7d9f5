// The few questions the engine asks a person outside its own windows: message boxes, the
// choice of one item from a list (the application chooser, the procedure chooser) and a
// one-line text. The window system answers them interactively; HeadlessUi answers them for
// tests and batch runs. Texts are CP1252.
#ifndef ORVALE_PLATFORM_UIHOST_H
#define ORVALE_PLATFORM_UIHOST_H

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/val.h"

namespace orv {

// Buttons a message box can answer with (the window system's IDOK ... IDNO numbers).
enum UiAnswer : int {
  kUiOk = 1,
  kUiCancel = 2,
  kUiAbort = 3,
  kUiRetry = 4,
  kUiIgnore = 5,
  kUiYes = 6,
  kUiNo = 7,
};

// Message-box styles: the button set in the low four bits, the icon in the next four.
enum : uint32_t {
  kUiButtonsOk = 0x0,
  kUiButtonsOkCancel = 0x1,
  kUiButtonsAbortRetryIgnore = 0x2,
  kUiButtonsYesNoCancel = 0x3,
  kUiButtonsYesNo = 0x4,
  kUiButtonsRetryCancel = 0x5,
  kUiButtonsMask = 0xF,
  kUiIconError = 0x10,
  kUiIconQuestion = 0x20,
  kUiIconWarning = 0x30,
  kUiIconInfo = 0x40,
};

// Whether the button set of `style` has the button `answer`.
bool UiStyleOffers(uint32_t style, int answer);

class UiHost {
 public:
  virtual ~UiHost() = default;
  // Shows `text` under `caption` with the buttons of `style` and returns the button chosen.
  virtual int MessageBox(std::string_view caption, std::string_view text, uint32_t style) = 0;
  // Offers `items` under `title`: 0 with *chosen the 0-based item, or 122 when cancelled.
  virtual Status Choose(std::string_view title, const std::vector<std::string>& items,
                        size_t* chosen) = 0;
  // Asks for one text of at most `width` characters after `label`: 0 with *text, or 122.
  virtual Status AskText(std::string_view title, std::string_view label, uint16_t width,
                         std::string* text) = 0;
};

// The environment variable from which a headless run takes its answers.
inline constexpr const char* kUiAnswersEnv = "ORVALE_ANSWERS";

// Answers from a script of answers, one per question, in order. An answer is a button name
// (ok, cancel, yes, no, retry, abort, ignore; any letter case), a 1-based item number for a
// choice, or "=text": the item of a choice equal to the text (ignoring ASCII case), or the
// text typed for a one-line question. An answer that does not fit the question, and every
// question once the script is used up, cancels: a box that offers Cancel or No answers
// Cancel, any other box OK; choices and texts give 122. So a run without a script never
// confirms anything by itself.
//
// Every question is written as one "caption: text" entry (CR LF in the text becomes LF), in
// UTF-8, to the sink when there is one, and kept in shown().
class HeadlessUi : public UiHost {
 public:
  explicit HeadlessUi(std::FILE* sink = nullptr) : sink_(sink) {}

  void SetSink(std::FILE* sink) { sink_ = sink; }
  void Answer(std::string answer) { script_.push_back(std::move(answer)); }
  // Appends the answers of a text separated by ";" (an empty text adds none).
  void AnswerAll(std::string_view answers);
  const std::vector<std::string>& shown() const { return shown_; }
  void Clear();

  int MessageBox(std::string_view caption, std::string_view text, uint32_t style) override;
  Status Choose(std::string_view title, const std::vector<std::string>& items,
                size_t* chosen) override;
  Status AskText(std::string_view title, std::string_view label, uint16_t width,
                 std::string* text) override;

 private:
  void Show(std::string_view caption, std::string_view text);
  // The next scripted answer; false when the script is used up.
  bool Next(std::string* answer);

  std::FILE* sink_;
  std::deque<std::string> script_;
  std::vector<std::string> shown_;
};

}  // namespace orv

#endif  // ORVALE_PLATFORM_UIHOST_H
