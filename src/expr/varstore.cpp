// The variable store: growable arrays, name lists, scalar variables and marks.
#include "expr/varstore.h"

#include <cassert>
#include <cstring>

#include "core/block.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/arrays.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/sysvars.h"

namespace orv {

namespace {

VarStore& Store() { return g_expr.vars; }

// The name list (and slot item) of a kind: 0 integers, 1 numerics, 2 texts, 3 arrays.
int ListOf(VarKind kind) {
  switch (kind) {
    case kKindInt: return 0;
    case kKindNum: return 1;
    case kKindText: return 2;
    case kKindArray: return 3;
    default: return -1;
  }
}

// The growable array holding the values of a kind (texts have none).
int ValuesOf(VarKind kind) {
  switch (kind) {
    case kKindInt: return kIntValues;
    case kKindNum: return kNumValues;
    case kKindArray: return kArrayDescs;
    default: return -1;
  }
}

}  // namespace

Status PushNameValue(VarKind kind, Val v) {
  if (kind == kKindText) return ScratchPushCopy(v);
  int64_t n = 0;
  if (kind == kKindInt) {
    n = int64_t(TextToInt(v)) * g_expr.scale;
  } else if (Status st = TextToNumber(v, g_expr.precis, &n)) {
    return st;
  }
  return PushNumber(n);
}

Status VarStoreCreate() {
  VarStore& s = Store();
  s = VarStore{};
  s.arrays[kIntValues].elem_size = sizeof(int16_t);
  s.arrays[kNumValues].elem_size = sizeof(int64_t);
  s.arrays[kArrayDescs].elem_size = sizeof(ArrayDesc);
  SlotClear(kTextGroup);
  for (uint16_t item = 0; item < 4; ++item)
    if (SlotSet(kNameGroup, item, Val())) return kStructMemError;
  return kOk;
}

void VarStoreDestroy() {
  VarStore& s = Store();
  for (uint16_t i = 0; i < s.arrays[kArrayDescs].count; ++i)
    ArrayFreeData(reinterpret_cast<ArrayDesc*>(VarArrayElem(kArrayDescs, i)));
  for (GrowArray& a : s.arrays)
    if (a.data) BlockFree(kAreaVarStruct, a.data);
  s = VarStore{};
  if (g_rt.slots.block) {
    SlotClear(kTextGroup);
    SlotClear(kNameGroup);
  }
}

Status VarArrayResize(uint16_t array, uint32_t count) {
  assert(array < kVarArrayCount);
  GrowArray& a = Store().arrays[array];
  if (count > 0xFFFF || a.elem_size == 0) return kStructMemError;
  if (count > a.capacity) {
    uint32_t cap = a.capacity ? a.capacity : 8;
    while (cap < count) cap *= 2;
    if (cap > 0xFFFF) cap = 0xFFFF;
    void* p = BlockResize(kAreaVarStruct, a.data, uint32_t(a.count) * a.elem_size,
                          cap * a.elem_size);
    if (!p) return kStructMemError;
    a.data = static_cast<char*>(p);
    a.capacity = static_cast<uint16_t>(cap);
  }
  if (count > a.count)
    memset(a.data + size_t(a.count) * a.elem_size, 0, size_t(count - a.count) * a.elem_size);
  a.count = static_cast<uint16_t>(count);
  return kOk;
}

char* VarArrayElem(uint16_t array, uint16_t i) {
  if (array >= kVarArrayCount) return nullptr;
  GrowArray& a = Store().arrays[array];
  return i < a.count ? a.data + size_t(i) * a.elem_size : nullptr;
}

uint16_t VarArrayCount(uint16_t array) {
  return array < kVarArrayCount ? Store().arrays[array].count : 0;
}

Status VarArraySetElemSize(uint16_t array, uint16_t size) {
  if (array >= kVarArrayCount || size == 0) return kStructMemError;
  GrowArray& a = Store().arrays[array];
  if (a.count || a.data) return kStructMemError;
  a.elem_size = size;
  return kOk;
}

Status VarArrayRemove(uint16_t array, uint16_t i) {
  if (array >= kVarArrayCount) return kStructMemError;
  GrowArray& a = Store().arrays[array];
  if (i >= a.count) return kDataOutBound;
  memmove(a.data + size_t(i) * a.elem_size, a.data + size_t(i + 1) * a.elem_size,
          size_t(a.count - i - 1) * a.elem_size);
  --a.count;
  return kOk;
}

namespace {

// Byte equality, compared in place: names are a few bytes long, shorter than a call costs.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// The place in a list's index where `name` stands, or else the free place where it would go.
// The index is not empty.
size_t IndexPlace(const NameList& l, std::string_view name) {
  assert(!l.index.empty());
  size_t mask = l.index.size() - 1;
  uint64_t h = NameHash{}(name);
  for (size_t i = size_t(h ^ (h >> 32)) & mask;; i = (i + 1) & mask) {
    uint16_t n = l.index[i];
    if (n == kNone || SameName(l.names[n], name)) return i;
  }
}

// Enters the last name of a list in its index, doubling the index first when it would pass
// half full (the names are then entered again in order of creation, as if they had been
// entered into the larger index one by one).
void IndexAdd(NameList& l) {
  size_t count = l.names.size();
  if (count * 2 > l.index.size()) {
    l.index.assign(l.index.empty() ? 64 : l.index.size() * 2, kNone);
    for (size_t n = 0; n + 1 < count; ++n) l.index[IndexPlace(l, l.names[n])] = uint16_t(n);
  }
  l.index[IndexPlace(l, l.names.back())] = uint16_t(count - 1);
}

// VarFind for a name whose kind is known already.
uint16_t FindOfKind(Val name, VarKind kind) {
  int list = ListOf(kind);
  if (list < 0) return kNone;
  const NameList& l = Store().lists[list];
  return l.index.empty() ? kNone : l.index[IndexPlace(l, name.sv())];
}

}  // namespace

uint16_t VarFind(Val name) { return FindOfKind(name, NameKind(name)); }

uint16_t VarCreate(Val name) {
  VarKind kind = NameKind(name);
  int list = ListOf(kind);
  if (list < 0 || name.len == 0) return kNone;
  NameList& l = Store().lists[list];
  if (l.names.size() >= 0xFFFF) return kNone;
  uint16_t number = static_cast<uint16_t>(l.names.size());
  int values = ValuesOf(kind);
  Status st = values >= 0 ? VarArrayResize(uint16_t(values), number + 1u)
                          : SlotSet(kTextGroup, number, Val());
  if (!st) {
    ScratchScope scope;
    st = SlotSet(kNameGroup, uint16_t(list), ValJoin(SlotGet(kNameGroup, uint16_t(list)), ","_v, name));
  }
  if (st) {
    if (values >= 0) VarArrayResize(uint16_t(values), number);
    else SlotTrim(kTextGroup, number);
    return kNone;
  }
  l.names.emplace_back(name.sv());
  IndexAdd(l);
  return number;
}

uint16_t VarCount(VarKind kind) {
  int list = ListOf(kind);
  return list < 0 ? 0 : static_cast<uint16_t>(Store().lists[list].names.size());
}

Val VarName(VarKind kind, uint16_t number) {
  int list = ListOf(kind);
  if (list < 0 || number >= Store().lists[list].names.size()) return Val();
  return ValOf(Store().lists[list].names[number]);
}

Status VarRead(Val name) { return VarRead(name, NameKind(name)); }

Status VarRead(Val name, VarKind kind) {
  assert(kind == NameKind(name));
  if (IsSystemName(name) && kind != kKindArray && kind != kKindNone) {
    if (NameHookFn hook = NameHook()) {
      ScratchScope scope;
      Val v = hook(name, kHookRead);
      if (v.ok()) {
        if (Status st = PushNameValue(kind, v)) return st;
        return ValCheck(scope.Return(ScratchTop()));
      }
      if (ValCheck(v) != kDataError) return ValCheck(v);
    }
  }
  uint16_t number = FindOfKind(name, kind);
  switch (kind) {
    case kKindInt:
      return PushNumber(number == kNone ? 0 : int64_t(IntVarGet(number)) * g_expr.scale);
    case kKindNum:
      return PushNumber(number == kNone ? 0 : NumVarGet(number));
    case kKindText: {
      Val constant;
      if (TextConstant(name, &constant)) return ScratchPushCopy(constant);
      return ScratchPushCopy(number == kNone ? Val() : TextVarGet(number));
    }
    default:
      return kSyntaxError;
  }
}

Status VarAssign(Val name, Val value) { return VarAssign(name, NameKind(name), value); }

Status VarAssign(Val name, VarKind kind, Val value) {
  assert(kind == NameKind(name));
  if (Status st = ValCheck(value)) return st;
  if (IsSystemName(name) && kind != kKindArray && kind != kKindNone) {
    if (NameHookFn hook = NameHook()) {
      ScratchScope scope;
      if (Status st = ScratchPushCopy(value)) return st;
      Status st = ValCheck(hook(name, kHookWrite));
      if (st == kNone) st = kOk;
      if (st != kDataError) return static_cast<Status>(ErrRecord(1, kAreaVarNameAssign, st, st));
    }
  }
  if (kind != kKindInt && kind != kKindNum && kind != kKindText) return kSyntaxError;
  if (kind != kKindText && value.len != kNumberLen) return kIncompatibleTypes;
  uint16_t number = FindOfKind(name, kind);
  if (number == kNone) number = VarCreate(name);
  Status st;
  if (number == kNone) {
    st = kVarNameError;
  } else if (kind == kKindInt) {
    int16_t n;
    st = NumberToInteger(NumberOf(value), g_expr.scale, &n);
    if (!st) st = IntVarSet(number, n);
  } else if (kind == kKindNum) {
    st = NumVarSet(number, NumberOf(value));
  } else {
    st = TextVarSet(number, value);
  }
  return static_cast<Status>(ErrRecord(1, kAreaVarNameAssign, st, st));
}

Status VarAssignInt(Val name, int64_t integer) {
  ScratchScope scope;
  Int128 n = Int128(integer) * g_expr.scale;
  if (!FitsInt64(n)) return kExpCalcError;
  if (Status st = PushNumber(static_cast<int64_t>(n))) return st;
  return VarAssign(name, ScratchTop());
}

int16_t IntVarGet(uint16_t number) {
  const char* p = VarArrayElem(kIntValues, number);
  int16_t v = 0;
  if (p) memcpy(&v, p, sizeof v);
  return v;
}

Status IntVarSet(uint16_t number, int64_t value) {
  char* p = VarArrayElem(kIntValues, number);
  if (!p) return kVarNameError;
  if (value < INT16_MIN || value > INT16_MAX) return kExpCalcError;
  if (number == kSysPrecis) {
    if (value < 0 || value > kMaxPrecis) return kDataOutBound;
    g_expr.precis = static_cast<int>(value);
    g_expr.scale = ScaleOf(g_expr.precis);
  }
  int16_t v = static_cast<int16_t>(value);
  memcpy(p, &v, sizeof v);
  return kOk;
}

int64_t NumVarGet(uint16_t number) {
  const char* p = VarArrayElem(kNumValues, number);
  int64_t v = 0;
  if (p) memcpy(&v, p, sizeof v);
  return v;
}

Status NumVarSet(uint16_t number, int64_t value) {
  char* p = VarArrayElem(kNumValues, number);
  if (!p) return kVarNameError;
  memcpy(p, &value, sizeof value);
  return kOk;
}

Val TextVarGet(uint16_t number) { return SlotGet(kTextGroup, number); }

Status TextVarSet(uint16_t number, Val text) {
  if (number >= VarCount(kKindText)) return kVarNameError;
  return SlotSet(kTextGroup, number, text);
}

VarMark VarMarkSave() {
  VarMark m;
  for (uint16_t k = 0; k < 4; ++k) {
    m.list_len[k] = SlotGet(kNameGroup, k).len;
    m.names[k] = static_cast<uint16_t>(Store().lists[k].names.size());
  }
  m.arrays = VarArrayCount(kArrayDescs);
  m.ints = VarArrayCount(kIntValues);
  m.nums = VarArrayCount(kNumValues);
  m.texts = SlotCount(kTextGroup);
  return m;
}

Status VarMarkRestore(const VarMark& m) {
  Status result = kOk;
  for (uint16_t k = 0; k < 4; ++k) {
    Val list = SlotGet(kNameGroup, k);
    if (list.len < m.list_len[k]) {
      result = kInternal;
    } else if (list.len > m.list_len[k]) {
      SlotSet(kNameGroup, k, ValHead(list, m.list_len[k]));
    }
    NameList& l = Store().lists[k];
    while (l.names.size() > m.names[k]) {
      l.index[IndexPlace(l, l.names.back())] = kNone;
      l.names.pop_back();
    }
  }
  while (VarArrayCount(kArrayDescs) > m.arrays) {
    uint16_t last = VarArrayCount(kArrayDescs) - 1;
    ArrayFreeData(reinterpret_cast<ArrayDesc*>(VarArrayElem(kArrayDescs, last)));
    VarArrayRemove(kArrayDescs, last);
  }
  if (VarArrayCount(kIntValues) > m.ints) VarArrayResize(kIntValues, m.ints);
  if (VarArrayCount(kNumValues) > m.nums) VarArrayResize(kNumValues, m.nums);
  SlotTrim(kTextGroup, m.texts);
  return result;
}

}  // namespace orv
