// A fresh window system on a headless backend for each test, and a window class that
// records the messages it gets.
#ifndef ORVALE_TESTS_PLATFORM_PLATFORM_FIXTURE_H
#define ORVALE_TESTS_PLATFORM_PLATFORM_FIXTURE_H

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/compositor.h"
#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/queue.h"
#include "platform/system.h"
#include "platform/window.h"
#include "support/runtime_fixture.h"

namespace orv::platform {

// What the recording class writes: "name MESSAGE" lines, with the command id and code for
// WM_COMMAND, the code for WM_NOTIFY and the key for keyboard messages.
struct Recorder {
  std::vector<std::string> log;
  std::map<uint32_t, std::string> names;  // by handle value
  // Optional reactions by "name MESSAGE", run after the line is logged.
  std::map<std::string, std::function<intptr_t(Hwnd)>> on;
};

std::string MessageName(uint32_t msg);
intptr_t RecordingProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp);

class PlatformTest : public RuntimeTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A top-level recording window ("Rec" class, visible, 40x10 cells at the given cell).
  Hwnd Top(const std::string& name, Hwnd owner = {}, bool modal = false, int col = 0, int row = 0);
  // A recording child of `parent` (visible, tab stop) at cells (col, row), w by 1 cells.
  Hwnd Child(const std::string& name, Hwnd parent, uint32_t id, int col = 0, int row = 0, int w = 10);
  // Names a control made by another class so that its parent's log can mention it.
  void Name(Hwnd h, const std::string& name) { rec.names[h.v] = name; }
  // Runs a loop on the script given so far; the status.
  Status Run(Hwnd window = {}) { return RunLoop(ws, window); }
  std::vector<std::string> TakeLog() { return std::exchange(rec.log, {}); }
  // Runs a loop over `script`, ended by a timer of `w` once every step is used; the log
  // keeps no line of that timer.
  Status RunScript(Hwnd w, Script script);
  Rect Cells(int col, int row, int w, int h) const {
    return Rect{col * ws.metrics.cell_w, row * ws.metrics.cell_h, w * ws.metrics.cell_w,
                h * ws.metrics.cell_h};
  }

  HeadlessBackend backend;
  WindowSystem ws;
  Recorder rec;
};

}  // namespace orv::platform

#endif  // ORVALE_TESTS_PLATFORM_PLATFORM_FIXTURE_H
