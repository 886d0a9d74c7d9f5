// Field values of the record buffer: reading, writing with the field's format, key values,
// the compact dates of _COMPAT bit 4, and the routines through which the expression
// language reads and assigns NAME{FILE}.
#ifndef ORVALE_DATA_FIELDS_H
#define ORVALE_DATA_FIELDS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// The default field format: exactly `width` bytes pushed on the scratch stack. Texts are
// left-aligned and padded with blanks or cut; "V" is all blanks; an 8-character date in a
// 6-wide "D" or "F" field loses its century; numbers ("N", "L", "1" to "9") are trimmed and
// right-aligned, and when they are too wide their decimals are rounded away; a number whose
// integer part does not fit is refused with 168, never cut.
Status FieldFit(char type, uint16_t width, Val value, Val* out);

// The raw text of a field of the current (1) or saved (2) record, as a view into the
// buffer. 169 for a file that is not open, 168 for a field out of range.
Val DataFileReadField(uint16_t file, int field, int which);
// The field's value: compact dates (type "F", 6 wide, _COMPAT bit 4) as YYYYMMDD, and a
// "N" field whose text begins with "D" as the number after it exclusive-or 10.
Val DataFileFieldValue(uint16_t file, int field);
// Formats `value` to the field (through the format hook) and places it in the current
// record. 168 when it does not fit.
Status DataFileWriteField(uint16_t file, int field, Val value);
// The key value of the current (1) or saved (2) record, pushed on the scratch stack.
Val DataFileKeyValue(uint16_t file, int key, int which);
// Splits a key value over the fields in which the key's parts begin, by their lengths,
// and writes each field.
Status DataFileStoreKey(uint16_t file, int key, Val value);

// A compact date as stored (YYMMDD, the decade of 2000-2099 as a letter, leading zeros of
// month and day as blanks) read as YYYYMMDD; blanks stay blanks.
Val CompactDateRead(Val stored);
// A date (YYYYMMDD, or YYMMDD with the two-digit-year rule of _BYEAR and _BKYEAR, or
// already compact) as the six stored characters; blanks for an empty value. 168 for a
// date outside 1900-2099 or a text that is no date.
Status CompactDateWrite(Val value, char out[6]);

// The expression language's field hook: NAME{FILE} resolves to the field's type letter (or
// a status of 128 or more), reads as DataFileFieldValue of the current record, and is
// assigned through DataFileWriteField.
uint16_t DataFieldResolve(Val ref);
Val DataFieldRead(Val ref);
Status DataFieldWrite(Val ref, Val text);

}  // namespace orv

#endif  // ORVALE_DATA_FIELDS_H
