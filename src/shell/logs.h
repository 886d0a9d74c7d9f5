// Where the engine leaves traces: the trace word and the trace log, the error log with its
// dated banner, and assertions.
#ifndef ORVALE_SHELL_LOGS_H
#define ORVALE_SHELL_LOGS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Bits of the trace word.
enum : uint16_t {
  kTraceErrors = 0x0001,      // error lines; always on
  kTraceProgress = 0x0010,    // transfer progress; with kTraceDiagnostic, the diagnostic stop
  kTraceDiagnostic = 0x0100,  // diagnostic start
};

// The trace word (the system integer _TRACE), and setting it with bit 0 always on.
uint16_t TraceWord();
Status TraceWordSet(int64_t value);

// The trace log's name: text slot (9, 10) when set, else the application prefix followed
// by "log.txt", in the current folder. A view or pushed value.
Val TraceLogName();
// Makes `name` the trace log and deletes the file.
void TraceLogStart(Val name);
// Appends the text and CR LF to the file; 1 when written.
int TraceLineTo(Val file, Val text);
// Writes the text (an error value as "Error #<code>") to the trace log when the low byte of
// `bits` shares a bit with the trace word; otherwise the file is not touched.
void TraceLine(Val text, uint16_t bits);
// Appends a block to the log `file` (empty: the trace log): a banner with today's date, the
// time as HH:MM and the user "0", the text, and a closing line of stars. 164 with the name
// as detail text when the file cannot be opened.
Status ErrorLogAppend(Val text, Val file);
// When `condition` is false: a box "Assertion Fail" with the routine's name, a block in
// "assertions.log", and the process ends at once without shutting down.
void Assert(bool condition, Val routine);

}  // namespace orv

#endif  // ORVALE_SHELL_LOGS_H
