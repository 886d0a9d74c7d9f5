// A small composed scene used by the golden frames, the parity test and its probe: a main
// window filling an 80x24 desktop with a menu bar, labelled fields of every edit kind, a
// check box, a combo box, a list box, a grid, a progress bar and buttons.
#ifndef ORVALE_TESTS_PLATFORM_DEMO_SCENE_H
#define ORVALE_TESTS_PLATFORM_DEMO_SCENE_H

#include "platform/system.h"

namespace orv::platform {

// Control ids of the scene.
inline constexpr uint32_t kDemoName = 2000, kDemoPassword = 2001, kDemoAmount = 2002,
                          kDemoCode = 2003, kDemoActive = 2004, kDemoCountry = 3500,
                          kDemoList = 3350, kDemoGrid = 3200, kDemoProgress = 1110,
                          kDemoOk = 3100, kDemoAsk = 3101, kDemoOff = 3102, kDemoStatus = 1480;
// Menu items: About shows a message box, Exit closes the window.
inline constexpr uint32_t kDemoAbout = 1500, kDemoExit = 1501;

// Builds the scene on the desktop of `ws` (which should be 80x24 cells) and focuses the
// name field. Ok puts "Saved: <name>" in the status line; Ask asks a Yes/No question and
// shows the answer there; the check box toggles.
Hwnd BuildDemoScene(WindowSystem& ws);

}  // namespace orv::platform

#endif  // ORVALE_TESTS_PLATFORM_DEMO_SCENE_H
