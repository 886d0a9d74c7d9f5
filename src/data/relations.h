// Relations between files: how one file's record finds its partner in another, and what is
// done to the partner.
//
// A file's relation text (dictionary lines 61 to 90) holds entries bRcKn=expression
// separated by blanks, ":", "&" or "/": relation c of the file leads to file b, searched by
// key n of file b with the value of the expression, evaluated over the file's current
// record with the file as the current file (so NAME{} names its fields). An expression
// ends at the next separator unless it is quoted; surrounding quotes are removed.
#ifndef ORVALE_DATA_RELATIONS_H
#define ORVALE_DATA_RELATIONS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Flags of RelationApply.
enum : int {
  kRelBlank = 0x01,   // not found: a blank record carrying the key value (find flag 0x01)
  kRelNext = 0x02,    // not found: the next greater partner (find flag 0x02); browsing
  kRelCreate = 0x04,  // create the partner when it is missing
  kRelNoUpdate = 0x08,
  kRelDelete = 0x0C,  // both: delete the partner
};

// Outcomes left in _RELRES by RelationApply.
enum : int16_t { kRelResUpdated = 0, kRelResBrowsed = 2, kRelResCreated = 4, kRelResDeleted = 12 };

// The key number (*key; 0 when the entry names none) and the key value (*value, pushed on
// the scratch stack) of relation `relation` from `file` (0: the current file) to `target`.
// The entry "<target>R<relation>K" is found only where an entry starts (at the start of the
// text or after a separator), so relation 1 to file 2 is never taken from an entry of file
// 12. A number is written as the key's first field holds it (right-aligned in its width)
// when that field is numeric. 163 when there is no such entry; the status of a failing
// evaluation.
Status RelationLookup(uint16_t file, uint16_t target, uint16_t relation, int* key, Val* value);

// Follows the relation and acts on the partner record of `target`, which must be open:
// finds it by the key value (an empty value: 0, nothing done); deletes it (kRelDelete),
// or, unless kRelNoUpdate, evaluates `assignments` over it and writes it back when found and
// there are assignments, or creates it from a blank record carrying the key value when it
// is missing and kRelCreate is set. With kRelNext while _SCRSTAT has bit 64 the partner
// after the one found (before it when _LASTKEY is 23) is read instead, and with
// kRelNoUpdate the move goes on while `assignments`, as a condition, is false. While
// _UPSTAT has bit 32 every partner with the key value is updated. _RELRES tells what was
// done (kRelRes...). The partner is found and written in turn with other programs that
// change its file. Returns the status of the last find, move or write: 1 or 2 when the
// partner is missing and not created, 6 for a created partner whose key exists; 163 for a
// relation that is not defined; the status (122 or more) of failing assignments.
Status RelationApply(uint16_t file, uint16_t target, uint16_t relation, int flags,
                     Val assignments);

// Notes, for the relational updates in progress, that the file's current record was
// written (`what`: "inserted", "updated", "deleted"); nothing when none are in progress.
void RelationJournal(uint16_t file, const char* what);

}  // namespace orv

#endif  // ORVALE_DATA_RELATIONS_H
