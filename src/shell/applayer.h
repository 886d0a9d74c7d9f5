// The application layer: the thin layer above the engine that chooses the application and
// takes the first look at every task (the application callback and the task callback).
#ifndef ORVALE_SHELL_APPLAYER_H
#define ORVALE_SHELL_APPLAYER_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// _AUXSTAT bit set once the application's folder is prepared.
inline constexpr int16_t kAuxFolderPrepared = 1024;

// The application callback. Event 1 (opening): unless the TRACE option has the diagnostic
// bit or APNAME is given, the user chooses the application, which is added to the command
// line as /APNAME, its folder is prepared and its dictionary must exist (164 otherwise);
// 122 when the choice is cancelled. Event 2 (opened): generated menus an earlier run left
// behind are deleted and the language variables loaded. Event 3 (exit): nothing.
Status AppCallbackEvent(int event);
// The task callback: MantMain, MantAuto, LnManMain and Report go to the application
// layer's handlers (MantAuto after generating its maintenance screen; Report with more
// than one parameter to the engine's Report), everything else to the engine dispatcher.
Status AppTaskCallback(uint32_t code, Val params);

// Offers the entries of the current folder, after "Nuevo" (which asks for a new name),
// under the caption "0090". The chosen name, empty when cancelled. Pushed.
Val SelectApplication();
// Makes <name>\datas the current folder (creating it, and its sibling data folder, when
// missing), makes the sibling "..\data" the default folder and sets _AUXSTAT 1024.
Status PrepareApplicationFolder(Val name);

}  // namespace orv

#endif  // ORVALE_SHELL_APPLAYER_H
