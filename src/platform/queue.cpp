// The queue, input pumping and the message loops.
#include "platform/queue.h"

#include <algorithm>

#include "core/status.h"
#include "platform/compositor.h"
#include "platform/dialog.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace orv::platform {

bool PostMessage(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  if (h && !IsWindow(ws, h)) return false;
  ws.queue.push_back(Msg{h, msg, wp, lp, 0});
  return true;
}

void PostQuit(WindowSystem& ws, intptr_t code) {
  uint32_t target = ws.loops.empty() ? 0 : ws.loops.back();
  ws.queue.push_back(Msg{{}, WM_QUIT, uintptr_t(code), intptr_t(target), 0});
}

LoopScope::LoopScope(WindowSystem& ws) : ws_(ws), id_(ws.next_loop++) { ws.loops.push_back(id_); }

LoopScope::~LoopScope() {
  std::erase(ws_.loops, id_);
  // A quit still waiting for this loop would be stray from now on.
  std::erase_if(ws_.queue, [&](const Msg& m) {
    return m.message == WM_QUIT && uint32_t(m.lparam) == id_;
  });
}

enum class Take { kNone, kMessage, kQuit };

static bool Matches(const WindowSystem& ws, const Msg& m, Hwnd filter) {
  return !filter || m.message == WM_QUIT || IsDescendant(ws, filter, m.hwnd);
}

// The next message for `filter`. A quit for the running loop is taken; a quit for a loop
// around it is reported but left for that loop; a quit for a loop that is gone is dropped.
static Take TakeNext(WindowSystem& ws, Msg* out, Hwnd filter, bool remove) {
  uint32_t current = ws.loops.empty() ? 0 : ws.loops.back();
  for (auto it = ws.queue.begin(); it != ws.queue.end();) {
    if (!Matches(ws, *it, filter)) {
      ++it;
      continue;
    }
    if (it->message == WM_QUIT) {
      uint32_t target = uint32_t(it->lparam);
      if (target == current) {
        *out = *it;
        if (remove) ws.queue.erase(it);
        return Take::kQuit;
      }
      if (std::find(ws.loops.begin(), ws.loops.end(), target) != ws.loops.end()) {
        *out = *it;
        return Take::kQuit;
      }
      it = ws.queue.erase(it);
      continue;
    }
    *out = *it;
    if (remove) {
      ws.queue.erase(it);
      if (out->message == WM_TIMER) TimerTaken(ws, *out);
    }
    return Take::kMessage;
  }
  return Take::kNone;
}

// Takes one input event from the backend, waiting up to `timeout_ms`: 1 when one was
// delivered, 0 when none came, -1 when a wait was asked for and no input can come any more.
static int Pump(WindowSystem& ws, int timeout_ms) {
  const char* why = "no backend to wait for input";
  InputEvent ev;
  int r = ws.backend ? ws.backend->Next(&ev, timeout_ms, &why) : -1;
  if (r > 0) DeliverInput(ws, ev);
  if (r >= 0 || timeout_ms == 0) return r > 0 ? 1 : 0;
  Fail(ws, kLoopFailure, why);
  return -1;
}

bool PeekMessage(WindowSystem& ws, Msg* out, Hwnd filter, bool remove) {
  if (TakeNext(ws, out, filter, remove) != Take::kNone) return true;
  if (ws.failure) return false;
  Pump(ws, 0);
  PostDueTimers(ws);
  if (TakeNext(ws, out, filter, remove) != Take::kNone) return true;
  // Loops that poll (long procedures pumping between statements) still show progress.
  if (ws.backend && ws.backend->Now() >= ws.last_present + 50) {
    ws.last_present = ws.backend->Now();
    Present(ws);
  }
  return false;
}

int GetMessage(WindowSystem& ws, Msg* out, Hwnd filter) {
  for (;;) {
    if (ws.failure) return -1;
    switch (TakeNext(ws, out, filter, true)) {
      case Take::kMessage: return 1;
      case Take::kQuit: return 0;
      case Take::kNone: break;
    }
    if (Pump(ws, 0) > 0 || PostDueTimers(ws)) continue;
    Present(ws);
    if (Pump(ws, NextTimerWait(ws)) < 0) return -1;
  }
}

void TranslateMessage(WindowSystem& ws, const Msg& m) {
  if (!m.ch) return;
  if (m.message == WM_KEYDOWN) ws.queue.push_back(Msg{m.hwnd, WM_CHAR, m.ch, m.lparam, 0});
  if (m.message == WM_SYSKEYDOWN) ws.queue.push_back(Msg{m.hwnd, WM_SYSCHAR, m.ch, m.lparam, 0});
}

intptr_t DispatchMessage(WindowSystem& ws, const Msg& m) {
  return m.hwnd ? SendMessage(ws, m.hwnd, m.message, m.wparam, m.lparam) : 0;
}

Status RunLoop(WindowSystem& ws, Hwnd window, intptr_t* quit_code) {
  LoopScope scope(ws);
  for (;;) {
    if (window ? !IsWindow(ws, window) : ws.zorder.empty()) return kOk;
    Msg m;
    int r = GetMessage(ws, &m, {});
    if (r < 0) return ws.failure;
    if (r == 0) {
      if (quit_code && uint32_t(m.lparam) == scope.id()) *quit_code = intptr_t(m.wparam);
      return kOk;
    }
    if (IsDialogMessage(ws, m)) continue;
    TranslateMessage(ws, m);
    DispatchMessage(ws, m);
  }
}

void Present(WindowSystem& ws) {
  if (!ws.backend) return;
  CellGrid grid;
  Rect focus;
  Compose(ws, &grid, &focus);
  ws.backend->Present(grid, focus);
}

}  // namespace orv::platform
