// The command handlers of slots 0 to 5 of the command-handler chain.
//
// What works now: KILL and SYSTEM (slot 0), the data commands of slot 1, WAIT with a number
// (slot 2), FILESELECT with an open-files list or the file dialog (slot 5), and the argument
// checks of ACCEPT, WINOPEN, REPORT and DOCPRINT (147). CONNECT, REMOTE and SHELL give 148
// (FEATUREREMOVED). The commands of the window, device, report, transfer and file-scan
// layers end with 163 and their name as detail until those layers exist.
#ifndef ORVALE_PROC_COMMANDS_H
#define ORVALE_PROC_COMMANDS_H

#include <cstdint>

#include "core/val.h"
#include "proc/chain.h"

namespace orv {

// Slot 0: DEVICE, DLOCATE, DPRINT, ENDDEVICE, KILL, SYSTEM.
Status SystemCommands(uint16_t slot, uint16_t op, const CommandArgs& args);
// Slot 1: LOADSTRUCT, RC_DELETE, RC_INSERT, RC_UPDATE, RC_WRITE, FILESTRUCT.
Status DataCommands(uint16_t slot, uint16_t op, const CommandArgs& args);
// Slot 2: ACCEPT, BOUNDS, COLOR, LOCATE, MESSAGE, PRINT, READ, WAIT, WINMENU, WINOPEN,
// WINCLOSE, WINSELECT, WINPROG.
Status ScreenCommands(uint16_t slot, uint16_t op, const CommandArgs& args);
// Slot 3: REPORT, DOCPRINT.
Status ReportCommands(uint16_t slot, uint16_t op, const CommandArgs& args);
// Slot 4: CONNECT, EXPORT, IMPORT, REMOTE.
Status TransferCommands(uint16_t slot, uint16_t op, const CommandArgs& args);
// Slot 5: FILESELECT, SHELL, FILESCAN, STATSTEPS.
Status UtilityCommands(uint16_t slot, uint16_t op, const CommandArgs& args);

// Fills slots 0 to 5 with the handlers above.
void ProcCommandsInstall();

// SYSTEM's shell: the text runs as `/bin/sh -c text` (in UTF-8), with no input and its
// output discarded, and is waited for. 0 when it exits with 0; 173 (SYSTEMCMDERROR) with the
// exit status as detail otherwise; 164 when no process could be started.
Status RunShellCommand(Val text);

}  // namespace orv

#endif  // ORVALE_PROC_COMMANDS_H
