// Functions over data files and open files: FN#FLEN, FILEFIND, FILEREL, FILELOCATE,
// FILESEL, FN$FLDS, KEY$ and IER. The data files are reached through the data link.
#include "core/files.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "core/wholefile.h"
#include "expr/args.h"
#include "expr/builtins.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/funcs.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/sysvars.h"
#include "expr/tokens.h"
#include "expr/varstore.h"

namespace orv {

namespace {

// FILEFIND flags beyond those of the find itself.
constexpr int16_t kFindFlags = 0x03, kFindInsert = 0x04, kFindFirstMatch = 0x08;
// Move flags: the first record, the next one.
constexpr int kMoveFirst = 0x24, kMoveNext = 0x10;
// FILEREL flags: the partner is always followed; 0x02 (next greater) only with 0x10 or
// after PgUp or PgDn.
constexpr int16_t kRelFollow = 0x01, kRelNextGreater = 0x02, kRelKeepNext = 0x10;
constexpr int16_t kKeyPgUp = 23, kKeyPgDn = 29;

const DataLink& Link() { return g_expr.data; }

Status FileLengthCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val name;
  if (Status st = ArgsLoad(call, 1, 1, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &name)) return st;
  if (uint16_t file = Link().file_number(name)) {
    uint32_t count = 0;
    if (Status st = Link().count(file, &count)) return st;
    return ReturnInteger(scope, count);
  }
  Val path = ExpandPathKeys(name);
  if (Status st = ValCheck(path)) return st;
  uint64_t size = FileSizeByName(path);
  return ReturnInteger(scope, int64_t(size));
}

Status FileFindCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val key;
  int16_t file, index, flags;
  if (Status st = ArgsLoad(call, 1, 4, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, Val(), &key)) return st;
  if (Status st = a.Int(2, 0, &file)) return st;
  if (Status st = a.Int(3, 0, &index)) return st;
  if (Status st = a.Int(4, 0, &flags)) return st;
  const DataLink& l = Link();
  Status st;
  if (flags & kFindFirstMatch) {
    st = l.move(uint16_t(file), kMoveFirst);
    if (st == kOk) st = l.scan(uint16_t(file), kMoveNext, key, Val());
  } else {
    st = l.find(uint16_t(file), uint16_t(index), key, flags & kFindFlags);
    // Not found, whether or not a greater key follows: store the key and insert.
    if ((flags & kFindInsert) && (st == 1 || st == 2) && TextTrim(key, kTrimBoth).len) {
      st = l.store_key(uint16_t(file), uint16_t(index), key);
      if (st == kOk) st = l.insert(uint16_t(file));
    }
  }
  if (st >= kSerious) return st;
  return ReturnInteger(scope, st);
}

Status FileRelCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  int16_t file, target, relation, flags;
  if (Status st = ArgsLoad(call, 3, kMaxArgs, 4, &a)) return st;
  if (Status st = a.Int(1, 0, &file)) return st;
  if (Status st = a.Int(2, 0, &target)) return st;
  if (Status st = a.Int(3, 0, &relation)) return st;
  if (Status st = a.Int(4, 0, &flags)) return st;
  flags |= kRelFollow;
  int16_t key = SysGet(kSysLastKey);
  if (!(flags & kRelKeepNext) && key != kKeyPgUp && key != kKeyPgDn) flags &= ~kRelNextGreater;
  Status st = Link().relation(uint16_t(file), uint16_t(target), uint16_t(relation), flags,
                              a.SourceFrom(5));
  // A failing assignment stops the caller's evaluation, so that a relational update that
  // did not complete never passes for one that did.
  if (st >= kCancelled) return st;
  return ReturnInteger(scope, st);
}

Status FileLocateCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  Val move;
  int16_t file;
  if (Status st = ArgsLoad(call, 0, 2, kAllArgs, &a)) return st;
  if (Status st = a.Text(1, "NXT"_v, &move)) return st;
  if (Status st = a.Int(2, 0, &file)) return st;
  return ReturnInteger(scope, Link().command(uint16_t(file), move));
}

Status FileSelCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  if (Status st = ArgsLoad(call, 1, 2, kAllArgs, &a)) return st;
  uint16_t result;
  if (!a.Has(2)) {
    if (a.IsText(1)) {
      result = Link().file_set(a.values[0]);
    } else {
      int16_t n;
      if (Status st = a.Int(1, 0, &n)) return st;
      result = n < 0 ? kBadFileNumber : FileClose(uint16_t(n));
    }
  } else {
    Val name;
    int16_t flags;
    if (Status st = a.Text(1, Val(), &name)) return st;
    if (Status st = a.Int(2, 0, &flags)) return st;
    result = FileOpen(name, uint16_t(flags) | kOpenQuiet);
  }
  if (result > 121) return result;
  return ReturnInteger(scope, result);
}

