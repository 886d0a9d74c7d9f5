// The message queue and the message loops.
//
// Posted messages come first; when none is waiting, input from the backend is turned into
// messages (keyboard messages go to the focus, or the active window when nothing has the
// focus); then due timers post WM_TIMER; then the screen is shown and the loop waits for
// input or the next timer, never spinning.
//
// Every loop has an id. PostQuit aims at the innermost loop running when it is posted: that
// loop ends; loops nested inside it end too (their caller sees its window still there); a
// quit for a loop that already ended is dropped, so it never ends another loop.
#ifndef ORVALE_PLATFORM_QUEUE_H
#define ORVALE_PLATFORM_QUEUE_H

#include <cstdint>

#include "core/val.h"
#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

// Appends a message to the queue; a null window makes a message for the loop itself. False
// for a stale window handle.
bool PostMessage(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp = 0, intptr_t lp = 0);
// Posts WM_QUIT (wParam: code) for the innermost running loop.
void PostQuit(WindowSystem& ws, intptr_t code);

// Takes (with `remove`) or looks at the next message for `filter` and its descendants (all
// messages when null) without waiting. WM_QUIT is seen by every filter.
bool PeekMessage(WindowSystem& ws, Msg* out, Hwnd filter, bool remove);
// Waits for the next message for `filter` (all when null). 1: a message; 0: WM_QUIT for
// this loop or one around it; -1: input failed (see ws.failure).
int GetMessage(WindowSystem& ws, Msg* out, Hwnd filter);
// Posts the WM_CHAR (WM_SYSCHAR) of a key-down message that types a character.
void TranslateMessage(WindowSystem& ws, const Msg& m);
// Sends the message to its window.
intptr_t DispatchMessage(WindowSystem& ws, const Msg& m);

// Marks a running loop for as long as it lives; GetMessage answers quits by it.
class LoopScope {
 public:
  explicit LoopScope(WindowSystem& ws);
  ~LoopScope();
  LoopScope(const LoopScope&) = delete;
  LoopScope& operator=(const LoopScope&) = delete;
  uint32_t id() const { return id_; }

 private:
  WindowSystem& ws_;
  uint32_t id_;
};

// Runs a loop: get, dialog navigation, translate, dispatch. It ends on a quit meant for it
// (its code in `*quit_code`), when `window` (if given) is destroyed, or, without a window,
// when no top-level window is left. 0, or the failure status (129) when input ran out.
Status RunLoop(WindowSystem& ws, Hwnd window, intptr_t* quit_code = nullptr);

// Composes the desktop and hands it to the backend.
void Present(WindowSystem& ws);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_QUEUE_H
