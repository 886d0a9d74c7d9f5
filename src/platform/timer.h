// Window timers: WM_TIMER (wParam: the timer id) every interval, at most one waiting in the
// queue per timer, on the backend's clock.
#ifndef ORVALE_PLATFORM_TIMER_H
#define ORVALE_PLATFORM_TIMER_H

#include <cstdint>

#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

// Starts (or restarts) timer `id` of window `h`. False for a non-window or interval 0.
bool SetTimer(WindowSystem& ws, Hwnd h, uintptr_t id, uint32_t interval_ms);
bool KillTimer(WindowSystem& ws, Hwnd h, uintptr_t id);
// Drops every timer of `h`.
void KillTimers(WindowSystem& ws, Hwnd h);

// Posts WM_TIMER for timers that are due; true when it posted one.
bool PostDueTimers(WindowSystem& ws);
// Milliseconds until the next timer is due (0 when one is due, -1 without timers).
int NextTimerWait(WindowSystem& ws);
// Marks the timer of a WM_TIMER message as no longer waiting in the queue.
void TimerTaken(WindowSystem& ws, const Msg& m);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_TIMER_H
