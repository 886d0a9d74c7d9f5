// The headless answers: a script, or cancel.
#include "core/cp1252.h"
#include "core/status.h"
#include "platform/uihost.h"

namespace orv {

namespace {

constexpr struct {
  const char* name;
  int answer;
} kButtonNames[] = {
    {"ok", kUiOk},         {"cancel", kUiCancel}, {"abort", kUiAbort}, {"retry", kUiRetry},
    {"ignore", kUiIgnore}, {"yes", kUiYes},       {"no", kUiNo},
};

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(uint8_t(a[i])) != AsciiLower(uint8_t(b[i]))) return false;
  return true;
}

int ButtonOf(std::string_view name) {
  for (const auto& b : kButtonNames)
    if (EqualNoCase(name, b.name)) return b.answer;
  return 0;
}

// The 1-based number written in `s` (digits only), 0 when it is none.
size_t NumberOf(std::string_view s) {
  if (s.empty() || s.size() > 6) return 0;
  size_t n = 0;
  for (char c : s) {
    if (!IsDigit(uint8_t(c))) return 0;
    n = n * 10 + size_t(c - '0');
  }
  return n;
}

}  // namespace

bool UiStyleOffers(uint32_t style, int answer) {
  switch (style & kUiButtonsMask) {
    case kUiButtonsOk:
      return answer == kUiOk;
    case kUiButtonsOkCancel:
      return answer == kUiOk || answer == kUiCancel;
    case kUiButtonsAbortRetryIgnore:
      return answer == kUiAbort || answer == kUiRetry || answer == kUiIgnore;
    case kUiButtonsYesNoCancel:
      return answer == kUiYes || answer == kUiNo || answer == kUiCancel;
    case kUiButtonsYesNo:
      return answer == kUiYes || answer == kUiNo;
    case kUiButtonsRetryCancel:
      return answer == kUiRetry || answer == kUiCancel;
    default:
      return answer == kUiOk;
  }
}

void HeadlessUi::AnswerAll(std::string_view answers) {
  while (!answers.empty()) {
    size_t semi = answers.find(';');
    Answer(std::string(answers.substr(0, semi)));
    if (semi == std::string_view::npos) break;
    answers.remove_prefix(semi + 1);
  }
}

void HeadlessUi::Clear() {
  script_.clear();
  shown_.clear();
}

void HeadlessUi::Show(std::string_view caption, std::string_view text) {
  std::string line(caption);
  line += ": ";
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += text[i];
  }
  shown_.push_back(line);
  if (sink_) {
    std::string utf8 = Cp1252ToUtf8(line);
    std::fwrite(utf8.data(), 1, utf8.size(), sink_);
    std::fputc('\n', sink_);
    std::fflush(sink_);
  }
}

bool HeadlessUi::Next(std::string* answer) {
  if (script_.empty()) return false;
  *answer = std::move(script_.front());
  script_.pop_front();
  return true;
}

int HeadlessUi::MessageBox(std::string_view caption, std::string_view text, uint32_t style) {
  Show(caption, text);
  std::string answer;
  if (Next(&answer)) {
    int button = ButtonOf(answer);
    if (button && UiStyleOffers(style, button)) return button;
  }
  if (UiStyleOffers(style, kUiCancel) || UiStyleOffers(style, kUiNo)) return kUiCancel;
  return UiStyleOffers(style, kUiOk) ? kUiOk : kUiCancel;
}

Status HeadlessUi::Choose(std::string_view title, const std::vector<std::string>& items,
                          size_t* chosen) {
  std::string listing;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) listing += ", ";
    listing += items[i];
  }
  Show(title, listing);
  std::string answer;
  if (!Next(&answer)) return kCancelled;
  if (size_t n = NumberOf(answer); n >= 1 && n <= items.size()) {
    *chosen = n - 1;
    return kOk;
  }
  if (!answer.empty() && answer[0] == '=') {
    for (size_t i = 0; i < items.size(); ++i)
      if (EqualNoCase(items[i], std::string_view(answer).substr(1))) {
        *chosen = i;
        return kOk;
      }
  }
  return kCancelled;
}

Status HeadlessUi::AskText(std::string_view title, std::string_view label, uint16_t width,
                           std::string* text) {
  Show(title, label);
  std::string answer;
  if (!Next(&answer) || answer.empty() || answer[0] != '=') return kCancelled;
  *text = answer.substr(1, width);
  return kOk;
}

}  // namespace orv
