// The order of messages in the cases that matter: focus changes, destruction (of a parent,
// of a window inside its own handler), stale handles, modality, quits in nested loops,
// disabled windows, timers and an exhausted script.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/timer.h"
#include "platform_fixture.h"

namespace orv::platform {
namespace {

class MessageOrderTest;

struct OrderCase {
  const char* name;
  std::function<void(MessageOrderTest&)> act;
  std::vector<std::string> expect;
};

// Test names show the case's name, not its bytes.
void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class MessageOrderTest : public PlatformTest, public ::testing::WithParamInterface<OrderCase> {
 public:
  using PlatformTest::backend;
  using PlatformTest::Child;
  using PlatformTest::rec;
  using PlatformTest::Run;
  using PlatformTest::Top;
  using PlatformTest::ws;
  void Note(const std::string& s) { rec.log.push_back(s); }
  std::string FocusName() {
    Hwnd f = GetFocus(ws);
    return "focus=" + (f ? rec.names[f.v] : std::string("none"));
  }
};

const OrderCase kCases[] = {
    {"FocusMovesKillBeforeSet",
     [](MessageOrderTest& t) {
       Hwnd w = t.Top("w");
       Hwnd a = t.Child("a", w, 1), b = t.Child("b", w, 2);
       SetFocus(t.ws, a);
       t.rec.log.clear();
       SetFocus(t.ws, b);
       t.Note(t.FocusName());
     },
     {"a KILLFOCUS", "b SETFOCUS", "focus=b"}},

    {"KillFocusHandlerKeepsTheFocus",
     [](MessageOrderTest& t) {
       Hwnd w = t.Top("w");
       Hwnd a = t.Child("a", w, 1), b = t.Child("b", w, 2);
       SetFocus(t.ws, a);
       t.rec.on["a KILLFOCUS"] = [&t](Hwnd self) {
         t.rec.on.erase("a KILLFOCUS");
         SetFocus(t.ws, self);  // a field that refuses to be left
         return intptr_t(0);
       };
       t.rec.log.clear();
       SetFocus(t.ws, b);
       t.Note(t.FocusName());
     },
     {"a KILLFOCUS", "a SETFOCUS", "focus=a"}},

    {"FocusScrollsTheControlIntoView",
     [](MessageOrderTest& t) {
       Hwnd w = t.Top("w");  // 40x10 cells: a caption and 9 rows of client area
       SetScrollRange(t.ws, w, 1, 0, 20 * 16, true);
       Hwnd low = t.Child("low", w, 1, 0, 15);
       Hwnd high = t.Child("high", w, 2, 0, 1);
       t.rec.log.clear();
       SetFocus(t.ws, low);  // row 15 ends at pixel 256; 144 are shown
       t.Note("pos " + std::to_string(GetScrollPos(t.ws, w, 1)));
       SetFocus(t.ws, high);
       t.Note("pos " + std::to_string(GetScrollPos(t.ws, w, 1)));
     },
     {"w KILLFOCUS", "w VSCROLL 5,112", "low SETFOCUS", "pos 112", "low KILLFOCUS", "w VSCROLL 5,16", "high SETFOCUS",
      "pos 16"}},

    {"NewTopLevelWindowTakesTheFocus",
     [](MessageOrderTest& t) {
       Hwnd w = t.Top("w");
       SetFocus(t.ws, t.Child("a", w, 1));
       t.rec.log.clear();
       t.Top("v");
       t.Note(t.FocusName());
     },
     {"v CREATE", "a KILLFOCUS", "v SETFOCUS", "focus=v"}},

    {"DestroyingAParentDestroysParentFirstThenChildren",
     [](MessageOrderTest& t) {
       Hwnd w = t.Top("w");
       Hwnd p = t.Child("p", w, 1);
       Hwnd c1 = t.Child("c1", p, 2), c2 = t.Child("c2", p, 3);
       SetFocus(t.ws, c1);
       t.rec.log.clear();
       DestroyWindow(t.ws, p);
       t.Note(IsWindow(t.ws, p) || IsWindow(t.ws, c1) || IsWindow(t.ws, c2) ? "alive" : "gone");
       t.Note(t.FocusName());
     },
     {"c1 KILLFOCUS", "p DESTROY", "c1 DESTROY", "c2 DESTROY", "gone", "focus=none"}},

    {"WindowDestroysItselfInsideItsHandler",
     [](MessageOrderTest& t) {
       Hwnd w = t.Top("w");
       Hwnd a = t.Child("a", w, 1);
       t.rec.on["a USER"] = [&t](Hwnd self) {
         DestroyWindow(t.ws, self);
         // The record stays valid until this handler returns; the handle is refused now.
         t.Note(SendMessage(t.ws, self, WM_USER + 1) == 0 && !IsWindow(t.ws, self) ? "refused"
                                                                                    : "reached");
         return intptr_t(7);
       };
       t.rec.log.clear();
       t.Note("result " + std::to_string(SendMessage(t.ws, a, WM_USER)));
       t.Note(IsWindow(t.ws, a) ? "alive" : "gone");
     },
     {"a USER", "a DESTROY", "refused", "result 7", "gone"}},

    {"ChildDestroysItsParentInsideItsHandler",
     [](MessageOrderTest& t) {
       Hwnd w = t.Top("w");
       Hwnd p = t.Child("p", w, 1);
       Hwnd c = t.Child("c", p, 2);
       t.rec.on["c USER"] = [&t, p](Hwnd) {
         DestroyWindow(t.ws, p);
         return intptr_t(0);
       };
       t.rec.on["c DESTROY"] = [&t, w](Hwnd) {
         DestroyWindow(t.ws, w);  // a window further up, from a handler deeper down
         return intptr_t(0);
       };
       t.rec.log.clear();
       SendMessage(t.ws, c, WM_USER);
       t.Note(IsWindow(t.ws, w) ? "top alive" : "top gone");
     },
     {"c USER", "p DESTROY", "c DESTROY", "w KILLFOCUS", "w DESTROY", "top gone"}},

    {"StaleHandleIsRefusedAfterItsSlotIsReused",
     [](MessageOrderTest& t) {
       Hwnd w = t.Top("w");
       Hwnd old = t.Child("old", w, 1);
       DestroyWindow(t.ws, old);
       Hwnd fresh = t.Child("fresh", w, 1);
       t.rec.log.clear();
       t.Note((fresh.v & 0xFFFF) == (old.v & 0xFFFF) && fresh != old ? "slot reused" : "new slot");
       SendMessage(t.ws, old, WM_USER);
       t.Note(PostMessage(t.ws, old, WM_USER) ? "posted" : "post refused");
       t.Note(SetFocus(t.ws, old) || GetFocus(t.ws) == fresh ? "focus taken" : "focus refused");
       t.Note(GetWindowText(t.ws, old).empty() && !DestroyWindow(t.ws, old) ? "text refused" : "text");
       SendMessage(t.ws, fresh, WM_USER);
     },
     {"slot reused", "post refused", "focus refused", "text refused", "fresh USER"}},

    {"PoppingAWindowRemovesThatWindowFromTheStack",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a"), b = t.Top("b"), c = t.Top("c");
       t.rec.log.clear();
       DestroyWindow(t.ws, b);  // not the top one
       std::string order;
       for (Hwnd h : ZOrder(t.ws)) order += t.rec.names[h.v];
       t.Note("order " + order);
       t.Note(t.FocusName());
       DestroyWindow(t.ws, c);
       t.Note(t.FocusName());
       (void)a;
     },
     {"b DESTROY", "order ac", "focus=c", "c KILLFOCUS", "c DESTROY", "a SETFOCUS", "focus=a"}},

