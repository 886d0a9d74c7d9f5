// Temporary file names. Every temporary file is created with exclusive creation, so no
// existing file is ever overwritten or deleted to make room for one: a name that is
// taken is simply replaced by a fresh one.
#ifndef ORVALE_CORE_TEMPFILES_H
#define ORVALE_CORE_TEMPFILES_H

#include <string>
#include <string_view>

#include "core/fs.h"
#include "core/val.h"

namespace orv {

// Fresh names tried before giving up with 165.
inline constexpr int kTempTries = 64;

// A fresh name of eight upper-case letters and digits, without folder or extension.
Val TempName();
// Creates a new empty file named TempName() + "." + ext in the current folder and returns
// its name; an error value when it cannot be created.
Val TempFile(Val ext);
// The same in the folder of the TEMP environment name (EnvValue), returned with its folder.
Val TempPath(Val ext);
// Creates a new empty file in `folder` (an engine path; empty: the current folder) and
// returns its engine path.
Val TempCreate(Val folder, Val ext);

// Creates and opens (read and write) a new file in the host folder `dir` named
// prefix + a fresh name + suffix; *host receives its path.
Status CreateUniqueHost(const std::string& dir, std::string_view prefix,
                        std::string_view suffix, std::string* host, FsFile* file);

}  // namespace orv

#endif  // ORVALE_CORE_TEMPFILES_H
