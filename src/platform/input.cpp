// Key presses, key names and the delivery of input events.
#include "platform/input.h"

#include <cstdio>

#include "core/cp1252.h"
#include "core/status.h"
#include "platform/focus.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace orv::platform {

void ExpandKey(uint16_t vk, uint8_t mods, uint8_t ch, std::vector<InputEvent>* out) {
  bool alt = mods & kModAlt;
  auto down = [&](uint16_t k, uint8_t c, bool sys) {
    InputEvent e;
    e.kind = InputEvent::kKeyDown;
    e.vk = k;
    e.ch = c;
    e.sys = sys;
    out->push_back(e);
  };
  auto up = [&](uint16_t k, bool sys) {
    InputEvent e;
    e.kind = InputEvent::kKeyUp;
    e.vk = k;
    e.sys = sys;
    out->push_back(e);
  };
  if (alt) down(VK_MENU, 0, true);
  if (mods & kModCtrl) down(VK_CONTROL, 0, alt);
  if (mods & kModShift) down(VK_SHIFT, 0, alt);
  bool sys = alt || vk == VK_F10;
  down(vk, ch ? ch : KeyChar(vk, mods), sys);
  up(vk, sys);
  if (mods & kModShift) up(VK_SHIFT, alt);
  if (mods & kModCtrl) up(VK_CONTROL, alt);
  if (alt) up(VK_MENU, true);
}

uint8_t KeyChar(uint16_t vk, uint8_t mods) {
  bool shift = mods & kModShift, ctrl = mods & kModCtrl;
  if (ctrl && (mods & kModAlt)) return 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return uint8_t(vk - 'A' + 1);
    return uint8_t(shift ? vk : vk + 32);
  }
  if (vk >= '0' && vk <= '9') return ctrl ? 0 : uint8_t(vk);
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_TAB: return ctrl ? 0 : 9;
    case VK_RETURN: return ctrl ? 10 : 13;
    case VK_ESCAPE: return 27;
    case VK_BACK: return ctrl ? 127 : 8;
    case VK_OEM_4: return ctrl ? 27 : '[';
    case VK_OEM_5: return ctrl ? 28 : '\\';
    case VK_OEM_6: return ctrl ? 29 : ']';
    default: return 0;
  }
}

void CharToKey(uint8_t c, uint16_t* vk, uint8_t* mods) {
  *mods = 0;
  if (c >= 'a' && c <= 'z') {
    *vk = uint16_t(c - 32);
  } else if (c >= 'A' && c <= 'Z') {
    *vk = c;
    *mods = kModShift;
  } else if (IsDigit(c)) {
    *vk = c;
  } else if (c == ' ') {
    *vk = VK_SPACE;
  } else if (c == 9 || c == 13 || c == 27 || c == 8) {
    *vk = c == 9 ? VK_TAB : c == 13 ? VK_RETURN : c == 27 ? VK_ESCAPE : VK_BACK;
  } else if (c == '[' || c == '\\' || c == ']') {
    *vk = c == '[' ? VK_OEM_4 : c == '\\' ? VK_OEM_5 : VK_OEM_6;
  } else if (c >= 1 && c <= 26) {
    *vk = uint16_t('A' + c - 1);
    *mods = kModCtrl;
  } else if (c == 28 || c == 29) {
    *vk = c == 28 ? VK_OEM_5 : VK_OEM_6;
    *mods = kModCtrl;
  } else {
    *vk = VK_PACKET;
  }
}

namespace {
struct KeyNameEntry {
  const char* name;
  uint16_t vk;
};
constexpr KeyNameEntry kKeyNames[] = {
    {"Enter", VK_RETURN}, {"Tab", VK_TAB},       {"Esc", VK_ESCAPE},     {"Space", VK_SPACE},
    {"Back", VK_BACK},    {"Up", VK_UP},         {"Down", VK_DOWN},      {"Left", VK_LEFT},
    {"Right", VK_RIGHT},  {"PgUp", VK_PRIOR},    {"PgDn", VK_NEXT},      {"Home", VK_HOME},
    {"End", VK_END},      {"Ins", VK_INSERT},    {"Del", VK_DELETE},     {"Shift", VK_SHIFT},
    {"Ctrl", VK_CONTROL}, {"Alt", VK_MENU},      {"[", VK_OEM_4},        {"\\", VK_OEM_5},
    {"]", VK_OEM_6},      {"Packet", VK_PACKET},
};
}  // namespace

static bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(uint8_t(a[i])) != AsciiUpper(uint8_t(b[i]))) return false;
  return true;
}

