// What a backend offers the window system: a clock, input events, and a place to show the
// composed desktop. Everything above this interface is the same whichever backend runs
// (the scripted headless one, the terminal, later a browser page).
#ifndef ORVALE_PLATFORM_BACKEND_H
#define ORVALE_PLATFORM_BACKEND_H

#include <cstdint>

#include "platform/canvas.h"
#include "platform/geometry.h"

namespace orv::platform {

// One input event, as a keyboard or a person with a pointer would make it. Key presses
// arrive already expanded into the key-down and key-up events a keyboard gives (modifier
// keys included, see input.h).
struct InputEvent {
  enum Kind : uint8_t {
    kKeyDown,      // vk, ch (the character the key types, 0 for none), sys (Alt held)
    kKeyUp,        // vk, sys
    kClick,        // the control `id` of the active window, at `item` (-1: anywhere)
    kDoubleClick,  // as kClick
    kRightClick,   // as kClick
    kMenu,         // choose menu item `id` (of the open pop-up menu, else the menu bar)
    kResize,       // the terminal changed size
  };
  Kind kind = kKeyDown;
  uint16_t vk = 0;
  uint8_t ch = 0;
  bool sys = false;
  uint32_t id = 0;
  int item = -1;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // The backend's clock in milliseconds (virtual for the headless backend).
  virtual uint64_t Now() = 0;
  // Waits at most `timeout_ms` (-1: without limit) for the next input event. 1: `*ev` holds
  // it; 0: the time passed; -1: no input can come any more (script exhausted, terminal
  // gone), with a reason in `*why`.
  virtual int Next(InputEvent* ev, int timeout_ms, const char** why) = 0;
  // Shows the composed desktop; `focus` is the focused control in cells (empty: none).
  virtual void Present(const CellGrid& grid, const Rect& focus) = 0;
};

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_BACKEND_H
