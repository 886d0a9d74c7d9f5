// Conversions of a field value between its stored form, the form a person sees and types,
// and the width of the field.
//
// Field types as far as formatting goes: A, B, C, P texts (B and C keep only digits and
// blanks, C fills blanks with zeros); D, F dates stored YYYYMMDD (YYMMDD in a 6-wide
// field); L logical, one character of " 01"; N an integer, 1 to 9 a number with that many
// decimals, stored right-aligned with '.'; V a field of blanks.
#ifndef ORVALE_EXPR_FIELDCONV_H
#define ORVALE_EXPR_FIELDCONV_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// A width that asks for no fitting (DisplayToField).
inline constexpr uint16_t kNoFit = 0xFFFF;

// The stored text of a field as shown in `width` characters: a date of width 8 in style 1
// and of width 10 in style 2 (other widths, and an empty F, blanks); a logical as the
// language's word for blank, false or true; a number through its default mask with the
// language's separators; anything else fitted. Pushed.
Val FieldToDisplay(char type, Val stored, uint16_t width);
// A typed text in its stored form: B and C digits and blanks (C with zeros for blanks once
// anything is left), dates through TextToDate, a logical by the language's typed
// characters, a number cleaned and put through its default mask; then fitted to the width
// unless it is kNoFit. The error value 168 when a number does not fit. Pushed.
Val DisplayToField(char type, Val typed, uint16_t width);
// A text fitted to a field: V blanks; texts padded or cut; an 8-character date in a 6-wide
// D or F field loses its century; a number trimmed and right-aligned, its decimals rounded
// away when it is too wide, and the error value 168 when its integer part does not fit.
// Pushed.
Val FitToWidth(char type, Val text, uint16_t width);

}  // namespace orv

#endif  // ORVALE_EXPR_FIELDCONV_H
