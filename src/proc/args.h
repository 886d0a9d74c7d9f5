// Statement texts at run time: bracket expansion, and the arguments of commands and calls.
#ifndef ORVALE_PROC_ARGS_H
#define ORVALE_PROC_ARGS_H

#include <cstdint>

#include "core/list.h"
#include "core/val.h"
#include "proc/chain.h"

namespace orv {

// Expands the brackets of a statement text: every "[expression]" is replaced by the
// expression's value as text (a number with _PRECIS decimals, zero as "0"), trimmed, and the
// scan goes on after the value. Brackets inside quotes are expanded too: this is macro
// substitution of the statement's text, by design. Pushed; an error value with the status
// of a failing evaluation (128 or more), 146 when the text outgrows 65535 bytes.
Val StatementExpand(Val text);

// Splits an argument list at the separators of `seps` that stand outside quotes and
// parentheses. Up to `max` spans are stored; the number of arguments is returned (0 for an
// empty or blank text), which may exceed `max`.
uint16_t ArgsSplit(Val list, Val seps, Span* spans, uint16_t max);

// Evaluates a command's argument list (separated by ","): 147 for more than 16 arguments,
// the status (122 or more) of an argument whose evaluation fails. The text forms are pushed
// on the scratch stack of the caller.
Status CommandArgsLoad(Val list, CommandArgs* args);

}  // namespace orv

#endif  // ORVALE_PROC_ARGS_H
