// The terminal backend on ncursesw: UTF-8 on the terminal, CP1252 inside. Keys become the
// key-down, character and key-up events a keyboard gives (modifiers included); the desktop
// is shown through a view the size of the terminal that follows the focused control when
// the desktop is larger; waiting blocks in the terminal read until input or the timeout.
#ifndef ORVALE_PLATFORM_TERMINAL_H
#define ORVALE_PLATFORM_TERMINAL_H

#include <deque>
#include <map>
#include <string>

#include "platform/backend.h"
#include "platform/term_keys.h"

namespace orv::platform {

class TerminalBackend : public Backend {
 public:
  TerminalBackend() = default;
  ~TerminalBackend() override { Close(); }
  TerminalBackend(const TerminalBackend&) = delete;
  TerminalBackend& operator=(const TerminalBackend&) = delete;

  // Takes over the process's terminal. False (with the reason) when there is none.
  bool Open(std::string* error);
  // Gives the terminal back as it was.
  void Close();
  // The terminal's size in cells.
  void Size(int* cols, int* rows) const;

  uint64_t Now() override;
  int Next(InputEvent* ev, int timeout_ms, const char** why) override;
  void Present(const CellGrid& grid, const Rect& focus) override;

 private:
  // Reads one key (waiting up to timeout_ms) into pending_; false when nothing came.
  bool Read(int timeout_ms, bool* gone);

  bool open_ = false;
  std::deque<InputEvent> pending_;
  // Codes the terminal description already gives some of our sequences (Ctrl+End ...).
  std::map<int, KeyPress> described_;
  int ox_ = 0, oy_ = 0;  // the view's origin on the desktop, in cells
};

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_TERMINAL_H
