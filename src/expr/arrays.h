// Array variables: up to four dimensions of integers, numerics or fixed-length texts.
//
// An array's name ends in '(' (A$( holds texts, N( integers, X#( numerics: the element
// kind comes from the name without its last character). A subscript runs from 0 to the size
// given when the array was made, so a dimension of size s holds s + 1 elements; elements are
// numbered in row-major order and only the element number is checked against the total, so
// a subscript beyond its own dimension reaches another element of the array.
#ifndef ORVALE_EXPR_ARRAYS_H
#define ORVALE_EXPR_ARRAYS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

inline constexpr int kMaxDims = 4;
// No array's data may pass this size, whatever its subscripts say.
inline constexpr uint32_t kMaxArrayBytes = 16u << 20;

struct ArrayDesc {
  uint16_t kind = 0;       // element kind: 2, 3 or 6
  uint16_t elem_size = 0;  // 2, 8, or the length of a text element
  uint16_t dims = 0;       // 1 to 4
  uint16_t total = 0;      // number of elements
  uint16_t sizes[kMaxDims] = {};
  char* data = nullptr;    // memory block of area VarStruct
};

// The descriptor of an existing array (name with its '('), null when there is none.
ArrayDesc* ArrayFind(Val name);
// Frees an array's data (its descriptor stays).
void ArrayFreeData(ArrayDesc* a);

// Makes (or remakes) an array with `count` sizes; elements start as 0 or, for texts, as the
// model text, whose length is the element length. 149 for more than 4 sizes, more than 65535
// elements or more than kMaxArrayBytes of data; 128 for an element kind other than integer,
// numeric or text; 147 for a total of one element or an empty model; 168 for a negative
// size; 157 when the name cannot be created; 176 when memory runs out.
Status ArrayDim(Val name, const int32_t* sizes, int count, Val model);

// Pushes an element: an integer as a number (times the scale), a numeric as stored, a text
// with its full fixed length. An array that does not exist yet is made with the subscripts
// as its sizes; a text array takes the top item of the argument stack (text slot group 35)
// as its model and takes it off (147 when that stack is empty). 168 for a negative
// subscript, more subscripts than dimensions, or an element number beyond the array.
Status ArrayRead(Val name, const int32_t* subs, int count);
// Stores into an element: a number into an integer element divided by the scale truncated
// toward zero (155 outside 16 bits), a number into a numeric element as it is, a text over
// the start of a text element (the rest keeps its characters). 149 when the array does not
// exist; 128 when the value's type is not the element's.
Status ArrayWrite(Val name, const int32_t* subs, int count, Val value, bool is_text);
// Adds a number to a numeric element (accumulators). 128 for another element kind; 155 on
// overflow.
Status ArrayAdd(Val name, const int32_t* subs, int count, int64_t amount);

}  // namespace orv

#endif  // ORVALE_EXPR_ARRAYS_H
