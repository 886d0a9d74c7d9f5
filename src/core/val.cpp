// Value strings that need no scratch stack: packing, views and copies into given memory.
#include "core/val.h"

#include <cstring>

#include "core/status.h"

namespace orv {

Val ValMake(const char* p, size_t n) {
  if (n > kMaxValLen) return ValError(kStringTooLong);
  if (!p) return ValError(static_cast<Status>(n));
  return Val(p, static_cast<uint16_t>(n));
}

Val ValFromCStr(const char* s) {
  if (!s) return ValError(kDataError);
  return ValMake(s, strlen(s));
}

Val ValSub(Val v, int16_t start, uint16_t count) {
  if (!v.ok()) return v;
  int32_t s = start;
  uint32_t c = count;
  if (s < 0) {
    s = v.len + s;
    if (s < 0) s = 0;
    c = v.len - s;
  }
  if (static_cast<uint32_t>(s) >= v.len) return Val(v.ptr + v.len, 0);
  if (s + c > v.len) c = v.len - s;
  return Val(v.ptr + s, static_cast<uint16_t>(c));
}

Status ValPutAt(Val dst, int16_t pos, Val src) {
  if (Status st = ValCheck(dst)) return st;
  if (Status st = ValCheck(src)) return st;
  int32_t p = pos;
  if (p < 0) {
    p = dst.len + p;
    if (p < 0) p = 0;
  }
  if (src.len == 0 || p >= dst.len) return kOk;
  uint32_t n = src.len;
  if (n > static_cast<uint32_t>(dst.len - p)) n = dst.len - p;
  // The destination is writable memory by contract.
  memmove(const_cast<char*>(dst.ptr) + p, src.ptr, n);
  return kOk;
}

Val ValCopyInto(Val src, char* buf, uint16_t used) {
  if (!src.ok()) return src;
  if (size_t(used) + src.len > kMaxValLen) return ValError(kStringTooLong);
  memmove(buf + used, src.ptr, src.len);
  return Val(buf, static_cast<uint16_t>(used + src.len));
}

}  // namespace orv
