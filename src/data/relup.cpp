// Relation-update definitions: loading, unloading and the update list of a save.
#include "data/relup.h"

#include <string>
#include <vector>

#include "core/appfolders.h"
#include "core/files.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/state.h"

namespace orv {

namespace {

DataState::RelupSpan& Loaded(uint16_t n) { return g_data.relup_of[n]; }

// The file number and option number of a definition line (blanks count as zeros); false
// when the first four columns are anything else.
bool LineHead(Val line, int* file, int* option) {
  if (line.len < 4) return false;
  int v[2] = {0, 0};
  for (uint16_t i = 0; i < 4; ++i) {
    uint8_t c = line.at(i);
    if (c == ' ') c = '0';
    if (c < '0' || c > '9') return false;
    v[i / 2] = v[i / 2] * 10 + (c - '0');
  }
  *file = v[0];
  *option = v[1];
  return true;
}

// Reads the definitions of file n from `path` into texts[option].
Status ReadDefinitions(Val path, uint16_t n, std::vector<std::string>* texts) {
  uint16_t fd = FileOpen(path, kOpenReadOnly | kOpenQuiet);
  if (fd >= kSerious) return ErrReport(fd, path, false);
  FileCloser closer(fd);
  std::vector<char> buf(kMaxValLen);
  for (int number = 1;; ++number) {
    size_t len = 0;
    Status st = FileReadLine(fd, buf.data(), buf.size(), &len);
    if (st == kNone) return kOk;
    ScratchScope scope;
    Val line = ValMake(buf.data(), len);
    if (st) return ErrReport(st, ValFormat(uint16_t(path.len + 32), "%.*s line %d", int(path.len), path.ptr, number), false);
    if (TextTrim(line, kTrimBoth).empty()) continue;
    int file = 0, option = 0;
    if (!LineHead(line, &file, &option)) {
      Val where = ValFormat(uint16_t(path.len + 32), "%.*s line %d: ", int(path.len), path.ptr, number);
      return ErrReport(kSyntaxError, ValConcat(where, line), false);
    }
    Val expr = TextTrim(ValTail(line, 4), kTrimBoth);
    if (file != n || expr.empty()) continue;
    if (texts->size() <= size_t(option)) texts->resize(size_t(option) + 1);
    std::string& t = (*texts)[size_t(option)];
    if (!t.empty()) t += ';';
    t.append(expr.sv());
  }
}

// Whether the text is a plain list of option numbers (digits, commas and blanks).
bool PlainList(Val text) { return TextAllIn(text, "0123456789, "_v) == 1; }

}  // namespace

Status RelationsLoad(uint16_t file, Val option) {
  uint16_t n = DataFileNumber(file);
  if (!n) return DictCheckField(file, -1);
  if (ValEq(TextTrim(option, kTrimBoth), kRelationsNone) || Loaded(n).base >= 0) return kOk;
  ScratchScope scope;
  uint16_t which = DataSysBits(sysvar::kAuxStat, 2048) ? 4 : 3;
  Val name = ValConcat(ValOf(g_data.dict.prefix), ListField(kDictFileNames, ',', which));
  Val path = FindInFolders(ValOf(g_data.dict.folders), name);
  if (Status st = ValCheck(path)) return st;
  if (path.empty()) return kOk;
  std::vector<std::string> texts;
  if (Status st = ReadDefinitions(path, n, &texts)) return st;
  if (texts.empty()) return kOk;
  Loaded(n).base = int16_t(g_data.relup.size());
  Loaded(n).count = uint16_t(texts.size());
  for (std::string& t : texts) g_data.relup.push_back(std::move(t));
  return kOk;
}

uint16_t RelationsDepth() { return uint16_t(g_data.relup.size()); }

void RelationsUnload(uint16_t, uint16_t base) {
  if (base >= g_data.relup.size()) return;
  g_data.relup.resize(base);
  for (DataState::RelupSpan& s : g_data.relup_of)
    if (s.base >= int(base)) s = DataState::RelupSpan();
}

int RelationsHighest(uint16_t file) {
  uint16_t n = DataFileNumber(file);
  return n && Loaded(n).base >= 0 ? int(Loaded(n).count) - 1 : -1;
}

Val RelationOptionDefault(uint16_t file) {
  uint16_t n = DataFileNumber(file);
  int highest = RelationsHighest(n);
  if (highest < 0) return Val();
  if (highest <= 1) return "1"_v;
  if (DictFieldByName(n, "N_LINE"_v) < 0) return Val();
  return ValFormat(32, "1+(N_LINE{%u}>0)", unsigned(n));
}

Val RelationUpdates(uint16_t file, Val option) {
  uint16_t n = DataFileNumber(file);
  if (!n || Loaded(n).base < 0) return Val();
  Val opt = TextTrim(option, kTrimBoth);
  if (ValEq(opt, kRelationsNone)) return Val();
  ScratchScope scope;
  if (opt.empty()) opt = RelationOptionDefault(n);
  Val list = opt;
  if (!PlainList(opt)) {
    bool numeric = false;
    CurrentFileScope current(n);
    if (Status st = g_data.hooks.evaluate(opt, &list, &numeric)) return scope.Return(ValError(st));
    if (!list.ok()) list = Val();
  }
  const DataState::RelupSpan& span = Loaded(n);
  std::vector<bool> taken(span.count, false);
  std::string out;
  Val all = ValConcat("0,"_v, list);
  for (uint16_t i = 1, count = ListCount(all, ','); i <= count; ++i) {
    Val item = TextTrim(ListField(all, ',', i), kTrimBoth);
    if (item.empty()) continue;
    int k = TextToInt(item);
    if (k < 0 || k >= span.count || taken[size_t(k)]) continue;
    taken[size_t(k)] = true;
    const std::string& text = g_data.relup[size_t(span.base + k)];
    if (text.empty()) continue;
    if (!out.empty()) out += ';';
    out += text;
  }
  return scope.Return(ValOf(out));
}

Status RelationUpdatesRun(uint16_t file, Val list, int sign) {
  if (list.empty() || !DataSysBits(sysvar::kUpStat, 1)) return kOk;
  uint16_t n = DataFileNumber(file);
  DataFileSnapshot keep;
  if (Status st = DataFileSaveState(n, &keep)) return st;
  int16_t upstat = DataSys(sysvar::kUpStat);
  bool sql = DataSysBits(sysvar::kAuxStat, 2048);
  DataSysSet(sysvar::kUpStat, sql ? (upstat | 32) : (upstat & ~32));
  DataSysSet(sysvar::kSgn, sign);
  Status st;
  {
    CurrentFileScope current(n);
    st = DataExecute(list);
  }
  DataSysSet(sysvar::kSgn, 0);
  DataSysSet(sysvar::kUpStat, DataSys(sysvar::kUpStat) & ~32);
  DataFileRestoreState(n, keep);
  return st;
}

}  // namespace orv
