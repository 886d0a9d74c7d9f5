// Engine paths and host paths.
//
// The engine speaks in the paths its definition files use: backslashes, perhaps a drive
// letter, names in any letter case, bytes in CP1252. HostPath turns such a path into the
// host path that names the file: separators become "/", a leading drive letter and colon
// are dropped, and each component is matched against the entries of its folder, exactly
// first and then ignoring ASCII case. A component that matches nothing keeps the name as
// written (so a new file is created with it), and so do all components after it. Names
// travel to the host in UTF-8. Nothing else in the engine builds host paths.
//
// EnginePath goes the other way, for paths the host hands us (the current folder, the
// executable): "/" becomes "\" and UTF-8 becomes CP1252. An absolute engine path on Linux
// therefore starts with "\".
#ifndef ORVALE_CORE_HOSTPATH_H
#define ORVALE_CORE_HOSTPATH_H

#include <string>
#include <string_view>

#include "core/fs.h"
#include "core/val.h"

namespace orv {

// The host path of an engine path, resolved through `fs`. 163 for an empty path or one
// that holds a NUL byte.
Status HostPathWith(Fs* fs, Val path, std::string* host);
// The same through the engine's current file system.
Status HostPath(Val path, std::string* host);

// An engine path for a host path, pushed on the scratch stack.
Val EnginePath(std::string_view host);
// A host file name (UTF-8, or raw bytes when it is not valid UTF-8) in CP1252.
std::string HostNameToCp1252(std::string_view name);

// Whether two names are equal ignoring ASCII case.
bool NameEqualNoCase(std::string_view a, std::string_view b);
// Orders names ignoring ASCII case, then by their bytes, so every listing is stable.
bool NameLessNoCase(std::string_view a, std::string_view b);

// The folder part of a host path ("." for a bare name, "/" for the root's entries).
std::string HostParent(const std::string& host);

}  // namespace orv

#endif  // ORVALE_CORE_HOSTPATH_H
