// The window system's state: one explicit structure that a run (or a test) creates, starts
// with a backend, and shuts down. Nothing of the window system lives outside it.
#ifndef ORVALE_PLATFORM_SYSTEM_H
#define ORVALE_PLATFORM_SYSTEM_H

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/val.h"
#include "platform/backend.h"
#include "platform/geometry.h"
#include "platform/types.h"

namespace orv::platform {

// The most windows open at a time; creation beyond it fails.
inline constexpr size_t kMaxWindows = 4096;

struct WindowSystem {
  Metrics metrics;
  Backend* backend = nullptr;

  std::vector<std::unique_ptr<Window>> windows;  // by slot; null when free
  std::vector<uint16_t> generations;             // by slot
  std::vector<uint32_t> free_slots;
  std::vector<std::unique_ptr<WindowClass>> classes;

  std::deque<Msg> queue;
  std::vector<Hwnd> zorder;  // visible and hidden top-level windows, bottom first
  Hwnd focus;
  uint32_t focus_serial = 0;  // changes with every focus change (nested ones included)
  uint8_t keys[256] = {};     // keys held down
  std::vector<Timer> timers;
  std::vector<uint32_t> loops;  // ids of the running message loops, innermost last
  uint32_t next_loop = 1;

  std::vector<Menu> menus;  // by slot
  MenuTrack track;

  uint64_t last_present = 0;  // backend clock of the last Present from PeekMessage

  std::vector<std::string> transcript;
  Status failure = 0;  // set when input ran out or a script step could not be carried out
  std::string failure_report;
};

// Starts the window system on `backend` (which outlives it) and registers the control
// classes.
void SystemInit(WindowSystem& ws, Backend* backend);
// Destroys every window and menu left, then forgets all state.
void SystemShutdown(WindowSystem& ws);

// Appends one line to the transcript of message boxes, viewers and choosers.
void Transcript(WindowSystem& ws, std::string line);

// Records a failure of the input side: status `code`, the reason and the screen as it is.
// The first failure stays; every loop that waits for input afterwards fails at once.
void Fail(WindowSystem& ws, Status code, std::string_view reason);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_SYSTEM_H
