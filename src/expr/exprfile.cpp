// Reading expression files.
//
// GAP: the files layer (host paths, %...% folder names, the definition folders and whole-file
// reading) is not part of this build yet, so every expression file reads as missing. This is
// the one place to connect it: expand the name, find it in the definition folders, read it
// with its line ends joined by ';' and push the text.
#include "expr/exprfile.h"

#include "core/status.h"

namespace orv {

Status ReadExpressionFile(Val) { return kFileNotFound; }

}  // namespace orv
