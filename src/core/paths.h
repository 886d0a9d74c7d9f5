// Engine paths as texts: their parts, joins, relative paths and file types.
//
// These work on the text alone, with "\" as the separator and an optional drive ("C:");
// nothing here looks at the disk. Results that are new texts are pushed on the scratch
// stack.
#ifndef ORVALE_CORE_PATHS_H
#define ORVALE_CORE_PATHS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// The application file types, type n being field n.
inline constexpr Val kFileTypes = "PPN,PAN,STP,DAT,DAT,PDC,PRX,QXA,PMT,PDF,TXT,PDI,HLP,CFG"_v;
enum : uint16_t {
  kTypeMenu = 1, kTypeScreen = 2, kTypeData = 4, kTypeStructure = 5, kTypeTemplate = 6,
  kTypeProcedure = 7, kTypeAppSelect = 8, kTypeTempMenu = 9, kTypePdf = 10, kTypeText = 11,
  kTypeHelp = 13,
};
// The data-file extensions, 1 none, 2 FD, 3 DIR, 4 NDX, 5 TMP, 6 TXT.
inline constexpr Val kDataFileExts = ",FD,DIR,NDX,TMP,TXT"_v;
// Added to a data-file extension number: the lower-case form.
inline constexpr uint16_t kExtLower = 0x80;

// Path part flags.
enum : int {
  kPartDrive = 1,   // up to and including ":"
  kPartFolder = 2,  // after the drive, up to the last "\" (a root keeps its "\")
  kPartName = 4,    // the name without extension, after a "\" when needed
  kPartExt = 8,     // "." and the extension, when there is a dot
  kPartDir = 3,     // the containing folder
  kPartFile = 12,   // the file name with its extension
};

// The parts of `path` selected by `flags`, in the order drive, folder, name, extension.
// A dot before the last "\" is no extension. The folder of a path rooted at "\" is "\",
// so flags 15 always give the whole path back.
Val PathPart(Val path, int flags);
// folder + "\" + name, every "/" made "\"; no "\" is added when the folder is empty or
// ends with "\", or the name is empty or starts with "\".
Val PathJoin(Val folder, Val name);
// name + "." + ext; no dot when either is empty.
Val PathWithExt(Val name, Val ext);
// `rel` taken from `base`: each leading ".." removes the last component of base (a
// leading "." stops this), then the two are joined and every "\.\" becomes "\".
Val PathResolve(Val base, Val rel);
// The extension of file type n (empty for an unknown type).
Val FileTypeExt(uint16_t n);
// name + "." + the extension of type n.
Val PathTypeName(Val name, uint16_t n);
// The data-file extension n (plus kExtLower for the lower-case form).
Val DataFileExt(uint16_t n);
// Whether a path names a drive or a folder (PathPart flags 3 is not empty).
bool PathHasFolder(Val path);

}  // namespace orv

#endif  // ORVALE_CORE_PATHS_H