bool ParseKeyName(std::string_view name, uint16_t* vk, uint8_t* mods) {
  *mods = 0;
  for (;;) {
    size_t plus = name.find('+');
    if (plus == std::string_view::npos || plus + 1 == name.size()) break;
    std::string_view m = name.substr(0, plus);
    if (SameAscii(m, "Shift")) *mods |= kModShift;
    else if (SameAscii(m, "Ctrl")) *mods |= kModCtrl;
    else if (SameAscii(m, "Alt")) *mods |= kModAlt;
    else return false;
    name.remove_prefix(plus + 1);
  }
  for (const auto& k : kKeyNames) {
    if (SameAscii(name, k.name)) {
      *vk = k.vk;
      return true;
    }
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    for (char c : name.substr(1)) {
      if (!IsDigit(uint8_t(c))) return false;
      n = n * 10 + (c - '0');
    }
    if (n < 1 || n > 24) return false;
    *vk = uint16_t(VK_F1 + n - 1);
    return true;
  }
  if (name.size() == 1 && (IsAsciiAlpha(uint8_t(name[0])) || IsDigit(uint8_t(name[0])))) {
    *vk = AsciiUpper(uint8_t(name[0]));
    return true;
  }
  return false;
}

std::string KeyName(uint16_t vk) {
  for (const auto& k : kKeyNames)
    if (k.vk == vk) return k.name;
  if (vk >= VK_F1 && vk < VK_F1 + 24) return "F" + std::to_string(vk - VK_F1 + 1);
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, char(vk));
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", vk);
  return buf;
}

static Hwnd KeyTarget(WindowSystem& ws) {
  if (ws.focus && AcceptsInput(ws, ws.focus)) return ws.focus;
  Hwnd act = ActiveWindow(ws);
  return AcceptsInput(ws, act) ? act : Hwnd{};
}

static bool IsModifier(uint16_t vk) {
  return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU;
}

static void DeliverClick(WindowSystem& ws, const InputEvent& ev) {
  if (ws.track.active) MenuTrackCancel(ws);
  Hwnd act = ActiveWindow(ws);
  Hwnd c = act ? GetDlgItem(ws, act, ev.id) : Hwnd{};
  if (!c) {
    Fail(ws, kLoopFailure, "click: no control " + std::to_string(ev.id) + " in the active window");
    return;
  }
  if (!AcceptsInput(ws, c)) {
    Transcript(ws, "input ignored: click " + std::to_string(ev.id) + " (disabled)");
    return;
  }
  intptr_t pt = 0;
  if (ev.item >= 0) {
    pt = SendMessage(ws, c, kMsgItemPoint, uintptr_t(ev.item));
    if (pt == -1) {
      Fail(ws, kLoopFailure,
           "click: control " + std::to_string(ev.id) + " has no item " + std::to_string(ev.item));
      return;
    }
  }
  auto post = [&](uint32_t m) { ws.queue.push_back(Msg{c, m, 0, pt, 0}); };
  if (ev.kind == InputEvent::kRightClick) {
    post(WM_RBUTTONDOWN);
    post(WM_RBUTTONUP);
    return;
  }
  post(WM_LBUTTONDOWN);
  post(WM_LBUTTONUP);
  if (ev.kind == InputEvent::kDoubleClick) {
    post(WM_LBUTTONDBLCLK);
    post(WM_LBUTTONUP);
  }
}

void DeliverInput(WindowSystem& ws, const InputEvent& ev) {
  switch (ev.kind) {
    case InputEvent::kKeyDown:
    case InputEvent::kKeyUp: {
      bool down = ev.kind == InputEvent::kKeyDown;
      ws.keys[ev.vk & 0xFF] = down;
      if (ws.track.active) {
        if (down && !IsModifier(ev.vk)) MenuTrackKey(ws, ev.vk, ev.ch);
        return;
      }
      Hwnd t = KeyTarget(ws);
      if (!t) return;
      uint32_t msg = down ? (ev.sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (ev.sys ? WM_SYSKEYUP : WM_KEYUP);
      intptr_t lp = down ? 1 : intptr_t(0xC0000001u);
      if (ws.keys[VK_MENU]) lp |= intptr_t(1) << 29;
      ws.queue.push_back(Msg{t, msg, ev.vk, lp, down ? ev.ch : uint8_t(0)});
      return;
    }
    case InputEvent::kClick:
    case InputEvent::kDoubleClick:
    case InputEvent::kRightClick:
      DeliverClick(ws, ev);
      return;
    case InputEvent::kMenu:
      if (!MenuChoose(ws, ev.id))
        Fail(ws, kLoopFailure, "menu: no enabled item " + std::to_string(ev.id));
      return;
    case InputEvent::kResize:
      return;
  }
}

}  // namespace orv::platform
