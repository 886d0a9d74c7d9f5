// The scratch stack and the values built on it.
#include "core/scratch.h"

#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/block.h"
#include "core/runtime.h"
#include "core/status.h"

namespace orv {

namespace {

ScratchStack& S() { return g_rt.scratch; }

// Reserves `len` bytes in a new entry, or fails with 145 leaving the stack untouched.
Status Push(size_t len, char** out) {
  ScratchStack& s = S();
  assert(s.data && "runtime not initialised");
  if (len > kMaxValLen) return kStringTooLong;
  size_t used = static_cast<size_t>(s.free - s.data);
  size_t next = used + Align4(static_cast<uint32_t>(len));
  if (next >= s.size || s.top + 1u >= s.capacity) return kOutOfMemory;
  char* p = s.free;
  s.free = s.data + next;
  ++s.top;
  s.index[s.top] = ScratchEntry{p, static_cast<uint16_t>(len)};
  if (next > s.most_used) s.most_used = static_cast<uint32_t>(next);
  if (s.top > s.highest_top) s.highest_top = s.top;
  *out = p;
  return kOk;
}

}  // namespace

Status ScratchInit(uint16_t n) {
  assert(n >= 2);
  ScratchStack& s = S();
  uint32_t size = uint32_t(n) * 1024u;
  s.data = static_cast<char*>(BlockAlloc(kAreaExecRunTime, size, kNoFill));
  s.index = static_cast<ScratchEntry*>(
      BlockAlloc(kAreaExecRunTime, uint32_t(n) * sizeof(ScratchEntry), kNoFill));
  if (!s.data || !s.index) {
    ScratchDestroy();
    return kOutOfMemory;
  }
  s.capacity = n;
  s.size = size;
  s.top = 0;
  s.highest_top = 0;
  s.most_used = 0;
  s.free = s.data;
  s.index[0] = ScratchEntry{s.data, 0};
  return kOk;
}

void ScratchDestroy() {
  ScratchStack& s = S();
  if (s.index) BlockFree(kAreaExecRunTime, s.index);
  if (s.data) BlockFree(kAreaExecRunTime, s.data);
  s = ScratchStack{};
}

uint16_t ScratchMark() { return S().top; }

uint16_t ScratchRelease(uint16_t mark) {
  ScratchStack& s = S();
  if (mark == kNone) return s.top;
  assert(mark <= s.top && "release to a mark above the top");
  if (mark > s.top) return s.top;
  const ScratchEntry& e = s.index[mark];
  s.free = e.ptr + Align4(e.len);
  s.top = mark;
  return mark;
}

Val ScratchReturn(uint16_t mark, Val v) {
  ScratchRelease(mark);
  if (!v.ok()) return v;
  char* p;
  if (Status st = Push(v.len, &p)) return ValError(st);
  // The source may lie in the region just released, above the destination: copy forward.
  memmove(p, v.ptr, v.len);
  return Val(p, v.len);
}

Status ScratchKeep(uint16_t mark, std::initializer_list<Val*> values) {
  for (int pass = 0; pass < 2; ++pass) {
    uint16_t t = S().top;
    for (Val* v : values) {
      if (Status st = ScratchPushCopy(*v)) return st;
      *v = ScratchTop();
    }
    if (pass == 1 || mark >= t) break;
    // The copies now lie above t; release to the mark and copy them down once more.
    ScratchRelease(mark);
  }
  return kOk;
}

Status ScratchRoom(uint16_t n) {
  const ScratchStack& s = S();
  return uint32_t(s.top) + n >= s.capacity ? kOutOfMemory : kOk;
}

Val ScratchFreeSpace() {
  const ScratchStack& s = S();
  size_t left = s.size - static_cast<size_t>(s.free - s.data);
  size_t n = left > 4 ? left - 4 : 0;
  if (n > kMaxValLen) n = kMaxValLen;
  return Val(s.free, static_cast<uint16_t>(n));
}

Status ScratchAlloc(size_t len, int fill) {
  char* p;
  if (Status st = Push(len, &p)) return st;
  if (fill != kNoFill) memset(p, fill, len);
  return kOk;
}

Status ScratchPushCopy(Val v) {
  if (Status st = ValCheck(v)) return st;
  char* p;
  if (Status st = Push(v.len, &p)) return st;
  memmove(p, v.ptr, v.len);
  return kOk;
}

Val ScratchTop() {
  const ScratchEntry& e = S().index[S().top];
  return Val(e.ptr, e.len);
}

Val ValCopy(Val v) {
  if (Status st = ScratchPushCopy(v)) return ValError(st);
  return ScratchTop();
}

Val ValConcat(Val a, Val b) {
  if (!a.ok()) return a;
  if (!b.ok()) return b;
  char* p;
  if (Status st = Push(size_t(a.len) + b.len, &p)) return ValError(st);
  memmove(p, a.ptr, a.len);
  memmove(p + a.len, b.ptr, b.len);
  return ScratchTop();
}

Val ValJoin(Val a, Val sep, Val b) {
  if (!a.ok()) return a;
  if (!sep.ok()) return sep;
  if (!b.ok()) return b;
  if (!a.len || !b.len) sep = Val();
  char* p;
  if (Status st = Push(size_t(a.len) + sep.len + b.len, &p)) return ValError(st);
  memmove(p, a.ptr, a.len);
  memmove(p + a.len, sep.ptr, sep.len);
  memmove(p + a.len + sep.len, b.ptr, b.len);
  return ScratchTop();
}

Val ValRepeat(Val v, uint16_t count) {
  if (!v.ok()) return v;
  char* p;
  if (Status st = Push(size_t(v.len) * count, &p)) return ValError(st);
  for (uint16_t i = 0; i < count; ++i) memmove(p + size_t(i) * v.len, v.ptr, v.len);
  return ScratchTop();
}

Val ValChar(char c) { return ValCopy(Val(&c, 1)); }

const char* ValToCStr(Val v) {
  if (!v.ok()) return kEmptyText;
  char* p;
  if (Push(size_t(v.len) + 1, &p)) return kEmptyText;
  memmove(p, v.ptr, v.len);
  p[v.len] = '\0';
  return p;
}

Val ValWrap(Val v, char open) {
  if (!v.ok()) return v;
  char* p;
  if (Status st = Push(size_t(v.len) + 2, &p)) return ValError(st);
  p[0] = open;
  memmove(p + 1, v.ptr, v.len);
  p[v.len + 1] = BracketPartner(open);
  return ScratchTop();
}

Val ValFormat(uint16_t max, const char* format, ...) {
  uint16_t mark = ScratchMark();
  if (Status st = ScratchAlloc(size_t(max) + 1, 0)) return ErrValue(1, kAreaFormatStrings, st, Val());
  char* buf = const_cast<char*>(ScratchTop().ptr);
  va_list ap;
  va_start(ap, format);
  int n = vsnprintf(buf, size_t(max) + 1, format, ap);
  va_end(ap);
  if (n < 0) {
    ScratchRelease(mark);
    return ErrValue(1, kAreaFormatStrings, kFormatFailure, Val());
  }
  if (n >= max) {  // the last byte of the buffer must stay NUL
    ScratchRelease(mark);
    return ErrValue(1, kAreaFormatStrings, kStringTooLong, Val());
  }
  return ScratchReturn(mark, Val(buf, static_cast<uint16_t>(n)));
}

}  // namespace orv
