// Message boxes and the text viewer: modal windows with a plain C++ interface that record
// themselves in the transcript.
#ifndef ORVALE_PLATFORM_MSGBOX_H
#define ORVALE_PLATFORM_MSGBOX_H

#include <string>
#include <string_view>
#include <vector>

#include "core/val.h"
#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

// Shows `text` (lines broken at CR LF or LF, long lines wrapped) under `caption` with the
// buttons and icon of `style` (MB_OK ... MB_RETRYCANCEL, MB_ICONHAND ... MB_ICONASTERISK),
// owned by `owner` (the active window when null), and waits for an answer: IDOK, IDCANCEL,
// IDABORT, IDRETRY, IDIGNORE, IDYES or IDNO in `*answer`. Enter presses the focused button
// (the first one to begin with); Esc answers IDCANCEL when there is a Cancel button and IDOK
// in a box with only OK, and does nothing otherwise. 0, or the failure status of the input
// (the answer is then 0).
Status MessageBox(WindowSystem& ws, Hwnd owner, std::string_view text, std::string_view caption,
                  uint32_t style, int* answer);

// Shows `text` read-only in a window filling the desktop, titled `title`, with a row of
// `buttons` above it. `*pressed` is the 0-based number of the button pressed, or -1 when the
// window was closed with Esc. 0, or the failure status of the input.
Status ShowTextViewer(WindowSystem& ws, Hwnd owner, std::string_view title, std::string_view text,
                      const std::vector<std::string>& buttons, int* pressed);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_MSGBOX_H
