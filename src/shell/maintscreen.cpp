// Generated maintenance screens.
#include "shell/maintscreen.h"

#include <algorithm>
#include <string>

#include "core/files.h"
#include "core/paths.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/wholefile.h"
#include "shell/dictview.h"
#include "shell/generated.h"
#include "shell/state.h"

namespace orv {

namespace {

constexpr uint16_t kMaxWidth = 99;

// Appends a number right-aligned in two columns; false when it does not fit.
bool Two(std::string* out, unsigned n) {
  if (n > 99) return false;
  out->push_back(n >= 10 ? char('0' + n / 10) : ' ');
  out->push_back(char('0' + n % 10));
  return true;
}

// Appends one file line of screen 1: a double quote, " 1", the layout line, a double quote.
void Line(std::string* out, const std::string& layout) {
  *out += "\" 1" + layout + "\"\r\n";
}

bool IsNul(Val name) {
  return name.sv() == "NUL";
}

}  // namespace

Val MaintenanceScreenMake(uint16_t n) {
  const DictionaryView* dict = g_shell.dict;
  if (!dict || n < 1 || n > dict->FileCount()) return ValError(kDataError);
  uint16_t fields = dict->FieldCount(n);
  unsigned w = 0, f = 0;
  for (uint16_t i = 1; i <= fields; ++i) {
    DictFieldInfo d = dict->Field(n, i);
    if (i == fields && IsNul(d.name)) break;
    w = std::max<unsigned>(w, d.name.len);
    f = std::max<unsigned>(f, std::min<unsigned>(d.width, kMaxWidth));
  }
  std::string text, label = "0";
  Two(&label, 1);
  Two(&label, 1);
  Line(&text, label + "<?>" + dict->FileName(n).str());
  for (uint16_t i = 1; i <= fields; ++i) {
    DictFieldInfo d = dict->Field(n, i);
    std::string name = d.name.str();
    std::string l = "0", fl = "1";
    bool fits = Two(&l, i + 1) && Two(&l, 1) && Two(&fl, i + 1) && Two(&fl, w + 3) && Two(&fl, n) &&
                Two(&fl, i) && Two(&fl, std::min<unsigned>(d.width, kMaxWidth));
    if (!fits) return ValError(kDataOutBound);
    Line(&text, l + std::string(w > name.size() ? w - name.size() : 0, ' ') + name + ":");
    Line(&text, fl + d.type);
  }
  ScratchScope scope;
  Val file = GeneratedFileCreate(FileTypeExt(kTypeScreen));
  if (!file.ok()) return file;
  if (Status st = FileWriteAllChecked(file, 0, ValOf(text))) return ValError(st);
  unsigned width = std::min<unsigned>(w + f + 9, g_shell.screen_cols);
  if (g_shell.screen_rows < fields + 2u) width -= 2;
  Val screen = PathPart(file, kPartFolder | kPartName);
  return scope.Return(ValFormat(512, "%.*s,1,%u,%u,%u", int(screen.len), screen.ptr, width,
                                unsigned(fields) + 2, unsigned(n)));
}

}  // namespace orv
