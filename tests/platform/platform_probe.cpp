// The program the terminal tests drive under tmux.
//
//   platform_probe headless SCRIPT   runs the demo scene on the script; prints the screen at
//                                    every wait step and at the end (UTF-8), each followed by
//                                    "cursor X,Y" and "focus X,Y,W,H"
//   platform_probe terminal LOG      runs the demo scene on the terminal; appends one line to
//                                    LOG for every input event read
//   platform_probe keys LOG          a window that appends every keyboard message it gets
//                                    to LOG
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/cp1252.h"
#include "demo_scene.h"
#include "platform/compositor.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/queue.h"
#include "platform/terminal.h"
#include "platform/window.h"

namespace orv::platform {
namespace {

// Logs what the terminal backend reads, so that the test knows when its keys arrived.
class LoggingBackend : public Backend {
 public:
  LoggingBackend(Backend* inner, FILE* log) : inner_(inner), log_(log) {}
  uint64_t Now() override { return inner_->Now(); }
  int Next(InputEvent* ev, int timeout_ms, const char** why) override {
    int r = inner_->Next(ev, timeout_ms, why);
    if (r > 0) {
      std::fprintf(log_, "%s %s\n", ev->kind == InputEvent::kKeyUp ? "up" : "event",
                   KeyName(ev->vk).c_str());
      std::fflush(log_);
    }
    return r;
  }
  void Present(const CellGrid& grid, const Rect& focus) override { inner_->Present(grid, focus); }

 private:
  Backend* inner_;
  FILE* log_;
};

std::string FrameReport(const CellGrid& g, const Rect& focus) {
  return Cp1252ToUtf8(g.Text()) + "cursor " + std::to_string(g.cursor_x) + "," +
         std::to_string(g.cursor_y) + "\nfocus " + std::to_string(focus.x) + "," +
         std::to_string(focus.y) + "," + std::to_string(focus.w) + "," + std::to_string(focus.h) +
         "\n";
}

int Headless(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  Script script;
  std::string error;
  if (!in || ParseScript(text.str(), &script, &error)) {
    std::cerr << path << ": " << (in ? error : "cannot read") << "\n";
    return 2;
  }
  HeadlessBackend backend(std::move(script));
  backend.KeepFrames(true);
  WindowSystem ws;
  SystemInit(ws, &backend);
  BuildDemoScene(ws);
  RunLoop(ws, {});
  // Every frame kept was presented at a wait step, except the last (the script ran out).
  for (size_t i = 0; i + 1 < backend.frames().size(); ++i) {
    CellGrid g = backend.frames()[i];
    std::cout << FrameReport(g, Rect{}) << "--- frame\n";
  }
  CellGrid g;
  Rect focus;
  Compose(ws, &g, &focus);
  std::cout << FrameReport(g, focus);
  SystemShutdown(ws);
  return 0;
}

intptr_t KeyLogProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  const char* tag = msg == WM_KEYDOWN ? "KD" : msg == WM_KEYUP ? "KU" : msg == WM_CHAR ? "CH"
                    : msg == WM_SYSKEYDOWN ? "SKD" : msg == WM_SYSKEYUP ? "SKU"
                    : msg == WM_SYSCHAR ? "SCH" : nullptr;
  if (!tag) return DefWindowProc(ws, h, msg, wp, lp);
  FILE* log = reinterpret_cast<FILE*>(GetUserData(ws, h));
  bool is_char = msg == WM_CHAR || msg == WM_SYSCHAR;
  std::fprintf(log, "%s %s\n", tag, is_char ? std::to_string(wp).c_str() : KeyName(uint16_t(wp)).c_str());
  std::fflush(log);
  return 0;
}

int Terminal(const char* mode, const char* log_path) {
  FILE* log = std::fopen(log_path, "a");
  if (!log) return 2;
  TerminalBackend term;
  std::string error;
  if (!term.Open(&error)) {
    std::cerr << error << "\n";
    return 3;
  }
  LoggingBackend logging(&term, log);
  WindowSystem ws;
  SystemInit(ws, std::strcmp(mode, "terminal") == 0 ? static_cast<Backend*>(&logging) : &term);
  int cols, rows;
  term.Size(&cols, &rows);
  ws.metrics.work_area = Rect{0, 0, 80 * ws.metrics.cell_w, 24 * ws.metrics.cell_h};
  if (std::strcmp(mode, "terminal") == 0) {
    BuildDemoScene(ws);
  } else {
    RegisterClass(ws, "KeyLog", KeyLogProc, 0);
    CreateParams p;
    p.class_name = "KeyLog";
    p.title = "Keys";
    p.style = WS_VISIBLE | WS_CAPTION;
    p.rect = ws.metrics.work_area;
    p.user = reinterpret_cast<intptr_t>(log);
    CreateWindow(ws, p);
  }
  Status st = RunLoop(ws, {});
  SystemShutdown(ws);
  term.Close();
  std::fclose(log);
  return st ? 1 : 0;
}

}  // namespace
}  // namespace orv::platform

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "headless") == 0) return orv::platform::Headless(argv[2]);
  if (argc == 3 && (std::strcmp(argv[1], "terminal") == 0 || std::strcmp(argv[1], "keys") == 0))
    return orv::platform::Terminal(argv[1], argv[2]);
  std::fprintf(stderr, "usage: platform_probe headless SCRIPT | terminal LOG | keys LOG\n");
  return 2;
}
