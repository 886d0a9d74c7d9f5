// The binding of the data layer and the expression language.
//
// The data layer works alone with its default hooks (data/state.h); the engine binds it to
// the expression language once both are initialised (and again after DataReset, which puts
// the defaults back): field references NAME{FILE} read and assign fields of the record
// buffers, the data layer reads and writes the system variables of the variable store,
// evaluates its conditions, expressions and relational updates through the evaluator, and
// the built-in functions that work on data files (FILEFIND, FILEREL, FILELOCATE, KEY$,
// IER and the others) reach the data layer through the data link.
#ifndef ORVALE_DATA_EXPRBIND_H
#define ORVALE_DATA_EXPRBIND_H

#include "core/val.h"

namespace orv {

// Installs all of the above. The expression state (ExprInit) must exist.
void DataBindExpression();
// The evaluate hook: the expression's value pushed on the scratch stack as *value (a number
// written with _PRECIS decimals, *numeric set), or a status of 122 or more.
Status DataEvaluate(Val text, Val* value, bool* numeric);
// Binds the expression language's data link to the data layer (data/datalink.cpp).
void DataLinkBind();

}  // namespace orv

#endif  // ORVALE_DATA_EXPRBIND_H
