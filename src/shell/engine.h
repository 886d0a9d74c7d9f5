// The engine process from entry to exit code: start parameters, initialisation, opening
// and running the application, shutdown and the exit-code rule.
#ifndef ORVALE_SHELL_ENGINE_H
#define ORVALE_SHELL_ENGINE_H

#include <cstdint>

#include "core/val.h"
#include "shell/state.h"

namespace orv {

// Start parameters of the engine's own application layer.
inline constexpr uint16_t kStartScratchKib = 512;
inline constexpr uint16_t kStartColumns = 80, kStartRows = 24;
inline constexpr Val kStartFont = "Lucida Console"_v;
inline constexpr uint16_t kStartFontHeight = 24, kStartFontWidth = 12, kStartFontWeight = 400;
inline constexpr Val kMainClassName = "ORV13:Orvale"_v;
inline constexpr Val kMainTitle = "Orvale Business Runtime"_v;
// Open flags: 2 opens the application (loads its dictionary).
inline constexpr uint16_t kOpenApplication = 2;

// Initialises the runtime, the variable store, the conventions (settings item 0) and the
// command line (from the arguments after argv[0], behind the program's path), then opens
// the application. A status above 121 is shown in the error box. Any status other than 0
// ends the process with it as exit code.
Status EngineInit(int argc, const char* const* argv, Val class_name, Val title, uint16_t open_flags,
                  AppCallback callback);
// Opens the application: event 1 of the callback, the language ("ES" unless set), the
// trace word, the application's identity and title, the first folders, the diagnostic
// start, then event 2 when the status is 0 or 156.
Status ApplicationOpen(Val class_name, Val title, uint16_t open_flags, AppCallback callback);
// The start menu when none is given: the APSTART option, else the application
// prefix and "MENU", when that name exists with extension PMT or PPN (as given or in the
// definition folders); else empty. Pushed.
Val StartMenuName(Val menu);
// Runs the INPUT file's task commands (with _INHND its open-file number meanwhile) until
// one fails or the file ends; OUTPUT sets _OUTHND to 1. 164 when the INPUT file cannot be
// opened; else the status of the last command.
Status RunBatchInput();
// The batch input, then the RUN option's task command, or the main window with the menu
// `menu` when there is no RUN option. A status of 122 or more is shown in the error box.
// 163 when there is neither a menu nor a RUN option.
Status ApplicationRun(Val menu);
// Calls the callback with event 3, shuts the engine down and gives the exit code: the run
// status (or, when it is 0, the callback's result, else the shutdown's) when it is 128 or
// more, else 0.
int EngineExit(AppCallback callback, Status run_status);
// The whole process: the value main returns.
int ProcessMain(int argc, const char* const* argv);

}  // namespace orv

#endif  // ORVALE_SHELL_ENGINE_H