// The value of a variable as stored, without the name hook; false when there is none.
bool StoredVariable(Val name, int64_t* number, Val* text, bool* is_text) {
  uint16_t n = VarFind(name);
  if (n == kNone) return false;
  VarKind kind = NameKind(name);
  *is_text = kind == kKindText;
  if (kind == kKindInt) *number = int64_t(IntVarGet(n)) * g_expr.scale;
  else if (kind == kKindNum) *number = NumVarGet(n);
  else *text = TextVarGet(n);
  return kind == kKindInt || kind == kKindNum || kind == kKindText;
}

// FN$FLDS: the raw value of a reference written as its argument. Numbers come back as
// their texts with _PRECIS decimals.
Status FieldRawCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  int16_t which;
  if (Status st = ArgsLoad(call, 1, 2, 0, &a)) return st;
  if (Status st = ArgEvaluate(&a, 2)) return st;
  if (Status st = a.Int(2, 1, &which)) return st;
  Val ref = a.Source(1);
  ExprCursor t = CursorOver(ref);
  NextToken(&t);
  if (t.status >= kSerious) return t.status;
  bool whole = t.op == kOpNone && t.end == ref.len && t.tok_len;
  if (!whole) return ErrReport(kSyntaxError, ref, true);
  if (t.cls & kClsField) return ReturnText(scope, Link().read_field(t.token(), which));
  if (t.cls & kClsIndexed) {
    Status st = EvaluatePrepared(ref);
    if (st == kResultText) return ReturnText(scope, ScratchTop());
    if (st != kResultNumber) return st;
    return ReturnText(scope, NumberToText(NumberOf(ScratchTop()), g_expr.precis));
  }
  if (!(t.cls & kClsVar) || t.cls & kClsCall) return ErrReport(kSyntaxError, ref, true);
  int64_t number = 0;
  Val text;
  bool is_text = false;
  if (StoredVariable(ref, &number, &text, &is_text))
    return ReturnText(scope, is_text ? text : NumberToText(number, g_expr.precis));
  NameHookFn hook = IsSystemName(ref) ? NameHook() : nullptr;
  Val v = hook ? hook(ref, kHookRead) : ValError(kDataError);
  if (!v.ok()) return ErrReport(kSyntaxError, ref, true);
  return ReturnText(scope, v);
}

Status KeyCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  int16_t file, index, which, fields;
  if (Status st = ArgsLoad(call, 0, 4, kAllArgs, &a)) return st;
  if (Status st = a.Int(1, 0, &file)) return st;
  if (Status st = a.Int(2, 0, &index)) return st;
  if (Status st = a.Int(3, 1, &which)) return st;
  if (Status st = a.Int(4, 0, &fields)) return st;
  Val key = Link().key_value(uint16_t(file), uint16_t(index), which, fields);
  // No file or no key: the empty text.
  return ReturnText(scope, key.ok() ? key : Val());
}

Status IerCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  int16_t file;
  if (Status st = ArgsLoad(call, 0, 1, kAllArgs, &a)) return st;
  if (Status st = a.Int(1, 0, &file)) return st;
  Status last = 0;
  if (Status st = Link().last_status(uint16_t(file), &last)) return st;
  return ReturnInteger(scope, last);
}

}  // namespace

void DataFunctionsInstall() {
  BuiltinInstall(kFnFileLength, BuiltinEntry{FileLengthCall, nullptr});
  BuiltinInstall(kFnFileFind, BuiltinEntry{FileFindCall, nullptr});
  BuiltinInstall(kFnFileRel, BuiltinEntry{FileRelCall, nullptr});
  BuiltinInstall(kFnFileLocate, BuiltinEntry{FileLocateCall, nullptr});
  BuiltinInstall(kFnFileSel, BuiltinEntry{FileSelCall, nullptr});
  BuiltinInstall(kFnFieldRaw, BuiltinEntry{FieldRawCall, nullptr});
  BuiltinInstall(kFnKey, BuiltinEntry{KeyCall, nullptr});
  BuiltinInstall(kFnIer, BuiltinEntry{IerCall, nullptr});
}

}  // namespace orv
