// The built-in functions that work on data files: FILEFIND, FILEREL, FILELOCATE, KEY$ and
// IER. Each wraps an operation of the data layer; a status of 122 or more stops the
// evaluation (so a relational update that fails never passes for one that did), any other
// comes back as a number.
#include <string>

#include "core/scratch.h"
#include "core/status.h"
#include "data/commands.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/exprbind.h"
#include "data/fields.h"
#include "data/relations.h"
#include "data/state.h"
#include "expr/cursor.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/numtext.h"
#include "expr/state.h"

namespace orv {

namespace {

constexpr uint16_t kMaxArgs = 16;
constexpr uint16_t kFnFileFind = 8, kFnFileRel = 9, kFnFileLocate = 10, kFnKey = 29, kFnIer = 31;

// The arguments of a call, split at ";" and "," and evaluated on demand.
class Args {
 public:
  explicit Args(const ExprCursor& call) : text_(call.content()) {
    count_ = ExprListSplit(text_, spans_, kMaxArgs);
  }
  uint16_t count() const { return count_; }
  // 147 unless the count lies in [lo, hi].
  Status Count(uint16_t lo, uint16_t hi) const {
    return count_ >= lo && count_ <= hi ? kOk : kSyntaxError;
  }
  // Argument i (1-based) as an integer; `def` when it is missing or empty; 128 for a text.
  Status Int(uint16_t i, int16_t def, int16_t* out) const {
    *out = def;
    if (Missing(i)) return kOk;
    ScratchScope scope;
    Status st = EvaluatePrepared(Arg(i));
    if (st == kResultText) return kIncompatibleTypes;
    if (st != kResultNumber) return st;
    return NumberToInteger(NumberOf(ScratchTop()), g_expr.scale, out);
  }
  // Argument i as a text pushed on the scratch stack; `def` when it is missing or empty;
  // 128 for a number.
  Status Text(uint16_t i, Val def, Val* out) const {
    *out = def;
    if (Missing(i)) return kOk;
    Status st = EvaluatePrepared(Arg(i));
    if (st == kResultNumber) return kIncompatibleTypes;
    if (st != kResultText) return st;
    *out = ScratchTop();
    return kOk;
  }
  // Everything written from argument i on, unevaluated (empty when there is none).
  Val From(uint16_t i) const {
    return i <= count_ && i <= kMaxArgs ? ValTail(text_, spans_[i - 1].off) : Val();
  }

