// The expression console behind orvale-eval: evaluates expression texts one after another
// with one shared variable store and describes each result in one line.
#ifndef ORVALE_EXPR_CONSOLE_H
#define ORVALE_EXPR_CONSOLE_H

#include <string>
#include <string_view>

#include "core/val.h"

namespace orv {

// Evaluates one expression text, given as typed (UTF-8 when it is valid UTF-8, else
// CP1252), and sets *line to its description without a line end:
//   "N <number>"      a number, with _PRECIS decimals (zero prints as 0);
//   "T <text>"        a text, in UTF-8;
//   "E <code> <name>" a status of 122 or more, with its name from the status table.
// Returns the evaluation's status (0 for a number or a text). Each line starts with a clear
// error record and detail text, so that the error text afterwards explains this line.
Status ConsoleEval(std::string_view typed, std::string* line);

}  // namespace orv

#endif  // ORVALE_EXPR_CONSOLE_H
