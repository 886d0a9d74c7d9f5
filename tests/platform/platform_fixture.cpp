// The recording window class and the per-test window system.
#include "platform_fixture.h"

#include <cstdio>

#include "platform/input.h"
#include "platform/timer.h"

namespace orv::platform {

std::string MessageName(uint32_t msg) {
  static const std::map<uint32_t, const char*> kNames = {
      {WM_CREATE, "CREATE"},       {WM_DESTROY, "DESTROY"},       {WM_SETFOCUS, "SETFOCUS"},
      {WM_KILLFOCUS, "KILLFOCUS"}, {WM_ENABLE, "ENABLE"},         {WM_CLOSE, "CLOSE"},
      {WM_KEYDOWN, "KEYDOWN"},     {WM_KEYUP, "KEYUP"},           {WM_CHAR, "CHAR"},
      {WM_SYSKEYDOWN, "SYSKEYDOWN"}, {WM_SYSKEYUP, "SYSKEYUP"},   {WM_SYSCHAR, "SYSCHAR"},
      {WM_COMMAND, "COMMAND"},     {WM_NOTIFY, "NOTIFY"},         {WM_TIMER, "TIMER"},
      {WM_USER, "USER"},           {WM_VKEYTOITEM, "VKEYTOITEM"}, {0x88E0, "APP88E0"},
      {WM_HSCROLL, "HSCROLL"}, {WM_VSCROLL, "VSCROLL"}, {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"},
  };
  auto it = kNames.find(msg);
  if (it != kNames.end()) return it->second;
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", msg);
  return buf;
}

intptr_t RecordingProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  auto* rec = reinterpret_cast<Recorder*>(GetUserData(ws, h));
  if (msg == WM_CREATE) {
    auto* p = reinterpret_cast<const CreateParams*>(lp);
    rec = reinterpret_cast<Recorder*>(p->user);
    rec->names[h.v] = std::string(p->title);
  }
  if (!rec || msg == WM_PAINT || msg == WM_GETTEXT || msg == WM_SETTEXT || msg == WM_GETDLGCODE ||
      msg == WM_SHOWWINDOW || msg == WM_MOVE || msg == WM_SIZE)
    return DefWindowProc(ws, h, msg, wp, lp);
  std::string name = rec->names.count(h.v) ? rec->names[h.v] : "?";
  std::string line = name + " " + MessageName(msg);
  switch (msg) {
    case WM_COMMAND:
      line += " " + std::to_string(LoWord(wp)) + "," + std::to_string(HiWord(wp));
      break;
    case WM_NOTIFY: {
      auto* n = reinterpret_cast<const ListViewNotify*>(lp);
      line += " " + std::to_string(n->hdr.id) + "," + std::to_string(n->hdr.code) + " row " +
              std::to_string(n->row);
      if (n->hdr.code == LVN_KEYDOWN) line += " " + KeyName(n->vkey);
      break;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      line += " " + KeyName(uint16_t(wp));
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      line += " " + std::to_string(LoWord(wp)) + "," + std::to_string(HiWord(wp));
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_TIMER:
      line += " " + std::to_string(wp);
      break;
    default:
      break;
  }
  rec->log.push_back(line);
  auto it = rec->on.find(name + " " + MessageName(msg));
  if (it != rec->on.end()) {
    auto react = it->second;  // a reaction may remove itself from the map
    return react(h);
  }
  return DefWindowProc(ws, h, msg, wp, lp);
}

void PlatformTest::SetUp() {
  RuntimeTest::SetUp();
  SystemInit(ws, &backend);
  ASSERT_EQ(RegisterClass(ws, "Rec", RecordingProc, 0), 0);
}

void PlatformTest::TearDown() {
  SystemShutdown(ws);
  RuntimeTest::TearDown();
}

Hwnd PlatformTest::Top(const std::string& name, Hwnd owner, bool modal, int col, int row) {
  CreateParams p;
  p.class_name = "Rec";
  p.title = name;
  p.style = WS_VISIBLE | WS_CAPTION;
  p.rect = Cells(col, row, 40, 10);
  p.parent = owner;
  p.modal = modal;
  p.user = reinterpret_cast<intptr_t>(&rec);
  return CreateWindow(ws, p);
}

Hwnd PlatformTest::Child(const std::string& name, Hwnd parent, uint32_t id, int col, int row, int w) {
  CreateParams p;
  p.class_name = "Rec";
  p.title = name;
  p.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  p.rect = Cells(col, row, w, 1);
  p.parent = parent;
  p.id = id;
  p.user = reinterpret_cast<intptr_t>(&rec);
  return CreateWindow(ws, p);
}

Status PlatformTest::RunScript(Hwnd w, Script script) {
  // The virtual clock moves only in wait steps, so the timer is due only at the last one.
  backend.Add(std::move(script.Wait(10)));
  SetTimer(ws, w, 77, 5);
  std::string name = rec.names[w.v];
  rec.on[name + " TIMER"] = [this](Hwnd self) {
    KillTimer(ws, self, 77);
    PostQuit(ws, 0);
    return intptr_t(0);
  };
  Status st = RunLoop(ws, {});
  rec.on.erase(name + " TIMER");
  std::erase(rec.log, name + " TIMER 77");
  return st;
}

}  // namespace orv::platform
