// Slot 0: files and programs (KILL, SYSTEM); the device commands wait for the device layer.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "core/cp1252.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/wholefile.h"
#include "expr/sysvars.h"
#include "proc/commands.h"
#include "proc/keywords.h"

extern char** environ;

namespace orv {

Status RunShellCommand(Val text) {
  std::string command = Cp1252ToUtf8(text.sv());
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
  pid_t pid = 0;
  int err = posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (err) return ErrReport(kFileNotFound, "/bin/sh"_v, true);
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0)
    if (errno != EINTR) return ErrReport(kSystemCmdError, "SYSTEM: lost the command"_v, true);
  if (WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0) return kOk;
  ScratchScope scope;
  Val detail = WIFEXITED(wstatus) ? ValFormat(64, "SYSTEM: exit status %d", WEXITSTATUS(wstatus))
                                  : ValFormat(64, "SYSTEM: ended by signal %d", WTERMSIG(wstatus));
  return ErrReport(kSystemCmdError, detail, true);
}

Status SystemCommands(uint16_t slot, uint16_t op, const CommandArgs& args) {
  ScratchScope scope;
  switch (op) {
    case kOpDevice:
    case kOpDLocate:
    case kOpDPrint:
    case kOpEndDevice:
      return CommandNotAvailable(op);
    case kOpKill: {
      Val name = ExpandPathKeys(args.Text(1));
      Status st = ValCheck(name);
      if (!st) st = FileDelete(name);
      return SysSet(kSysStat, st);
    }
    case kOpSystem: {
      // A number other than 0 first names a viewer program: the external-program layer's.
      if (!args.IsText(1) && args.Int(1) != 0) return CommandNotAvailable(op);
      Val command = ExpandPathKeys(args.Text(1));
      Status st = ValCheck(command);
      if (!st) st = RunShellCommand(command);
      return SysSet(kSysStat, st);
    }
    default:
      return CommandPass(slot, op, args);
  }
}

}  // namespace orv
