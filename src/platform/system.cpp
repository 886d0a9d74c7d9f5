// Starting and stopping the window system; the transcript and failure record.
#include "platform/system.h"

#include "platform/compositor.h"
#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/window.h"

namespace orv::platform {

void SystemInit(WindowSystem& ws, Backend* backend) {
  ws.backend = backend;
  RegisterControlClasses(ws);
}

void SystemShutdown(WindowSystem& ws) {
  MenuTrackCancel(ws);
  for (Hwnd h : std::vector<Hwnd>(ws.zorder.rbegin(), ws.zorder.rend())) DestroyWindow(ws, h);
  for (size_t i = 0; i < ws.menus.size(); ++i)
    if (ws.menus[i].live) DestroyMenu(ws, Hmenu{(uint32_t(ws.menus[i].gen) << 16) | uint32_t(i + 1)});
  Metrics metrics = ws.metrics;
  ws = WindowSystem();
  ws.metrics = metrics;
}

void Transcript(WindowSystem& ws, std::string line) { ws.transcript.push_back(std::move(line)); }

void Fail(WindowSystem& ws, Status code, std::string_view reason) {
  if (ws.failure) return;
  ws.failure = code;
  ws.failure_report = std::string(reason) + "\n--- screen ---\n" + Snapshot(ws) +
                      "--- windows ---\n" + DumpTree(ws);
}

}  // namespace orv::platform
