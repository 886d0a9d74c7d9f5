// The headless backend: input from a script, a virtual clock, and the composed screen kept
// for snapshots. Tests, batch runs, CI and any run without a terminal use it. When a loop
// waits for input and the script has no step left, the wait fails (the run reports the
// screen and stops with status 129) instead of hanging.
#ifndef ORVALE_PLATFORM_HEADLESS_H
#define ORVALE_PLATFORM_HEADLESS_H

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/val.h"
#include "platform/backend.h"

namespace orv::platform {

// A list of input steps. Builders append; an unknown key name is kept as the first error
// and adds nothing.
class Script {
 public:
  struct Step {
    InputEvent ev;
    uint32_t wait_ms = 0;  // a pause on the virtual clock instead of an event
    bool wait = false;
  };

  Script& Key(uint16_t vk, uint8_t mods = 0);
  // "Enter", "Shift+Tab", "Ctrl+End", "F10", "Alt+F" (see ParseKeyName).
  Script& Key(std::string_view name);
  // Each character as the key press that types it (CP1252).
  Script& Type(std::string_view text);
  Script& Click(uint32_t id, int item = -1);
  Script& DoubleClick(uint32_t id, int item = -1);
  Script& RightClick(uint32_t id, int item = -1);
  Script& Menu(uint32_t id);
  // Presses message-box button `button` (IDOK, IDYES ...) of the active window.
  Script& Answer(int button);
  Script& Wait(uint32_t ms);

  std::deque<Step>& steps() { return steps_; }
  const std::deque<Step>& steps() const { return steps_; }
  const std::string& error() const { return error_; }

 private:
  std::deque<Step> steps_;
  std::string error_;
};

// Reads a script file's text: one step per line, '#' starts a comment line.
//   key NAME            type TEXT (UTF-8; the rest of the line)
//   click ID [ITEM]     dblclick ID [ITEM]     rclick ID [ITEM]
//   menu ID             answer ok|cancel|abort|retry|ignore|yes|no
//   wait MS
// 0, or 163 with the line number and reason in `*error`.
Status ParseScript(std::string_view text, Script* out, std::string* error);

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend() = default;
  explicit HeadlessBackend(Script script) : script_(std::move(script)) {}

  // Appends the steps of `more`.
  void Add(Script more);

  uint64_t Now() override { return now_; }
  int Next(InputEvent* ev, int timeout_ms, const char** why) override;
  void Present(const CellGrid& grid, const Rect& focus) override;
  // Keeps a copy of every screen presented from now on (a wait step in a script presents
  // the screen as it is at that point).
  void KeepFrames(bool keep) { keep_ = keep; }
  const std::vector<CellGrid>& frames() const { return frames_; }

 private:
  Script script_;
  uint64_t now_ = 0;
  bool keep_ = false;
  std::vector<CellGrid> frames_;
};

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_HEADLESS_H
