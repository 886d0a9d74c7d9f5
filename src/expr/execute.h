// The entry points through which the rest of the engine evaluates expressions.
#ifndef ORVALE_EXPR_EXECUTE_H
#define ORVALE_EXPR_EXECUTE_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// 1 (true) or 0 (false), or a status of 122 or more. An empty text is true without being
// evaluated; a number is true when it is not 0; a text result is false.
Status EvalCondition(Val text);
// The fixed-point value; 0 when the evaluation fails or yields a text.
int64_t EvalNumber(Val text);
// The number divided by the scale with rounding; 0 when the evaluation fails or yields a
// text, and also (with 155 recorded) when the value does not fit 16 bits.
int16_t EvalInteger(Val text);
// The result as a text pushed on the scratch stack: a number with _PRECIS decimals, a text
// as it is; an error value carrying the status when the evaluation fails.
Val EvalText(Val text);
// Evaluates and discards the value: returns only statuses of 128 or more, anything else
// becomes 0.
Status Execute(Val text);
// Executes a whole expression file (its lines joined by ';'). A missing or empty file gives
// 164 with the file name as detail when `report_missing` is set, else 0.
Status ExecuteFile(Val name, bool report_missing);
// The ExpEval task: its parameters are a list of expression statements, executed.
Status TaskExpEval(Val params);

}  // namespace orv

#endif  // ORVALE_EXPR_EXECUTE_H
