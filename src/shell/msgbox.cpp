// Message boxes.
#include "shell/msgbox.h"

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "platform/uihost.h"
#include "shell/catalog.h"
#include "shell/state.h"

namespace orv {

namespace {

struct KindRow {
  Val caption;
  uint32_t style;
};

constexpr KindRow kKinds[] = {
    {"0014"_v, kUiIconInfo | kUiButtonsOk},           {"0012"_v, kUiIconWarning | kUiButtonsOk},
    {"0014"_v, kUiIconInfo | kUiButtonsOkCancel},     {"0013"_v, kUiIconError | kUiButtonsOk},
    {"0012"_v, kUiIconError | kUiButtonsRetryCancel}, {"0014"_v, kUiIconInfo | kUiButtonsYesNo},
    {"0014"_v, kUiIconInfo | kUiButtonsYesNoCancel},
};
constexpr KindRow kOtherKind = {"0014"_v, kUiButtonsOk};

}  // namespace

int AnswerLetter(bool yes) {
  Val field = ListField(MessageText("0011"_v), ',', yes ? 1 : 2);
  return field.len ? field.at(0) : (yes ? 'S' : 'N');
}

int MessageBoxShow(Val text, Val caption, int kind) {
  const KindRow& row = kind >= 0 && kind < int(std::size(kKinds)) ? kKinds[kind] : kOtherKind;
  if (!caption.ok() || caption.empty()) caption = MessageText(row.caption);
  int button = Ui().MessageBox(caption.sv(), text.sv(), row.style);
  switch (button) {
    case kUiOk:
    case kUiRetry:
    case kUiYes:
      return AnswerLetter(true);
    case kUiNo:
      return AnswerLetter(false);
    default:
      return kBoxCancelled;
  }
}

int MessageAsk(Val text) {
  return MessageBoxShow(text, Val(), kBoxYesNo) == AnswerLetter(true) ? 1 : 0;
}

void MessageError(Status code) {
  ScratchScope scope;
  bool serious = code >= kSerious;
  MessageBoxShow(ErrorText(code), MessageText(serious ? "0013"_v : "0012"_v),
                 serious ? kBoxFatal : kBoxInfo);
  ErrReport(code, Val(), false);
}

}  // namespace orv
