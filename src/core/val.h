// Value strings: the engine's one text type.
//
// A value is a view (pointer, 16-bit length) onto bytes owned by someone else: the scratch
// stack, a memory block, the text slot store, a constant or another value. Values are passed
// and returned by value. A value whose pointer is null is an *error value*: its length field
// carries a status code, and every operation that receives one hands it on unchanged, so a
// failure surfaces as a status at the first routine that tests it.
//
// The empty value points at a static empty text; it is never null.
#ifndef ORVALE_CORE_VAL_H
#define ORVALE_CORE_VAL_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

using Status = uint16_t;

// "No value" or "not found" where a routine documents it; also the status of a null text.
inline constexpr uint16_t kNone = 0xFFFF;
// The largest length a value can have.
inline constexpr size_t kMaxValLen = 0xFFFF;

inline constexpr char kEmptyText[1] = "";

struct Val {
  const char* ptr = kEmptyText;
  uint16_t len = 0;

  constexpr Val() = default;
  constexpr Val(const char* p, uint16_t n) : ptr(p), len(n) {}

  bool ok() const { return ptr != nullptr; }
  bool empty() const { return len == 0; }
  // The byte at i as an unsigned character; the caller checks i < len.
  uint8_t at(size_t i) const { return static_cast<uint8_t>(ptr[i]); }
  std::string_view sv() const { return ok() ? std::string_view(ptr, len) : std::string_view(); }
  std::string str() const { return std::string(sv()); }
  const char* begin() const { return ptr; }
  const char* end() const { return ptr + (ok() ? len : 0); }
};

// A constant value from a literal: "ABC"_v.
constexpr Val operator""_v(const char* s, size_t n) { return Val(s, static_cast<uint16_t>(n)); }

// Packs a pointer and a length. A length above 65535 is never cut: it gives the error
// value 146 (STRINGTOOLONG). A null pointer gives the error value carrying `n`.
Val ValMake(const char* p, size_t n);
// A view onto a string_view's bytes (146 when too long).
inline Val ValOf(std::string_view s) { return ValMake(s.data() ? s.data() : kEmptyText, s.size()); }
// A NUL-terminated text; null gives the error value 163, longer than 65535 bytes gives 146.
Val ValFromCStr(const char* s);
// The error value carrying `code`.
constexpr Val ValError(Status code) { return Val(nullptr, code); }
// 0 when the value has a pointer; else its carried code, or 0xFFFF when that is 0.
constexpr Status ValCheck(Val v) { return v.ptr ? 0 : (v.len ? v.len : kNone); }
// `a` when it is not empty, else `b`.
inline Val ValOr(Val a, Val b) { return a.len ? a : b; }
// A view of `count` bytes from `start`. A negative start counts from the end of the value;
// the view is clipped to the value. An error value comes back unchanged.
Val ValSub(Val v, int16_t start, uint16_t count);
// The first n bytes (all when shorter), and the bytes from `from` on (empty past the end):
// views for offsets beyond ValSub's signed 16-bit start.
inline Val ValHead(Val v, size_t n) { return v.ok() && n < v.len ? Val(v.ptr, uint16_t(n)) : v; }
inline Val ValTail(Val v, size_t from) {
  if (!v.ok()) return v;
  if (from >= v.len) return Val(v.ptr + v.len, 0);
  return Val(v.ptr + from, uint16_t(v.len - from));
}
// Copies `src` into the bytes of `dst` at `pos` (negative counts from the end), never past
// dst's end. `dst` must lie in writable memory (scratch stack, block or slot store).
Status ValPutAt(Val dst, int16_t pos, Val src);
// Copies `src` to buf + used and returns (buf, used + src.len); the caller guarantees room
// and that the total stays within 65535 bytes (else the error value 146).
Val ValCopyInto(Val src, char* buf, uint16_t used);

// Byte-wise equality of two values (error values are equal only to themselves).
inline bool ValEq(Val a, Val b) {
  return a.ptr && b.ptr ? a.sv() == b.sv() : (a.ptr == b.ptr && a.len == b.len);
}

// The closing partner of a bracket: [ ] ( ) { } < >; any other character closes itself.
constexpr char BracketPartner(char c) {
  switch (c) {
    case '[': return ']';
    case '(': return ')';
    case '{': return '}';
    case '<': return '>';
    default: return c;
  }
}

}  // namespace orv

#endif  // ORVALE_CORE_VAL_H
