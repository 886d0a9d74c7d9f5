// The maintenance screen generated for a data file that has no screen of its own (the
// MantAuto task): a layout file listing every field under its name.
#ifndef ORVALE_SHELL_MAINTSCREEN_H
#define ORVALE_SHELL_MAINTSCREEN_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Writes the layout of screen 1 for data file n into a new generated PAN file: a caption
// label "<?>" + the file's name at row 1, then per field a label with the name
// right-aligned to the longest name and ":", and the field itself (file, field, width at
// most 99, type). Returns the parameters "name,1,width,rows,n" of the
// maintenance window: the generated file without extension, the window width (longest
// name + widest field + 9, at most the screen's width, 2 less when the fields do not fit
// the screen's rows), the fields + 2, and n. An error value when there is no dictionary or
// no such file (163), a number does not fit its two columns (168), or the file cannot be
// written.
Val MaintenanceScreenMake(uint16_t file);

}  // namespace orv

#endif  // ORVALE_SHELL_MAINTSCREEN_H
