// The three message boxes through which the engine talks to the user: a box of a kind, the
// yes/no question and the error box. They go through the user-interface host (Ui()).
#ifndef ORVALE_SHELL_MSGBOX_H
#define ORVALE_SHELL_MSGBOX_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Box kinds: the default caption and the buttons.
enum BoxKind : int {
  kBoxNote = 0,         // "0014", information, OK
  kBoxInfo = 1,         // "0012", exclamation, OK
  kBoxOkCancel = 2,     // "0014", information, OK and Cancel
  kBoxFatal = 3,        // "0013", error, OK
  kBoxRetry = 4,        // "0012", error, Retry and Cancel
  kBoxYesNo = 5,        // "0014", information, Yes and No
  kBoxYesNoCancel = 6,  // "0014", information, Yes, No and Cancel
};
// The answer to a box that was cancelled.
inline constexpr int kBoxCancelled = 3;

// The yes-answer or no-answer letter: the first character of field 1 or 2 of "0011".
int AnswerLetter(bool yes);
// Shows the text under the caption (empty: the kind's default caption message) and returns
// the yes-answer letter for OK, Retry and Yes, the no-answer letter for No, 3 otherwise.
int MessageBoxShow(Val text, Val caption, int kind);
// A kind-5 question; 1 exactly when the answer is yes.
int MessageAsk(Val text);
// Shows the error text of the code (kind 1 with "0012" below 128, kind 3 with "0013" from
// 128 on) and clears the detail text.
void MessageError(Status code);

}  // namespace orv

#endif  // ORVALE_SHELL_MSGBOX_H
