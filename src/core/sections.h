// Numbered-line files: parameter files, menus, screens, help and saved transfers hold
// sections, each line carrying its section number in fixed columns. The line kind fixes
// the columns (0-based):
//
//   kind                  number field   text kept
//   0, 5 and above 6      none (0)       the whole line
//   1                     0-1            from column 3 (column 2 is a separator)
//   2                     1-2            from column 3, without the last character
//   3                     0-3            from column 5
//   4                     0-1            from column 2
//   6                     0-4            the whole line
//
// Blanks in a number field count as "0". Lines travel through the file-line queue (text
// slot group 37): SectionRead appends a section's lines to it, SectionLinesQueue and
// SectionWrite put lines into a file from it.
#ifndef ORVALE_CORE_SECTIONS_H
#define ORVALE_CORE_SECTIONS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// The section number of a line of the given kind.
int32_t SectionNumber(Val line, int kind);
// The part of a line that SectionRead keeps.
Val SectionText(Val line, int kind);
// The prefix that puts a line into a section: kind 0 none; 1 the number right-aligned in
// two columns and a blank; 2 a double quote and the number in two columns; 3 the number
// in four columns and a blank; 4 the number in two columns; any other the number.
Val SectionPrefix(int kind, int32_t section);

// Appends the kept text of every line of `section` to the file-line queue. A name that
// cannot be opened as it stands and has no folder is searched in the definition folders
// (settings item 5). The number of lines appended, or 0xFFFF when the file cannot be
// opened, no line matched, a line could not be read or the queue refused one; after a
// failure the queue holds nothing of this call.
uint16_t SectionRead(Val name, int kind, int32_t section);
// Splits `text` at ":" (outside quotes) and queues each part, unquoted, behind the
// section's prefix (kind 2 lines also get their closing double quote).
Status SectionLinesQueue(int kind, Val text, int32_t section);
// Replaces the section in the file by the queued lines, which it takes off the queue:
// every other line is kept and ends in CR LF; the new lines stand where the section's
// lines stood or, when the file had none, before the first line of a greater section, or
// at the end. The file is rewritten through a new file renamed over it, so a failure
// leaves it as it was. 0 or the status of the failure; the queue is emptied either way.
Status SectionWrite(Val name, int kind, int32_t section);

}  // namespace orv

#endif  // ORVALE_CORE_SECTIONS_H
