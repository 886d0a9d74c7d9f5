// The about box and the diagnostic start.
#ifndef ORVALE_SHELL_ABOUT_H
#define ORVALE_SHELL_ABOUT_H

#include "core/val.h"

namespace orv {

// The engine's identity as the about box shows it.
inline constexpr Val kEngineYear = "2017"_v;
inline constexpr Val kEngineVersion = "2.20"_v;
inline constexpr Val kEngineBuild = "1700"_v;
// The status of a diagnostic stop: the start ends quietly.
inline constexpr Status kDiagnosticStop = 121;

// Shows message "0076" filled with the year, the application title, the version, "0", the
// language code, `text`, the build, the program's path, the default and the data folder,
// in a kind-0 box captioned "0075".
void AboutBox(Val text);
// At the end of opening an application: without the diagnostic bit the status comes back
// unchanged; with it, and without the progress bit, the about box is shown (the text being
// _PRECIS) and the status comes back; with both, a fresh trace log "log.txt" receives the
// line "0,<language code>" and 121 comes back, which ends the start quietly.
Status DiagnosticStart(Status status);

}  // namespace orv

#endif  // ORVALE_SHELL_ABOUT_H
