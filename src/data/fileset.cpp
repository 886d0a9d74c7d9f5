// Open-files lists and their stack.
#include "data/fileset.h"

#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/state.h"

namespace orv {

namespace {

bool AllDigits(Val v) { return !v.empty() && TextAllIn(v, "0123456789"_v) == 1; }

// Opens and closes the files as the mode string says, from the highest number down.
Status Apply(const std::string& modes) {
  for (size_t i = std::min<size_t>(modes.size(), DictFileCount()); i >= 1; --i) {
    uint8_t m = uint8_t(modes[i - 1]);
    Status st = m ? DataFileOpen(uint16_t(i), m) : DataFileClose(uint16_t(i));
    if (st >= kSerious) return st;
  }
  return kOk;
}

}  // namespace

Status FileSetModes(Val list, std::string* modes) {
  modes->assign(DictFileCount(), '\0');
  ScratchScope scope;
  uint16_t last = 0;
  bool last_has_mode = false;
  for (uint16_t i = 1, count = ListCount(list, ','); i <= count; ++i) {
    Val item = TextTrim(ListField(list, ',', i), kTrimBoth);
    if (item.empty()) continue;
    Val name = TextTrim(ListField(item, ';', 1), kTrimBoth);
    Val mode = TextTrim(ListField(item, ';', 2), kTrimBoth);
    uint16_t n = 0;
    if (AllDigits(name)) {
      int v = TextToInt(name);
      n = v >= 1 && v <= DictFileCount() ? uint16_t(v) : 0;
    } else {
      n = DictFileByName(name);
    }
    bool has_mode = !mode.empty();
    int m = has_mode ? TextToInt(mode) : 1;
    if (!n || (has_mode && (!AllDigits(mode) || m > 255))) return ErrReport(kFileOpenError, item, false);
    (*modes)[n - 1u] = char(m);
    last = n;
    last_has_mode = has_mode;
  }
  if (!last) return ErrReport(kDataError, ValConcat("no files in the list "_v, list), false);
  uint8_t m = last_has_mode ? uint8_t((*modes)[last - 1u]) : 0;
  (*modes)[last - 1u] = char(m | kModeCurrent);
  return kOk;
}

Status FileSetApply(Val list) {
  std::vector<std::string>& stack = g_data.filesets;
  if (ValEq(TextTrim(list, kTrimBoth), kFileSetRestore)) {
    if (stack.empty()) return ErrReport(kInternal, list, false);
    stack.pop_back();
    if (stack.empty()) return Apply(std::string(DictFileCount(), '\0'));
    return Apply(stack.back());
  }
  std::string modes;
  if (Status st = FileSetModes(list, &modes)) return st;
  stack.push_back(modes);
  return Apply(modes);
}

uint16_t FileSetDepth() { return uint16_t(g_data.filesets.size()); }

Status FileSetTrim(uint16_t depth) {
  Status first = kOk;
  while (g_data.filesets.size() > depth) {
    Status st = FileSetApply(kFileSetRestore);
    if (st >= kSerious && !first) first = st;
  }
  return first;
}

}  // namespace orv
