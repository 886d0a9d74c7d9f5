// The variable store: one global pool of named variables, created on first assignment.
//
// Four kinds, decided by the name (tokens.h NameKind): integers (16-bit), numerics (64-bit
// fixed point), texts and arrays. For each kind the names are kept in order of creation as a
// comma list in text slot (12, item) (item 0 integers, 1 numerics, 2 texts, 3 arrays); a
// variable's number is its 0-based position there, and the same number indexes its value:
// integers in growable array 7, numerics in array 8, array descriptors in array 6, texts in
// text slot (13, number). An in-memory index of each name list makes lookups constant-time;
// the slot lists stay the store's record of the names.
//
// Names beginning with '_' are offered to the name hook (state.h) first. Reading never
// creates a variable: an unknown integer or numeric reads as 0, an unknown text as empty.
#ifndef ORVALE_EXPR_VARSTORE_H
#define ORVALE_EXPR_VARSTORE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/val.h"
#include "expr/tokens.h"

namespace orv {

inline constexpr uint16_t kVarArrayCount = 24;
inline constexpr uint16_t kArrayDescs = 6;  // array descriptors
inline constexpr uint16_t kIntValues = 7;   // 16-bit integers
inline constexpr uint16_t kNumValues = 8;   // 64-bit fixed-point numbers
inline constexpr uint16_t kNameGroup = 12;  // text slots of the name lists
inline constexpr uint16_t kTextGroup = 13;  // text slots of the text values

// A growable array of fixed-size elements in a memory block of area VarStruct.
struct GrowArray {
  char* data = nullptr;
  uint16_t elem_size = 0;
  uint16_t count = 0;
  uint16_t capacity = 0;
};

// The names of one kind, in order of creation, and their numbers by name: an open-addressed
// table (linear probing, a power of two in size, at most half full) of variable numbers,
// kNone in a free place. Names leave only in the reverse order of their creation, which
// undoes their insertions exactly, so the table needs no deletion marks.
struct NameList {
  std::vector<std::string> names;
  std::vector<uint16_t> index;
};

struct VarStore {
  GrowArray arrays[kVarArrayCount];
  NameList lists[4];  // integers, numerics, texts, arrays
};

// Creates the store with its four empty name lists; 176 when it cannot.
Status VarStoreCreate();
// Frees every array and value.
void VarStoreDestroy();

// Growable arrays of the store (0..23). Growing fills new elements with zeros; 176 when
// memory runs out or the count would pass 65535.
Status VarArrayResize(uint16_t array, uint32_t count);
// Element i, or null beyond the count.
char* VarArrayElem(uint16_t array, uint16_t i);
uint16_t VarArrayCount(uint16_t array);
// Sets the element size of an empty array (other layers keep their records this way).
Status VarArraySetElemSize(uint16_t array, uint16_t size);
// Removes element i; later elements move down.
Status VarArrayRemove(uint16_t array, uint16_t i);

// The number of a variable, kNone when the name is unknown or of no kind.
uint16_t VarFind(Val name);
// Appends a new name to its kind's list: the new number, or kNone when it cannot be stored.
uint16_t VarCreate(Val name);
uint16_t VarCount(VarKind kind);
// The name of variable `number` of a kind (empty when there is none).
Val VarName(VarKind kind, uint16_t number);

// Pushes the value of a scalar variable: an integer as a number (times the scale), a numeric
// as stored, a text as stored. 147 for a name of no scalar kind.
Status VarRead(Val name);
// The same for a name whose kind is known (NameKind(name)), sparing a second scan of it.
Status VarRead(Val name, VarKind kind);
// Pushes a text that a hook gave for a name, converted by the name's kind: for an integer
// name the text read as a decimal integer times the scale, for a numeric name the text as a
// number, for a text name the text itself.
Status PushNameValue(VarKind kind, Val v);
// Assigns a value (an 8-byte number for integer and numeric names, a text for text names),
// creating the variable. The scratch stack is left as it was. 155 when the number does not
// fit an integer, 157 when the variable cannot be created, 147 for a name of no scalar kind;
// statuses of 128 and more are recorded in the area VARNMASSIGN.
Status VarAssign(Val name, Val value);
// The same for a name whose kind is known (NameKind(name)).
Status VarAssign(Val name, VarKind kind, Val value);
// Assigns an integer (converted to a number first).
Status VarAssignInt(Val name, int64_t integer);

// Values by number. Stores of integers are checked: 155 outside 16 bits; _PRECIS only takes
// 0 to 4 (168 otherwise).
int16_t IntVarGet(uint16_t number);
Status IntVarSet(uint16_t number, int64_t value);
int64_t NumVarGet(uint16_t number);
Status NumVarSet(uint16_t number, int64_t value);
Val TextVarGet(uint16_t number);
Status TextVarSet(uint16_t number, Val text);

// A record of the store's extent, to remove every variable created after it.
struct VarMark {
  uint16_t list_len[4] = {};
  uint16_t names[4] = {};
  uint16_t arrays = 0;
  uint16_t ints = 0;
  uint16_t nums = 0;
  uint16_t texts = 0;
};
VarMark VarMarkSave();
// Removes the variables created since the mark (freeing array data). 141 when a name list
// is shorter than when the mark was saved.
Status VarMarkRestore(const VarMark& mark);

}  // namespace orv

#endif  // ORVALE_EXPR_VARSTORE_H