    {"ModalWindowDisablesItsOwnerUntilDestroyed",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a");
       Hwnd field = t.Child("f", a, 1);
       SetFocus(t.ws, field);
       t.rec.log.clear();
       Hwnd m = t.Top("m", a, true);
       t.Note(IsWindowEnabled(t.ws, a) ? "owner enabled" : "owner disabled");
       DestroyWindow(t.ws, m);
       t.Note(IsWindowEnabled(t.ws, a) ? "owner enabled" : "owner disabled");
       t.Note(t.FocusName());
     },
     {"m CREATE", "f KILLFOCUS", "a ENABLE", "m SETFOCUS", "owner disabled", "m KILLFOCUS",
      "m DESTROY", "a ENABLE", "f SETFOCUS", "owner enabled", "focus=f"}},

    {"DestroyingAnOwnerDestroysItsModalWindowFirst",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a");
       t.Top("m", a, true);
       t.rec.log.clear();
       DestroyWindow(t.ws, a);
       t.Note(t.ws.zorder.empty() ? "none left" : "left over");
     },
     {"m KILLFOCUS", "m DESTROY", "a ENABLE", "a SETFOCUS", "a KILLFOCUS", "a DESTROY", "none left"}},

    {"FailedModalCreationLeavesTheOwnerEnabled",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a");
       t.rec.on["m CREATE"] = [](Hwnd) { return intptr_t(-1); };
       t.rec.log.clear();
       Hwnd m = t.Top("m", a, true);
       t.Note(m ? "created" : "refused");
       t.Note(IsWindowEnabled(t.ws, a) ? "owner enabled" : "owner disabled");
       t.Note(t.FocusName());
     },
     {"m CREATE", "m DESTROY", "refused", "owner enabled", "focus=a"}},

    {"QuitEndsOnlyTheInnerLoopAndAStrayQuitIsDropped",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a");
       t.rec.on["a USER"] = [&t, a](Hwnd) {
         Hwnd m = t.Top("m", a, true);
         t.rec.on["m CHAR"] = [&t](Hwnd) {
           PostQuit(t.ws, 1);
           PostQuit(t.ws, 2);  // a second quit for the same loop: stray once it ended
           return intptr_t(0);
         };
         t.Note("inner " + std::to_string(t.Run(m)));
         DestroyWindow(t.ws, m);
         return intptr_t(0);
       };
       t.rec.on["a CHAR"] = [&t](Hwnd) {
         PostQuit(t.ws, 0);
         return intptr_t(0);
       };
       PostMessage(t.ws, a, WM_USER);
       t.backend.Add(Script().Type("x").Type("y"));
       t.rec.log.clear();
       t.Note("outer " + std::to_string(t.Run()));
     },
     // The key-up of x arrives after the inner window closed, so its owner gets it.
     {"a USER", "m CREATE", "a KILLFOCUS", "a ENABLE", "m SETFOCUS", "m KEYDOWN X", "m CHAR 120",
      "inner 0", "m KILLFOCUS", "m DESTROY", "a ENABLE", "a SETFOCUS", "a KEYUP X", "a KEYDOWN Y",
      "a CHAR 121", "outer 0"}},

    {"QuitForTheOuterLoopEndsTheInnerLoopToo",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a");
       t.rec.on["a USER"] = [&t, a](Hwnd) {
         PostQuit(t.ws, 5);  // aimed at the outer loop, which runs now
         Hwnd m = t.Top("m", a, true);
         t.Note("inner " + std::to_string(t.Run(m)) + (IsWindow(t.ws, m) ? " m open" : ""));
         DestroyWindow(t.ws, m);
         return intptr_t(0);
       };
       PostMessage(t.ws, a, WM_USER);
       intptr_t code = -1;
       t.rec.log.clear();
       Status st = RunLoop(t.ws, {}, &code);
       t.Note("outer " + std::to_string(st) + " code " + std::to_string(code));
     },
     {"a USER", "m CREATE", "a KILLFOCUS", "a ENABLE", "m SETFOCUS", "inner 0 m open",
      "m KILLFOCUS", "m DESTROY", "a ENABLE", "a SETFOCUS", "outer 0 code 5"}},

    {"DisabledWindowsGetNoInput",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a");
       Hwnd f = t.Child("f", a, 1);
       Hwnd btn = CreateControl(t.ws, a, "BUTTON", "Ok", 0, Rect{0, 32, 64, 16}, 3100);
       EnableWindow(t.ws, btn, false);
       SetFocus(t.ws, f);
       t.rec.log.clear();
       EnableWindow(t.ws, a, false);  // takes the focus away; keys have nowhere to go
       t.Note(SetFocus(t.ws, f) || GetFocus(t.ws) ? "focus given" : "focus refused");
       // A timer still reaches a disabled window (it is not input); it ends the loop.
       SetTimer(t.ws, a, 1, 5);
       t.rec.on["a TIMER"] = [&t](Hwnd self) {
         KillTimer(t.ws, self, 1);
         PostQuit(t.ws, 0);
         return intptr_t(0);
       };
       t.backend.Add(Script().Type("k").Wait(10));
       t.Run();
       EnableWindow(t.ws, a, true);
       t.backend.Add(Script().Click(3100).Type("j"));
       t.rec.on["a KEYUP"] = [&t](Hwnd) {
         PostQuit(t.ws, 0);
         return intptr_t(0);
       };
       t.Run();
       for (const std::string& line : t.ws.transcript) t.Note(line);
     },
     {"f KILLFOCUS", "a ENABLE", "focus refused", "a TIMER 1", "a ENABLE", "a KEYDOWN J",
      "a CHAR 106", "a KEYUP J", "input ignored: click 3100 (disabled)"}},

    {"TimersFireOnTheBackendClock",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a");
       SetTimer(t.ws, a, 9, 350);
       t.backend.Add(Script().Wait(800).Type("q"));
       t.rec.on["a CHAR"] = [&t](Hwnd) {
         PostQuit(t.ws, 0);
         return intptr_t(0);
       };
       t.rec.log.clear();
       t.Run();
       t.Note("at " + std::to_string(t.backend.Now()));
     },
     {"a TIMER 9", "a TIMER 9", "a KEYDOWN Q", "a CHAR 113", "at 800"}},

    {"PeekWithAWindowFilterIncludesItsChildren",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a"), b = t.Top("b");
       Hwnd c = t.Child("c", a, 1);
       PostMessage(t.ws, b, WM_USER);
       PostMessage(t.ws, c, WM_USER + 1);
       PostMessage(t.ws, a, WM_USER + 2);
       t.rec.log.clear();
       Msg m;
       while (PeekMessage(t.ws, &m, a, true)) DispatchMessage(t.ws, m);
       t.Note(t.ws.queue.size() == 1 && t.ws.queue.front().hwnd == b ? "b left" : "queue wrong");
     },
     {"c 0x0401", "a 0x0402", "b left"}},

    {"SubclassChainsToTheSavedProcedure",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("a");
       Hwnd e = CreateControl(t.ws, a, "EDIT", "", WS_TABSTOP, Rect{0, 0, 80, 16}, 2000);
       t.rec.names[e.v] = "e";
       static WndProc saved;  // the test's stand-in for the engine's per-filter saved procedure
       saved = SetWindowProc(t.ws, e, [](WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp,
                                         intptr_t lp) -> intptr_t {
         if (msg == WM_KEYDOWN && wp == VK_RETURN) {
           SendMessage(ws, GetParent(ws, h), WM_USER + 3);  // consumed, as a key filter does
           return 0;
         }
         return CallWindowProc(ws, saved, h, msg, wp, lp);
       });
       SetFocus(t.ws, e);
       t.backend.Add(Script().Type("ab").Key("Enter"));
       t.rec.on["a 0x0403"] = [&t](Hwnd) {
         PostQuit(t.ws, 0);
         return intptr_t(0);
       };
       t.rec.log.clear();
       t.Run();
       t.Note("text " + GetWindowText(t.ws, e));
     },
     {"a COMMAND 2000,768", "a COMMAND 2000,768", "a 0x0403", "text ab"}},

    {"ExhaustedScriptFailsCleanly",
     [](MessageOrderTest& t) {
       Hwnd a = t.Top("Waiting");
       t.Child("f", a, 1);
       t.backend.Add(Script().Type("z"));
       t.rec.log.clear();
       t.Note("status " + std::to_string(t.Run()));
       t.Note(t.ws.failure_report.find("exhausted") != std::string::npos ? "reason" : "no reason");
       t.Note(t.ws.failure_report.find("== Waiting ==") != std::string::npos ? "screen" : "no screen");
       t.Note(t.ws.failure_report.find("#1 Rec \"Waiting\"") != std::string::npos ? "tree" : "no tree");
       t.Note("again " + std::to_string(t.Run()));
     },
     {"Waiting KEYDOWN Z", "Waiting CHAR 122", "Waiting KEYUP Z", "status 129", "reason", "screen",
      "tree", "again 129"}},
};

TEST_P(MessageOrderTest, Case) {
  GetParam().act(*this);
  EXPECT_EQ(rec.log, GetParam().expect);
}

INSTANTIATE_TEST_SUITE_P(Platform, MessageOrderTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orv::platform
