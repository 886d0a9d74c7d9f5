// Window timers on the backend's clock.
#include "platform/timer.h"

#include <algorithm>
#include <limits>

#include "platform/messages.h"
#include "platform/queue.h"
#include "platform/window.h"

namespace orv::platform {

static uint64_t Now(WindowSystem& ws) { return ws.backend ? ws.backend->Now() : 0; }

bool SetTimer(WindowSystem& ws, Hwnd h, uintptr_t id, uint32_t interval_ms) {
  if (!IsWindow(ws, h) || interval_ms == 0) return false;
  uint64_t due = Now(ws) + interval_ms;
  for (Timer& t : ws.timers) {
    if (t.hwnd == h && t.id == id) {
      t.interval = interval_ms;
      t.due = due;
      return true;
    }
  }
  ws.timers.push_back(Timer{h, id, interval_ms, due, false});
  return true;
}

bool KillTimer(WindowSystem& ws, Hwnd h, uintptr_t id) {
  size_t n = std::erase_if(ws.timers, [&](const Timer& t) { return t.hwnd == h && t.id == id; });
  std::erase_if(ws.queue, [&](const Msg& m) {
    return m.hwnd == h && m.message == WM_TIMER && m.wparam == id;
  });
  return n > 0;
}

void KillTimers(WindowSystem& ws, Hwnd h) {
  std::erase_if(ws.timers, [&](const Timer& t) { return t.hwnd == h; });
}

bool PostDueTimers(WindowSystem& ws) {
  uint64_t now = Now(ws);
  bool posted = false;
  for (Timer& t : ws.timers) {
    if (t.pending || t.due > now) continue;
    t.pending = true;
    // The next one is due an interval after this one, or after now when it fell behind.
    t.due = std::max(t.due + t.interval, now + 1);
    ws.queue.push_back(Msg{t.hwnd, WM_TIMER, t.id, 0, 0});
    posted = true;
  }
  return posted;
}

int NextTimerWait(WindowSystem& ws) {
  uint64_t now = Now(ws);
  uint64_t best = std::numeric_limits<uint64_t>::max();
  for (const Timer& t : ws.timers)
    if (!t.pending) best = std::min(best, t.due);
  if (best == std::numeric_limits<uint64_t>::max()) return -1;
  return best <= now ? 0 : int(std::min<uint64_t>(best - now, 1u << 30));
}

void TimerTaken(WindowSystem& ws, const Msg& m) {
  for (Timer& t : ws.timers)
    if (t.hwnd == m.hwnd && t.id == m.wparam) t.pending = false;
}

}  // namespace orv::platform
