// Array variables.
#include "expr/arrays.h"

#include <cstring>

#include "core/block.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/state.h"
#include "expr/varstore.h"

namespace orv {

namespace {

// The element kind of an array name: the kind of the name without its last character.
VarKind ElementKind(Val name) { return name.len ? NameKind(ValHead(name, name.len - 1u)) : kKindNone; }

// The number of the element at the subscripts, or a status.
Status ElementNumber(const ArrayDesc& a, const int32_t* subs, int count, uint16_t* number) {
  if (count < 1 || count > a.dims) return kDataOutBound;
  int64_t n = 0, multiplier = 1;
  for (int i = count - 1; i >= 0; --i) {
    if (subs[i] < 0) return kDataOutBound;
    n += int64_t(subs[i]) * multiplier;
    multiplier *= int64_t(a.sizes[i]) + 1;
  }
  if (n >= a.total) return kDataOutBound;
  *number = static_cast<uint16_t>(n);
  return kOk;
}

}  // namespace

ArrayDesc* ArrayFind(Val name) {
  if (NameKind(name) != kKindArray) return nullptr;
  uint16_t number = VarFind(name);
  if (number == kNone) return nullptr;
  return reinterpret_cast<ArrayDesc*>(VarArrayElem(kArrayDescs, number));
}

void ArrayFreeData(ArrayDesc* a) {
  if (a && a->data) BlockFree(kAreaVarStruct, a->data);
  if (a) a->data = nullptr;
}

Status ArrayDim(Val name, const int32_t* sizes, int count, Val model) {
  if (count > kMaxDims) return kDimStructError;
  VarKind kind = ElementKind(name);
  if (NameKind(name) != kKindArray || (kind != kKindInt && kind != kKindNum && kind != kKindText))
    return kIncompatibleTypes;
  uint32_t elem_size = kind == kKindInt ? 2 : kind == kKindNum ? 8 : model.len;
  uint64_t total = 1;
  for (int i = 0; i < count; ++i) {
    if (sizes[i] < 0 || sizes[i] > 0xFFFE) return kDataOutBound;
    total *= uint64_t(sizes[i]) + 1;
    if (total > 0xFFFF) return kDimStructError;
  }
  if (total == 1 || elem_size == 0) return kSyntaxError;
  if (total * elem_size > kMaxArrayBytes) return kDimStructError;

  char* data = static_cast<char*>(BlockAlloc(kAreaVarStruct, uint32_t(total * elem_size), 0));
  if (!data) return kStructMemError;
  if (kind == kKindText)
    for (uint64_t i = 0; i < total; ++i) memcpy(data + i * elem_size, model.ptr, elem_size);
  ArrayDesc* a = ArrayFind(name);
  if (!a) {
    uint16_t number = VarCreate(name);
    a = number == kNone ? nullptr : reinterpret_cast<ArrayDesc*>(VarArrayElem(kArrayDescs, number));
  }
  if (!a) {
    BlockFree(kAreaVarStruct, data);
    return kVarNameError;
  }
  ArrayFreeData(a);
  *a = ArrayDesc{};
  a->kind = kind;
  a->elem_size = static_cast<uint16_t>(elem_size);
  a->dims = static_cast<uint16_t>(count);
  a->total = static_cast<uint16_t>(total);
  for (int i = 0; i < count; ++i) a->sizes[i] = static_cast<uint16_t>(sizes[i]);
  a->data = data;
  return kOk;
}

Status ArrayRead(Val name, const int32_t* subs, int count) {
  ArrayDesc* a = ArrayFind(name);
  if (!a) {
    if (count > kMaxDims) return kDimStructError;
    ScratchScope scope;
    Val model;
    if (ElementKind(name) == kKindText) {
      if (SlotCount(kArgStackGroup) == 0) return kSyntaxError;
      model = ValCopy(SlotLast(kArgStackGroup));
      if (Status st = ValCheck(model)) return st;
      SlotPop(kArgStackGroup);
    }
    if (Status st = ArrayDim(name, subs, count, model)) return st;
    a = ArrayFind(name);
  }
  uint16_t n;
  if (Status st = ElementNumber(*a, subs, count, &n)) return st;
  const char* p = a->data + size_t(n) * a->elem_size;
  if (a->kind == kKindInt) {
    int16_t v;
    memcpy(&v, p, sizeof v);
    return PushNumber(int64_t(v) * g_expr.scale);
  }
  return ScratchPushCopy(Val(p, a->elem_size));
}

Status ArrayWrite(Val name, const int32_t* subs, int count, Val value, bool is_text) {
  ArrayDesc* a = ArrayFind(name);
  if (!a) return kDimStructError;
  if (is_text != (a->kind == kKindText)) return kIncompatibleTypes;
  uint16_t n;
  if (Status st = ElementNumber(*a, subs, count, &n)) return st;
  char* p = a->data + size_t(n) * a->elem_size;
  if (a->kind == kKindText) {
    memcpy(p, value.ptr, value.len < a->elem_size ? value.len : a->elem_size);
  } else if (a->kind == kKindNum) {
    int64_t v = NumberOf(value);
    memcpy(p, &v, sizeof v);
  } else {
    int64_t v = NumberOf(value) / g_expr.scale;
    if (v < INT16_MIN || v > INT16_MAX) return kExpCalcError;
    int16_t i = static_cast<int16_t>(v);
    memcpy(p, &i, sizeof i);
  }
  return kOk;
}

Status ArrayAdd(Val name, const int32_t* subs, int count, int64_t amount) {
  ArrayDesc* a = ArrayFind(name);
  if (!a) return kDimStructError;
  if (a->kind != kKindNum) return kIncompatibleTypes;
  uint16_t n;
  if (Status st = ElementNumber(*a, subs, count, &n)) return st;
  char* p = a->data + size_t(n) * a->elem_size;
  int64_t v;
  memcpy(&v, p, sizeof v);
  if (__builtin_add_overflow(v, amount, &v)) return kExpCalcError;
  memcpy(p, &v, sizeof v);
  return kOk;
}

}  // namespace orv
