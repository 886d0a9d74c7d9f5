// Fixed-point numbers.
#include "expr/fixed.h"

#include <cstring>

#include "core/block.h"
#include "core/scratch.h"

namespace orv {

bool RoundedDiv(Int128 a, Int128 c, int64_t* q) {
  if (c == 0) {
    *q = 0;
    return true;
  }
  Int128 quot = a / c;
  Int128 rem = a % c;
  Int128 rmag = rem < 0 ? -rem : rem;
  Int128 cmag = c < 0 ? -c : c;
  if (rmag != 0 && 2 * rmag >= cmag) quot += (a < 0) == (c < 0) ? 1 : -1;
  if (!FitsInt64(quot)) return false;
  *q = static_cast<int64_t>(quot);
  return true;
}

Status PushNumber(int64_t v) {
  if (Status st = ScratchAlloc(kNumberLen, kNoFill)) return st;
  memcpy(const_cast<char*>(ScratchTop().ptr), &v, kNumberLen);
  return 0;
}

int64_t NumberOf(Val v) {
  if (!v.ok() || v.len != kNumberLen) return 0;
  int64_t n;
  memcpy(&n, v.ptr, kNumberLen);
  return n;
}

}  // namespace orv
