// Reading expression files (settings and assignment files executed as expressions).
#ifndef ORVALE_EXPR_EXPRFILE_H
#define ORVALE_EXPR_EXPRFILE_H

#include "core/val.h"

namespace orv {

// Pushes the whole text of an expression file, each line end replaced by ';'. The name may
// hold %...% folder names and is looked up in the definition folders. 164 when the file is
// missing (the caller reports it).
Status ReadExpressionFile(Val name);

}  // namespace orv

#endif  // ORVALE_EXPR_EXPRFILE_H
