// File functions: READ$ and WRITE, by file name or by open-file number.
#include "core/files.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/wholefile.h"
#include "expr/args.h"
#include "expr/assignfile.h"
#include "expr/builtins.h"
#include "expr/funcs.h"

namespace orv {

namespace {

// WRITE modes for a named file: append, update an assignment file, write anew.
constexpr int64_t kWriteAppend = -1, kWriteAssignments = -2, kWriteAnew = -3;
// READ$ of nothing at the end of a file.
constexpr Val kEndOfFileMark = "\x1A"_v;

Status ReadCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  int64_t offset, count;
  if (Status st = ArgsLoad(call, 1, 3, kAllArgs, &a)) return st;
  if (Status st = a.Long(2, 0, &offset)) return st;
  if (Status st = a.Long(3, -1, &count)) return st;
  Val v;
  if (a.IsText(1)) {
    Val path = ExpandPathKeys(a.values[0]);
    v = FileReadAll(path, uint64_t(offset < 0 ? 0 : offset), count < 0 ? kFileAll : uint64_t(count));
  } else {
    int16_t n;
    if (Status st = a.Int(1, 0, &n)) return st;
    if (n < 0) return ReturnText(scope, Val());
    if (count == 0) {
      if (offset >= 0 && FileSeek(uint16_t(n), uint64_t(offset))) return ReturnText(scope, Val());
      return ReturnText(scope, FileAtEnd(uint16_t(n)) == 1 ? kEndOfFileMark : Val());
    }
    uint64_t from = offset < 0 ? kFileCurrent : uint64_t(offset);
    uint32_t size = count < 0 ? kFileLine : count > int64_t(kMaxValLen) ? kMaxValLen + 1 : uint32_t(count);
    v = FileReadValue(uint16_t(n), from, size);
  }
  // A missing file, the end of the file or any other failure reads as empty.
  return ReturnText(scope, v.ok() ? v : Val());
}

Status WriteCall(const ExprCursor& call) {
  ScratchScope scope;
  CallArgs a;
  int64_t mode;
  Val text;
  if (Status st = ArgsLoad(call, 3, 3, kAllArgs, &a)) return st;
  if (Status st = a.Long(2, 0, &mode)) return st;
  if (Status st = a.Text(3, Val(), &text)) return st;
  if (!a.IsText(1)) {
    int16_t n;
    if (Status st = a.Int(1, 0, &n)) return st;
    Status st = n < 0 ? kBadFileNumber
                      : FileWriteValue(uint16_t(n), mode < 0 ? kFileEnd : uint64_t(mode), text);
    return ReturnInteger(scope, st ? -1 : 0);
  }
  Val name = a.values[0];
  Status st;
  if (mode == kWriteAssignments) {
    st = AssignmentFileUpdate(name, text);
  } else {
    Val path = ExpandPathKeys(name);
    if (Status pst = ValCheck(path)) return pst;
    if (mode == kWriteAppend) st = FileWriteAllChecked(path, kFileEnd, text);
    else if (mode == kWriteAnew) st = FileWriteAllChecked(path, kFileReplace, text);
    else if (mode >= 0) st = FileWriteAllChecked(path, uint64_t(mode), text);
    else return kSyntaxError;
  }
  return ReturnInteger(scope, st);
}

}  // namespace

void FileFunctionsInstall() {
  BuiltinInstall(kFnRead, BuiltinEntry{ReadCall, nullptr});
  BuiltinInstall(kFnWrite, BuiltinEntry{WriteCall, nullptr});
}

}  // namespace orv
