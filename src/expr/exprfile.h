// Reading expression files (settings and assignment files executed as expressions).
#ifndef ORVALE_EXPR_EXPRFILE_H
#define ORVALE_EXPR_EXPRFILE_H

#include "core/val.h"

namespace orv {

// Pushes the whole text of an expression file with every line end replaced by ';'. The
// name's %...% keys are expanded and the file is looked up as named, then in each of the
// definition folders (application settings item 5). 164 when it is found nowhere; the
// statuses of the file layer otherwise. Nothing is pushed on failure.
Status ReadExpressionFile(Val name);

}  // namespace orv

#endif  // ORVALE_EXPR_EXPRFILE_H
