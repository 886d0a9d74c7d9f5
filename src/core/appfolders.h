// The application's folders: the executable's, the folders named by kind after the
// application settings, and the search of the definition folders.
#ifndef ORVALE_CORE_APPFOLDERS_H
#define ORVALE_CORE_APPFOLDERS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Items of the application settings (text-slot group 0) that the file layer reads.
enum : uint16_t {
  kSettingCommandLine = 1,
  kSettingAppName = 2,        // name, optionally followed by ":" and a second field
  kSettingDefaultFolder = 5,  // a comma list of definition folders; the first is the default
  kSettingDocsFolder = 6,
  kSettingHelpFolder = 7,
  kSettingDatabase = 11,      // host, database name, user, password
};

// Folder kinds and their keys (APPPATH_RUNPATH is kind 1, and so on).
enum : uint16_t {
  kFolderRun = 1, kFolderDefault, kFolderData, kFolderDocs, kFolderHelp, kFolderBackup,
  kFolderBackRel,
};
inline constexpr Val kFolderKeys =
    "APPPATH_RUNPATH,APPPATH_DEFAULT,APPPATH_DATA,APPPATH_DOCS,APPPATH_HELP,APPPATH_BACKUP,"
    "APPPATH_BACKREL"_v;

// The first two characters of the application name; empty without an application.
Val ApplicationPrefix();

// flags 0: the executable's engine path; 2: its folder. The path comes from
// /proc/self/exe unless g_files.exe_path says otherwise.
Val ExecutablePath(int flags);
// The folder of kind 1 to 7 (empty for any other):
//   1 the executable's folder; 2 the default folder (the first of settings item 5);
//   3 "..\data" resolved against the default folder when the executable's drive letter is
//     "F" or above, else against kind 4 (a Linux path has no drive: kind 4);
//   4 settings item 6, or the current folder; 5 settings item 7, or "Help" in the default
//   folder; 6 "Backups" in settings item 6; 7 the current folder joined with "Backups",
//   the database host and the database name.
Val FolderOfKind(uint16_t kind);
// PathJoin(FolderOfKind(kind), name).
Val FolderFile(Val name, uint16_t kind);
// The first path that exists among `name` itself and folder\name for each folder of the
// comma list, in order; empty when none exists.
Val FindInFolders(Val folders, Val name);
// The entries of a NUL-separated list that are not words of a comma list, as a comma list.
Val ListExcept(Val nul_list, Val comma_list);

}  // namespace orv

#endif  // ORVALE_CORE_APPFOLDERS_H
