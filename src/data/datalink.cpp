// The data layer behind the built-in functions that work on data files (FILEFIND, FILEREL,
// FILELOCATE, FN#FLEN, FILESEL, FN$FLDS, KEY$, IER): the routines of the expression
// language's data link. File number 0 is the current file throughout.
#include "core/scratch.h"
#include "core/status.h"
#include "data/commands.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/expand.h"
#include "data/exprbind.h"
#include "data/fields.h"
#include "data/fileset.h"
#include "data/relations.h"
#include "expr/datalink.h"

namespace orv {

namespace {

// The dictionary number of an open file, or 0 with the status in *st.
uint16_t Opened(uint16_t file, Status* st) {
  return DataFileOpened(file, st) ? DataFileNumber(file) : 0;
}

Status Count(uint16_t file, uint32_t* count) {
  Status st;
  uint16_t n = Opened(file, &st);
  return n ? DataFileCount(n, Val(), Val(), Val(), count) : st;
}

Status Find(uint16_t file, uint16_t key, Val value, int flags) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  uint16_t n = DataFileNumber(file);
  return DataFileFind(n, key ? key : f->current_key, value, flags & (kFindBlank | kFindNext));
}

Status StoreKey(uint16_t file, uint16_t key, Val value) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  return DataFileStoreKey(DataFileNumber(file), key ? key : f->current_key, value);
}

// An insert of its own, outside the save pipeline: in turn with the other programs that
// change the file, so that their index changes are read first and none is lost.
Status Insert(uint16_t file) {
  Status st;
  uint16_t n = Opened(file, &st);
  if (!n) return st;
  DataFileSync sync(n);
  if ((st = sync.status())) return st;
  st = DataFileInsert(n);
  if (st < kSerious) RelationJournal(n, "inserted");
  return st;
}

Status Move(uint16_t file, int flags) {
  Status st;
  uint16_t n = Opened(file, &st);
  return n ? DataFileMove(n, flags) : st;
}

Status Scan(uint16_t file, int flags, Val condition, Val last) {
  Status st;
  uint16_t n = Opened(file, &st);
  return n ? DataFileScan(n, flags, condition, last, nullptr) : st;
}

// 0 or an unknown file number: the current file. Flag 0x10 belongs to FILEREL alone.
Status Relation(uint16_t file, uint16_t target, uint16_t relation, int flags, Val assignments) {
  if (file > DictFileCount()) file = 0;
  return RelationApply(file, target, relation, flags & 0x0F, assignments);
}

Val ReadField(Val ref, int which) {
  uint16_t file, field;
  if (Status st = ParseFieldRef(ref, &file, &field)) return ValError(st);
  return DataFileReadField(file, field, which == 2 ? kSaved : kCurrent);
}

Val KeyValue(uint16_t file, uint16_t key, int which, int fields) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return ValError(st);
  uint16_t n = DataFileNumber(file);
  if (!key) key = f->current_key;
  if (key > DictKeyCount(n)) return ValError(kDataOutBound);
  ScratchScope scope;
  Val value = DataFileKeyValue(n, key, which == 2 ? kSaved : kCurrent);
  if (!value.ok()) return value;
  return scope.Return(ValHead(value, DictKeyLength(n, key, fields)));
}

Status LastStatus(uint16_t file, Status* out) {
  Status st;
  DataFile* f = DataFileOpened(file, &st);
  if (!f) return st;
  *out = f->last_status;
  return kOk;
}

}  // namespace

void DataLinkBind() {
  DataLinkInstall(DataLink{DictFileByName, Count, Find, StoreKey, Insert, Move, Scan,
                           RecordCommand, Relation, FileSetApply, ReadField, KeyValue,
                           LastStatus, TextExpand});
}

}  // namespace orv
