// Edit masks: numeric masks (# and 0 places, ',' and '.'), text masks (\ and ? places), the
// default mask of a field type, the expanded forms of masks, and the cleaning of typed
// numbers.
//
// A mask is applied by copying it and filling its places from the value, so the result is
// always exactly as long as the mask. A numeric value that does not fit its mask, even
// after the thousands separators and then decimal places were given up to integer digits,
// fills the whole mask with '*': a mask never drops digits or the sign silently.
#ifndef ORVALE_EXPR_MASKS_H
#define ORVALE_EXPR_MASKS_H

#include <cstdint>

#include "core/val.h"
#include "expr/descriptor.h"

namespace orv {

// Apply-mask modes: 1 forces the numeric mask with the built-in descriptor, 0 forbids it,
// any other mode picks it when the value looks numeric, with the language's descriptor.
enum : int { kMaskNoNumeric = 0, kMaskNumericBuiltin = 1, kMaskAuto = 255 };

// A typed number reduced to its digits, sign, '.' and 'D' (at most 20 characters): the
// trimmed text is read from the left while its characters are in the descriptor's number
// characters or are '.'; a '-' after the first character ends it; a leading '0' is dropped
// unless it is the last character or the decimal character follows; the decimal character
// is written '.'. Pushed.
Val CleanNumber(Val text, const FormatDescriptor& dsc);

// The value through the mask in a mode (see above). Pushed.
Val ApplyMask(Val mask, Val value, int mode);
// The numeric mask with a descriptor; *fits (when given) tells whether the value fitted
// (otherwise the result is all '*'). Pushed.
Val NumericMask(Val mask, Val value, const FormatDescriptor& dsc, bool* fits = nullptr);
// The text mask: each '\' takes the next character of the value; each '?' the next one as
// well when the mask's first place is '\', else the character at its own position; missing
// characters are blanks. A blank run between two '\' counts as places. Pushed.
Val TextMask(Val mask, Val value);

// The default mask of a field type and width: '#' places for N and 1 to 9, '\' places for
// the others; a type 1 to 9 with n decimals has the decimal character at width - n - 1
// when n + 1 < width. Pushed.
Val DefaultMask(char type, uint16_t width, char decimal = '.');
// A type-and-width mask (N8, A30, 210) becomes the default mask of that type and width;
// a mask holding ",." after its first character is rewritten by the decimal shorthand
// (##########,.2 becomes ##,###,###.##; the count after ",." is looked up in the mask
// parameters, settings item 10, when they are set). Other masks come back unchanged.
// Pushed.
Val ExpandMask(Val mask);

}  // namespace orv

#endif  // ORVALE_EXPR_MASKS_H
