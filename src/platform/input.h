// Keys and pointer input: what a key press expands into, the characters keys type, key names
// for scripts, and the delivery of input events as messages.
#ifndef ORVALE_PLATFORM_INPUT_H
#define ORVALE_PLATFORM_INPUT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.h"
#include "platform/system.h"

namespace orv::platform {

// The events of one key press with modifiers (kModShift, kModCtrl, kModAlt), in the order a
// keyboard gives them: modifier downs (Alt, Ctrl, Shift), the key down (carrying the
// character `ch` it types, or KeyChar's when `ch` is 0), the key up, modifier ups in reverse.
// With Alt held, and for F10, they are system keys (WM_SYSKEYDOWN and WM_SYSKEYUP).
void ExpandKey(uint16_t vk, uint8_t mods, uint8_t ch, std::vector<InputEvent>* out);
// The CP1252 character a key types with modifiers, 0 when it types none.
uint8_t KeyChar(uint16_t vk, uint8_t mods);
// The key and modifiers that type character `c` (VK_PACKET for characters without a key).
void CharToKey(uint8_t c, uint16_t* vk, uint8_t* mods);

// Key names as scripts and logs write them: "Enter", "Tab", "Esc", "F1".."F24", "Up",
// "PgDn", a letter or digit, "Ctrl+]" ..., with "Shift+", "Ctrl+", "Alt+" prefixes.
bool ParseKeyName(std::string_view name, uint16_t* vk, uint8_t* mods);
std::string KeyName(uint16_t vk);

// Turns one input event into messages: keys to the focus (or the active window when nothing
// has the focus, or to the tracked menu); clicks to the control with the id in the active
// window, as button-down and button-up messages at the item's point; menu choices as
// WM_COMMAND. Input for a window that cannot take it is dropped; a click on a control that
// does not exist or a menu item that is not there fails the run (see Fail).
void DeliverInput(WindowSystem& ws, const InputEvent& ev);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_INPUT_H
