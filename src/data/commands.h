// Record commands: the eighteen command names that screens and procedures use to move
// through a file and to save, and the operation codes they stand for.
//
// An operation code's low byte is a DataFileMove flag set; its high byte drives the save
// pipeline (data/save.h): 0x0100 apply the relational updates of the new record, 0x0200 take
// back those of the old one, 0x0700 as a field the write (0x0500 insert, 0x0600 delete,
// 0x0700 update), 0x0800 refuse a void key and an insert of an existing key 1, 0x1000 no
// relational updates at all.
#ifndef ORVALE_DATA_COMMANDS_H
#define ORVALE_DATA_COMMANDS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// The command names, numbered from 1, and the aliases taken first (exact names).
inline constexpr Val kRecordCommands =
    "NEW,TOP,PRV,RLD,NXT,BOT,FND,SVE,INS,DEL,LST,NLS,BLS,IMP,MDE,DDE,PRN,TSL"_v;
inline constexpr Val kRecordCommandAliases = "NEXT=NXT:PREVIOUS=PRV:BOTTOM=BOT"_v;

enum : uint16_t {
  // Bits of the high byte of an operation code.
  kSaveApply = 0x0100,
  kSaveTakeBack = 0x0200,
  kSaveWrite = 0x0700,  // the write, as a field
  kSaveInsert = 0x0500,
  kSaveDelete = 0x0600,
  kSaveUpdate = 0x0700,
  kSaveKeyCheck = 0x0800,
  kSaveNoRelations = 0x1000,
  // Operation codes of some commands.
  kCodeNew = 0x0F01,
  kCodeSave = 0x0F00,
  kCodeInsert = 0x0D00,
  kCodeDelete = 0x0642,
  kCodeNone = 0x00FF,  // no data operation of its own: as a move, a blank record
};

// The 1-based number of a command name after the aliases (letter case ignored), 0 when it
// is none of them.
uint16_t RecordCommandNumber(Val name);
// The operation code of a command name: an empty name is NXT, an unknown one kCodeNone.
uint16_t RecordCommandCode(Val name);
// Runs the command on the file (0: the current file) without the save pipeline: DEL deletes
// the current record (DataFileDelete without finding its place again), every other command
// moves with its code (DataFileMove), so that the codes without direction bits re-read the
// current record and an unknown name prepares a blank record. The status of the operation.
Status RecordCommand(uint16_t file, Val name);

}  // namespace orv

#endif  // ORVALE_DATA_COMMANDS_H
