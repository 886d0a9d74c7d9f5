// The scratch stack: the one process-wide stack on which every temporary text lives.
//
// A routine takes a mark on entry and, on exit, releases to it (when it returns only a status)
// or returns through ScratchReturn (when it returns a value), so that after any call the stack
// holds, above the caller's own entries, nothing but the value the callee returned.
// ScratchScope is the RAII form of that discipline.
//
// Invariants: entry 0 is the empty value and is never released; every entry starts at a
// multiple of 4 bytes from the data start; entries 1..top lie in increasing address order;
// the free pointer stays strictly below the end of the data area. A push that fails leaves
// the stack exactly as it was.
#ifndef ORVALE_CORE_SCRATCH_H
#define ORVALE_CORE_SCRATCH_H

#include <cstdint>
#include <initializer_list>

#include "core/val.h"

namespace orv {

struct ScratchEntry {
  char* ptr;
  uint16_t len;
};

struct ScratchStack {
  char* data = nullptr;             // memory block of size bytes, area 9
  ScratchEntry* index = nullptr;    // memory block of capacity entries, area 9
  uint16_t capacity = 0;            // number of index entries
  uint16_t top = 0;                 // entry on top; 0 when empty
  uint16_t highest_top = 0;         // statistics: largest top reached
  char* free = nullptr;             // first free byte of the data area
  uint32_t size = 0;                // bytes in the data area
  uint32_t most_used = 0;           // statistics: largest (free - data) reached
};

// align4(0) = 0, else n raised to the next multiple of 4.
constexpr uint32_t Align4(uint32_t n) { return (n + 3u) & ~3u; }

// Creates the stack with n KiB of data and n index entries (part of RuntimeInit).
Status ScratchInit(uint16_t n);
// Frees the stack's blocks (part of RuntimeShutdown).
void ScratchDestroy();

// The current top, to be released to later.
uint16_t ScratchMark();
// Releases every entry above `mark` and returns the new top. 0xFFFF changes nothing.
// Releasing to a mark above the top is a caller error (asserted).
uint16_t ScratchRelease(uint16_t mark);
// Releases to `mark`, then pushes a copy of `v` (which may lie in the released region) and
// returns it; a failing push, or an error `v`, gives the error value.
Val ScratchReturn(uint16_t mark, Val v);
// Moves the listed values so that they lie directly above `mark`, updating each in place.
Status ScratchKeep(uint16_t mark, std::initializer_list<Val*> values);
// 0 when n more entries fit, else 145.
Status ScratchRoom(uint16_t n);
// The free area: pointer at the free byte, length the free bytes minus 4 (at most 65535).
Val ScratchFreeSpace();

// Pushes an area of `len` bytes filled with `fill` (0xFF leaves it undefined).
// 146 when len exceeds 65535, 145 when the stack is full.
Status ScratchAlloc(size_t len, int fill);
// Pushes a copy of `v`; an error value's code is returned.
Status ScratchPushCopy(Val v);
// The entry on top.
Val ScratchTop();

// Value builders: each pushes one entry and returns it, or an error value.
Val ValCopy(Val v);
Val ValConcat(Val a, Val b);
// a + sep + b when both are non-empty, else a + b.
Val ValJoin(Val a, Val sep, Val b);
Val ValRepeat(Val v, uint16_t count);
Val ValChar(char c);
// The bytes followed by a NUL; an error value gives "".
const char* ValToCStr(Val v);
// open + v + BracketPartner(open).
Val ValWrap(Val v, char open);
// printf into a buffer of `max` characters on the scratch stack; the text must leave the
// buffer's last character unused (so at most max - 1 characters come back). A longer text
// gives the error value 146 with area 16 recorded. The format must be a literal: texts from
// files are passed as arguments ("%.*s"), never as the format.
Val ValFormat(uint16_t max, const char* format, ...) __attribute__((format(printf, 2, 3)));

// A mark taken on construction and released on destruction, unless the value was handed
// back with Return (which releases and pushes the returned copy).
class ScratchScope {
 public:
  ScratchScope() : mark_(ScratchMark()) {}
  ~ScratchScope() {
    if (armed_) ScratchRelease(mark_);
  }
  ScratchScope(const ScratchScope&) = delete;
  ScratchScope& operator=(const ScratchScope&) = delete;

  uint16_t mark() const { return mark_; }
  Val Return(Val v) {
    armed_ = false;
    return ScratchReturn(mark_, v);
  }
  Status Keep(std::initializer_list<Val*> values) {
    armed_ = false;
    return ScratchKeep(mark_, values);
  }

 private:
  uint16_t mark_;
  bool armed_ = true;
};

}  // namespace orv

#endif  // ORVALE_CORE_SCRATCH_H
