// Sorted lists: SORT$.
#include "expr/sortlist.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/args.h"
#include "expr/builtins.h"
#include "expr/funcs.h"
#include "expr/state.h"
#include "expr/sysvars.h"

namespace orv {

namespace {

constexpr Val kSortCommands = "NEW,ADD,MOVE,GET,KILL"_v;
enum { kNew = 1, kAdd, kMove, kGet, kKill };
constexpr Val kMoveWords =
    "NEW,TOP,PRV,RLD,NXT,BOT,FND,SVE,INS,DEL,LST,NLS,BLS,IMP,MDE,DDE,PRN,TSL"_v;
constexpr uint16_t kNoPosition = 0xFFFF;
constexpr uint64_t kGenerationMask = (uint64_t(1) << 48) - 1;
// _IER after a move: an entry, or past either end.
constexpr int kMoveOk = 0, kMovePast = 2;

SortTable& Table() { return g_expr.sorts; }

Val HandleText(uint16_t index, uint64_t generation, uint16_t pos) {
  return ValFormat(kSortHandleLen + 1, "SORT%04X%012llX%04X", index,
                   static_cast<unsigned long long>(generation), pos);
}

// Reads a hex field; false when a character is no hex digit.
bool Hex(const char* p, int n, uint64_t* out) {
  uint64_t v = 0;
  for (int i = 0; i < n; ++i) {
    char c = p[i];
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (d < 0) return false;
    v = v * 16 + uint64_t(d);
  }
  *out = v;
  return true;
}

// The list a handle names, with the position it carries. 147 for a text that is not 24
// characters long, 135 for one that names no live list.
Status Resolve(Val handle, uint16_t* index, SortList** list, uint32_t* pos) {
  if (handle.len != kSortHandleLen) return kSyntaxError;
  uint64_t idx, gen, p;
  if (memcmp(handle.ptr, "SORT", 4) != 0 || !Hex(handle.ptr + 4, 4, &idx) ||
      !Hex(handle.ptr + 8, 12, &gen) || !Hex(handle.ptr + 20, 4, &p))
    return kVarHandleError;
  SortTable& t = Table();
  if (idx >= t.lists.size() || !t.lists[idx].live || t.lists[idx].generation != gen)
    return kVarHandleError;
  *index = uint16_t(idx);
  *list = &t.lists[idx];
  *pos = uint32_t(p);
  return kOk;
}

// Compares two entries' keys, as the list orders them (descending lists reversed).
int KeyOrder(const SortList& l, const char* a, const char* b) {
  int c = memcmp(a, b, l.key_len);
  return l.flags & kSortDescending ? -c : c;
}

Status NewList(const CallArgs& a, ScratchScope& scope) {
  int16_t x, y, flags;
  if (Status st = a.Int(2, 0, &x)) return st;
  if (Status st = a.Int(3, x, &y)) return st;
  if (Status st = a.Int(4, 0, &flags)) return st;
  if (x < 0 || y < 0 || std::max(x, y) == 0) return kSyntaxError;
  SortTable& t = Table();
  size_t idx = 0;
  while (idx < t.lists.size() && t.lists[idx].live) ++idx;
  if (idx == kMaxSortLists) return kStructMemError;
  if (idx == t.lists.size()) t.lists.emplace_back();
  SortList& l = t.lists[idx];
  l = SortList{};
  l.live = true;
  l.generation = t.next_generation++ & kGenerationMask;
  l.key_len = uint16_t(std::min(x, y));
  l.entry_len = uint16_t(std::max(x, y));
  l.flags = flags;
  return ReturnText(scope, HandleText(uint16_t(idx), l.generation, kNoPosition));
}

// Inserts an entry (padded to the entry length) in key order: directly after the first
// entry of an equal key, else before the first greater one. 5 when the list refuses equal
// keys and one is present.
Status Insert(SortList& l, Val entry) {
  if (entry.len > l.entry_len) return kDataError;
  uint32_t n = l.count();
  if (n >= kMaxSortEntries || (size_t(n) + 1) * l.entry_len > kMaxSortBytes)
    return kStructMemError;
  std::vector<char> e(l.entry_len, ' ');
  memcpy(e.data(), entry.ptr, entry.len);
  uint32_t lo = 0, hi = n;
  while (lo < hi) {
    uint32_t mid = lo + (hi - lo) / 2;
    if (KeyOrder(l, l.entries.data() + size_t(mid) * l.entry_len, e.data()) < 0) lo = mid + 1;
    else hi = mid;
  }
  if (lo < n && KeyOrder(l, l.entries.data() + size_t(lo) * l.entry_len, e.data()) == 0) {
    if (l.flags & kSortUnique) return 5;
    ++lo;
  }
  l.entries.insert(l.entries.begin() + ptrdiff_t(size_t(lo) * l.entry_len), e.begin(), e.end());
  return kOk;
}

Status Move(SortList& l, uint32_t pos, Val word, uint32_t* out) {
  uint16_t w = ListWordIndex(kMoveWords, word, ',');
  if (w == 0) return kSyntaxError;
  int64_t p = pos == kNoPosition ? -1 : int64_t(pos);
  int64_t n = l.count();
  if (word.sv() == "TOP") p = 0;
  else if (word.sv() == "NXT") p += 1;
  else if (word.sv() == "PRV") p -= 1;
  else if (word.sv() == "BOT") p = n - 1;
  bool inside = p >= 0 && p < n;
  if (!inside) p = n - 1;
  *out = p < 0 ? kNoPosition : uint32_t(p);
  return SysSet(kSysIer, inside ? kMoveOk : kMovePast);
}

// SORT$(text; flags): the items sorted, joined by their separator.
Status SortText(const CallArgs& a, ScratchScope& scope) {
  Val text;
  int16_t flags;
  if (Status st = a.Text(1, Val(), &text)) return st;
  if (Status st = a.Int(2, 0, &flags)) return st;
  char sep = flags & kSortNulItems ? '\0' : ',';
  ValArray items = ListSplit(text, sep);
  if (items.status) return items.status;
  uint16_t width = 0;
  for (uint16_t i = 0; i < items.count; ++i) width = std::max(width, items.items[i].len);
  // Items compare as if padded with blanks to the longest.
  auto cmp = [&](uint16_t x, uint16_t y) {
    Val a1 = items.items[x], b1 = items.items[y];
    for (uint16_t i = 0; i < width; ++i) {
      uint8_t p = i < a1.len ? a1.at(i) : ' ', q = i < b1.len ? b1.at(i) : ' ';
      if (p != q) return flags & kSortDescending ? p > q : p < q;
    }
    return false;
  };
  std::vector<uint16_t> order(items.count);
  for (uint16_t i = 0; i < items.count; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), cmp);
  if (flags & kSortUnique) {
    auto same = [&](uint16_t x, uint16_t y) { return !cmp(x, y) && !cmp(y, x); };
    order.erase(std::unique(order.begin(), order.end(), same), order.end());
  }
  bool trim = flags & kSortTrimItems;
  size_t total = order.empty() ? 0 : order.size() - 1;
  for (uint16_t i : order) total += trim ? TextTrimChars(items.items[i], kTrimEnd, " "_v).len : width;
  if (total > kMaxValLen) return kStringTooLong;
  if (Status st = ScratchAlloc(total, ' ')) return st;
  Val out = ScratchTop();
  char* p = const_cast<char*>(out.ptr);
  for (size_t k = 0; k < order.size(); ++k) {
    if (k) *p++ = sep;
    Val item = items.items[order[k]];
    if (trim) item = TextTrimChars(item, kTrimEnd, " "_v);
    memcpy(p, item.ptr, item.len);
    p += trim ? item.len : width;
  }
  return ReturnText(scope, out);
}

Status SortCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  if (Status st = ArgsLoad(call, 1, 4, kAllArgs, &a)) return st;
  Val first;
  if (Status st = a.Text(1, Val(), &first)) return st;
  uint16_t command = ListWordIndex(kSortCommands, first, ',');
  static constexpr uint16_t kMin[] = {1, 2, 3, 3, 2, 2}, kMax[] = {2, 4, 3, 3, 2, 2};
  if (a.count < kMin[command] || a.count > kMax[command]) return kSyntaxError;
  if (command == 0) return SortText(a, scope);
  if (command == kNew) return NewList(a, scope);
  Val handle;
  if (Status st = a.Text(2, Val(), &handle)) return st;
  uint16_t index;
  SortList* l;
  uint32_t pos;
  if (Status st = Resolve(handle, &index, &l, &pos)) return st;
  switch (command) {
    case kAdd: {
      Val entry;
      if (Status st = a.Text(3, Val(), &entry)) return st;
      Status st = Insert(*l, entry);
      if (st >= kSerious) return st;
      Status ret = ReturnText(scope, HandleText(index, l->generation, uint16_t(pos)));
      return ret ? ret : st;
    }
    case kMove: {
      Val word;
      if (Status st = a.Text(3, Val(), &word)) return st;
      if (Status st = Move(*l, pos, word, &pos)) return st;
      return ReturnText(scope, HandleText(index, l->generation, uint16_t(pos)));
    }
    case kGet:
      if (pos >= l->count()) return ReturnText(scope, Val());
      return ReturnText(scope, Val(l->entries.data() + size_t(pos) * l->entry_len, l->entry_len));
    default:
      *l = SortList{};
      return ReturnText(scope, Val());
  }
}

}  // namespace

void SortFunctionsInstall() { BuiltinInstall(kFnSort, BuiltinEntry{SortCall, nullptr}); }

}  // namespace orv
