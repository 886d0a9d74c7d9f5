// Slots 3 to 5: reports, transfers and utilities.
#include "core/file_dialog.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "data/fileset.h"
#include "proc/commands.h"
#include "proc/keywords.h"
#include "proc/run.h"

namespace orv {

Status ReportCommands(uint16_t slot, uint16_t op, const CommandArgs& args) {
  switch (op) {
    case kOpReport:
    case kOpDocPrint:
      if (args.count == 0 || (op == kOpReport && args.Text(1).empty()))
        return ErrReport(kSyntaxError, KeywordName(op), true);
      return CommandNotAvailable(op);
    default:
      return CommandPass(slot, op, args);
  }
}

Status TransferCommands(uint16_t slot, uint16_t op, const CommandArgs& args) {
  switch (op) {
    case kOpConnect:
      return ErrReport(kFeatureRemoved, "ExecRunTrans CONNECT"_v, true);
    case kOpRemote:
      return ErrReport(kFeatureRemoved, "ExecRunTrans REMOTE"_v, true);
    case kOpExport:
    case kOpImport:
      return CommandNotAvailable(op);
    default:
      return CommandPass(slot, op, args);
  }
}

Status UtilityCommands(uint16_t slot, uint16_t op, const CommandArgs& args) {
  switch (op) {
    case kOpFileSelect: {
      // Two or more characters are an open-files list; otherwise the file dialog, whose
      // choice replaces the top of the result stack.
      if (args.Text(1).len >= 2) return FileSetApply(args.Text(1));
      ScratchScope scope;
      Val path = FileTypeDialog(args.Int(1) != 0, uint16_t(args.Int(2)));
      if (Status st = ValCheck(path)) return st;
      if (SlotCount(kResultGroup) == 0) return kOk;
      if (Status st = SlotPop(kResultGroup)) return st;
      return SlotPush(kResultGroup, path);
    }
    case kOpShell:
      return ErrReport(kFeatureRemoved, "ExecRunUtils SHELL"_v, true);
    case kOpFileScan:
    case kOpStatSteps:
      return CommandNotAvailable(op);
    default:
      return CommandPass(slot, op, args);
  }
}

void ProcCommandsInstall() {
  CommandHandlerInstall(0, SystemCommands);
  CommandHandlerInstall(1, DataCommands);
  CommandHandlerInstall(2, ScreenCommands);
  CommandHandlerInstall(3, ReportCommands);
  CommandHandlerInstall(4, TransferCommands);
  CommandHandlerInstall(5, UtilityCommands);
}

}  // namespace orv
