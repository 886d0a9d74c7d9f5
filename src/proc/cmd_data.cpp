// Slot 1: data records and structures.
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/commands.h"
#include "data/dict.h"
#include "data/relup.h"
#include "data/save.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "proc/commands.h"
#include "proc/keywords.h"

namespace orv {

namespace {

// The file number an expression gives; an empty text is 0 (the current file).
Status FileNumberOf(Val text, uint16_t* file) {
  *file = 0;
  if (TextTrim(text, kTrimBoth).empty()) return kOk;
  ScratchScope scope;
  Status st = Evaluate(text);
  if (st == kResultText) return ErrReport(kIncompatibleTypes, text, true);
  if (st != kResultNumber) return st;
  int16_t n = 0;
  if ((st = NumberToInteger(NumberOf(ScratchTop()), g_expr.scale, &n))) return st;
  *file = n > 0 ? uint16_t(n) : 0;
  return kOk;
}

// RC_DELETE, RC_INSERT and RC_WRITE: the save pipeline without a key check on the file of
// the first comma field, with the relation option of the second. The two fields come as one
// text ("3,2") or, written without quotes, as two arguments. The file's relation-update
// definitions are loaded first when it has none, so that the option takes effect.
Status RecordSave(uint16_t code, const CommandArgs& args) {
  ScratchScope scope;
  uint16_t file = 0;
  Val option = args.Text(2);
  if (args.IsText(1)) {
    Val text = args.Text(1);
    uint16_t comma = TextFindChar(text, ',', kPlain);
    if (comma != kNone) {
      if (args.count < 2) option = ValTail(text, uint16_t(comma + 1));
      text = ValHead(text, comma);
    }
    if (Status st = FileNumberOf(text, &file)) return st;
  } else {
    file = args.Int(1) > 0 ? uint16_t(args.Int(1)) : 0;
  }
  if (Status st = RelationsLoad(file, option)) return st;
  return DataFileSave(code, file, option, Val());
}

}  // namespace

Status DataCommands(uint16_t slot, uint16_t op, const CommandArgs& args) {
  switch (op) {
    case kOpLoadStruct:
      return DictLoadMore(args.Text(1));
    case kOpRcDelete:
      return RecordSave(kSaveDelete, args);
    case kOpRcInsert:
      return RecordSave(kSaveInsert, args);
    case kOpRcWrite:
      return RecordSave(kSaveUpdate, args);
    case kOpFileStruct:
      return DictStructDefine(args.Text(1), args.Text(2), args.Text(3));
    case kOpRcUpdate:
      // RC_UPDATE has no operation: it always stops the procedure.
      return kNone;
    default:
      return CommandPass(slot, op, args);
  }
}

}  // namespace orv
