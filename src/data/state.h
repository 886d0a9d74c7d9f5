// The state of the data layer and the hooks through which it reaches other layers.
//
// Everything the data layer keeps between calls lives in g_data: the dictionary, the
// control record of each data file (with its record buffer and its open store), the
// system-variable routines and the log. DataReset closes every file and empties it all, so
// tests start from a fresh state.
#ifndef ORVALE_DATA_STATE_H
#define ORVALE_DATA_STATE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/val.h"
#include "data/dict.h"

namespace orv {

// The system integer variables the data layer reads and writes, by number.
namespace sysvar {
inline constexpr uint16_t kAuxStat = 0;  // bits 8: keep the case of file names, 2048: SQL updates
inline constexpr uint16_t kRelRes = 1;   // the outcome of the last relation apply
inline constexpr uint16_t kCurFil = 2;   // the current data file
inline constexpr uint16_t kLastKey = 11;  // the last key (23 PgUp, 29 PgDn)
inline constexpr uint16_t kSgn = 12;     // the sign of the relational updates in progress
// bits 1: evaluate relational updates, 2: open files as virtual files, 32: update every
// partner (mirrors _AUXSTAT 2048 during the updates), 64: no duplicate test on inserts
inline constexpr uint16_t kUpStat = 13;
inline constexpr uint16_t kCompat = 20;  // bits 2: NDX indexes, 4: compact dates, 8: 8-char names
inline constexpr uint16_t kScrStat = 21;  // bit 64: a lookup browses with PgUp and PgDn
inline constexpr uint16_t kBYear = 33;   // two-digit years below _BKYEAR are _BYEAR + yy
inline constexpr uint16_t kBKYear = 34;
inline constexpr uint16_t kCount = 44;
}  // namespace sysvar

// The routines of other layers that the data layer calls. Each has a default that lets the
// data layer work alone; DataReset puts the defaults back.
struct DataHooks {
  // A condition over the current records: 1 true, 0 false, or a status of 122 or more.
  // Default: an empty condition is true; any other gives 140 (no evaluator).
  Status (*condition)(Val text);
  // An expression's value for bracket expansion and structure field lengths: *value is its
  // text (a number written with its decimals), *numeric tells whether it was a number; the
  // status is 0 or 122 and above. Default: the text itself, as a text.
  Status (*evaluate)(Val text, Val* value, bool* numeric);
  // System integer variables by number. Default: a table in g_data.
  int16_t (*sys_get)(uint16_t number);
  Status (*sys_set)(uint16_t number, int64_t value);
  // A command-line option by name, empty when not given. Default: none is given.
  Val (*option)(Val name);
  // Formats a value to a field of type `type` and `width` bytes: *out gets exactly width
  // bytes (pushed on the scratch stack), or the status is 168 when the value does not fit.
  // Default: FieldFit (data/fields.h).
  Status (*format)(char type, uint16_t width, Val value, Val* out);
  // A line for the trace log (an index rebuilt, a repaired file). Default: kept in
  // g_data.log.
  void (*log)(Val line);
};

class DataFile;

struct DataState {
  DataState();
  ~DataState();

  Dictionary dict;
  // The control record of each data file, file n at index n - 1 (created on demand).
  std::vector<std::unique_ptr<DataFile>> files;
  DataHooks hooks;
  int16_t sys[sysvar::kCount] = {};
  // The newest lines of the default log.
  std::vector<std::string> log;
  // Temporary files made for path kind 7, for the caller to delete.
  std::vector<std::string> temp_names;

  // Relation-update definitions on their stack: the joined text of each option of each
  // file that loaded them, file f's option n at relup_of[f].base + n (record commands).
  struct RelupSpan {
    int16_t base = -1;   // -1: not loaded
    uint16_t count = 0;  // options 0 to count - 1
  };
  std::vector<std::string> relup;
  RelupSpan relup_of[kMaxFiles + 1];
  // The open-files lists applied so far, as mode strings (one byte per file).
  std::vector<std::string> filesets;
  // Notes of the writes the relational updates in progress made; null when none run.
  std::vector<std::string>* journal = nullptr;
};

extern DataState g_data;

// Closes every data file (an index that cannot be written stays on disk as it was, and the
// file's unclean-close marker is left for the next open to rebuild from), empties the
// dictionary, and puts the default hooks and system variables back.
void DataReset();
// The default hooks.
DataHooks DataDefaultHooks();

// System variables through the hooks.
int16_t DataSys(uint16_t number);
Status DataSysSet(uint16_t number, int64_t value);
inline bool DataSysBits(uint16_t number, int16_t mask) { return (DataSys(number) & mask) != 0; }
// Writes a line to the trace log through the hook.
void DataLog(Val line);
// Makes a file the current one (_CURFIL) for as long as it lives, so that expressions that
// belong to the file reach its fields as NAME{}.
class CurrentFileScope {
 public:
  explicit CurrentFileScope(uint16_t file) : old_(DataSys(sysvar::kCurFil)) {
    DataSysSet(sysvar::kCurFil, file);
  }
  ~CurrentFileScope() { DataSysSet(sysvar::kCurFil, old_); }
  CurrentFileScope(const CurrentFileScope&) = delete;
  CurrentFileScope& operator=(const CurrentFileScope&) = delete;

 private:
  int16_t old_;
};
// Evaluates an expression for what it does (assignments, relation calls) through the
// evaluate hook: 0, or its status of 122 or more.
Status DataExecute(Val text);

}  // namespace orv

#endif  // ORVALE_DATA_STATE_H
