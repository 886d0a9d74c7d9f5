// Files the engine writes for itself: the default menu and generated maintenance screens.
// Their names start with kGeneratedPrefix, so that cleaning up never touches a file of the
// application, whatever its extension.
#ifndef ORVALE_SHELL_GENERATED_H
#define ORVALE_SHELL_GENERATED_H

#include "core/val.h"

namespace orv {

inline constexpr Val kGeneratedPrefix = "ORVGEN_"_v;

// Creates a new empty file kGeneratedPrefix + eight letters + "." + ext in the current
// folder (never replacing one), remembers it for GeneratedFilesDelete and returns its
// name; an error value when it cannot be created.
Val GeneratedFileCreate(Val ext);
// Deletes the files this process generated.
void GeneratedFilesDelete();
// Deletes generated files with this extension that an earlier run left in the current
// folder.
void GeneratedLeftoversDelete(Val ext);

}  // namespace orv

#endif  // ORVALE_SHELL_GENERATED_H