 private:
  Val Arg(uint16_t i) const { return Val(text_.ptr + spans_[i - 1].off, spans_[i - 1].len); }
  bool Missing(uint16_t i) const { return i > count_ || i > kMaxArgs || Arg(i).empty(); }
  Val text_;
  Span spans_[kMaxArgs];
  uint16_t count_ = 0;
};

// A status as the call's result: 122 or more stops the evaluation, anything else is the
// number pushed.
Status Result(Status st) {
  if (st >= kCancelled) return st;
  return PushNumber(int64_t(st) * g_expr.scale);
}

// The status of a find (FILEFIND's arguments); the key argument lives on the scratch stack.
Status Find(const Args& a) {
  ScratchScope scope;
  Val key;
  int16_t file, index, flags;
  if (Status st = a.Text(1, Val(), &key)) return st;
  if (Status st = a.Int(2, 0, &file)) return st;
  if (Status st = a.Int(3, 0, &index)) return st;
  if (Status st = a.Int(4, 0, &flags)) return st;
  Status st;
  DataFile* f = DataFileOpened(uint16_t(file), &st);
  if (!f) return st;
  uint16_t n = DataFileNumber(uint16_t(file));
  if (index <= 0) index = int16_t(f->current_key);
  if (flags & 0x08) {
    // The first record of the current key's order that satisfies the text as a condition.
    if ((st = DataFileMove(n, kMoveFirst)) != kFound) return st;
    return DataFileScan(n, kMoveNext, key, Val(), nullptr);
  }
  DataFileSync sync(n, (flags & 0x04) != 0);
  if ((st = sync.status())) return st;
  st = DataFileFind(n, index, key, flags & (kFindBlank | kFindNext));
  if ((flags & 0x04) && (st == kNotFound || st == kEndOfFile) && !key.empty()) {
    if ((st = DataFileStoreKey(n, index, key))) return st;
    st = DataFileInsert(n);
    if (st < kSerious) RelationJournal(n, "inserted");
  }
  return st;
}

Status FileFind(const ExprCursor& call) {
  Args a(call);
  if (Status st = a.Count(1, 4)) return st;
  return Result(Find(a));
}

Status FileRel(const ExprCursor& call) {
  Args a(call);
  if (a.count() < 3) return kSyntaxError;
  int16_t file, target, relation, flags;
  if (Status st = a.Int(1, 0, &file)) return st;
  if (Status st = a.Int(2, 0, &target)) return st;
  if (Status st = a.Int(3, 0, &relation)) return st;
  if (Status st = a.Int(4, 0, &flags)) return st;
  if (file < 0 || file > DictFileCount()) file = 0;
  flags |= kRelBlank;
  int16_t last_key = DataSys(sysvar::kLastKey);
  if (!(flags & 0x10) && last_key != 23 && last_key != 29) flags &= ~kRelNext;
  // A failing assignment stops the caller's evaluation, so that a relational update that
  // did not complete never passes for one that did.
  return Result(RelationApply(uint16_t(file), uint16_t(target), uint16_t(relation), flags & 0x0F,
                              a.From(5)));
}

Status FileLocate(const ExprCursor& call) {
  Args a(call);
  if (Status st = a.Count(0, 2)) return st;
  Status st;
  {
    ScratchScope scope;
    Val move;
    int16_t file;
    if ((st = a.Text(1, "NXT"_v, &move))) return st;
    if ((st = a.Int(2, 0, &file))) return st;
    st = RecordCommand(uint16_t(file), move);
  }
  return Result(st);
}

Status Key(const ExprCursor& call) {
  Args a(call);
  if (Status st = a.Count(0, 4)) return st;
  int16_t file, index, which, fields;
  if (Status st = a.Int(1, 0, &file)) return st;
  if (Status st = a.Int(2, 0, &index)) return st;
  if (Status st = a.Int(3, 1, &which)) return st;
  if (Status st = a.Int(4, 0, &fields)) return st;
  Status st;
  DataFile* f = DataFileOpened(uint16_t(file), &st);
  uint16_t n = DataFileNumber(uint16_t(file));
  if (!f) return ScratchPushCopy(Val());
  if (index <= 0) index = int16_t(f->current_key);
  if (index > DictKeyCount(n)) return ScratchPushCopy(Val());
  ScratchScope scope;
  Val key = DataFileKeyValue(n, index, which == 2 ? kSaved : kCurrent);
  if ((st = ValCheck(key))) return st;
  key = ValHead(key, DictKeyLength(n, index, fields));
  return ValCheck(scope.Return(key));
}

Status Ier(const ExprCursor& call) {
  Args a(call);
  if (Status st = a.Count(0, 1)) return st;
  int16_t file;
  if (Status st = a.Int(1, 0, &file)) return st;
  Status st;
  DataFile* f = DataFileOpened(uint16_t(file), &st);
  return f ? PushNumber(int64_t(f->last_status) * g_expr.scale) : st;
}

}  // namespace

void DataFunctionsInstall() {
  BuiltinInstall(kFnFileFind, {FileFind, nullptr});
  BuiltinInstall(kFnFileRel, {FileRel, nullptr});
  BuiltinInstall(kFnFileLocate, {FileLocate, nullptr});
  BuiltinInstall(kFnKey, {Key, nullptr});
  BuiltinInstall(kFnIer, {Ier, nullptr});
}

}  // namespace orv
