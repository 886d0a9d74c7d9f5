// Assignment files: a text of entries NAME=value separated by ';', loaded by executing it as
// an expression file, and updated from a list of names and assignments.
#ifndef ORVALE_EXPR_ASSIGNFILE_H
#define ORVALE_EXPR_ASSIGNFILE_H

#include "core/val.h"

namespace orv {

// Updates the assignment file `file` (its %...% keys expanded; a missing file reads as
// empty) with a comma list of entries, each a name or a name, '=' and an expression:
// the list's entries come first, each written as NAME=value with its expression (or the
// name itself) evaluated to text (quoted for a text name, "0" for an empty value of another
// name); then the file's old entries as they stand, except those whose name was taken
// already (the first of equal names wins). The new text is one line; it replaces the file
// atomically, so a failure (an evaluation, 131 for a short write) leaves the old file as it
// was. Then the file is executed, so the variables take the values written.
Status AssignmentFileUpdate(Val file, Val list);

}  // namespace orv

#endif  // ORVALE_EXPR_ASSIGNFILE_H
