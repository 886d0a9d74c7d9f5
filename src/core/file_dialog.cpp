// The open and save dialogs through the dialog host.
#include "core/file_dialog.h"

#include "core/appfolders.h"
#include "core/files.h"
#include "core/folders.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"

namespace orv {

Status ScriptedFileDialogs::Ask(const FileDialogRequest& request, std::string* path) {
  seen_.push_back(request);
  if (script_.empty()) return kCancelled;
  std::optional<std::string> answer = std::move(script_.front());
  script_.pop_front();
  if (!answer) return kCancelled;
  *path = std::move(*answer);
  return kOk;
}

namespace {

struct DialogKind {
  uint16_t kind;
  Val message;
  uint16_t type;
};

constexpr DialogKind kKinds[] = {
    {1, "0061"_v, kTypeStructure}, {2, "0062"_v, kTypeScreen},   {3, "0063"_v, kTypeTemplate},
    {4, "0064"_v, kTypeProcedure}, {5, "0065"_v, kTypeAppSelect}, {6, "0066"_v, kTypeMenu},
    {7, "0067"_v, kTypePdf},       {8, "0068"_v, kTypeText},     {10, "0061"_v, kTypeStructure},
};

// A filter message with both "%s" replaced by the pattern (messages come from language
// files, so they are never used as a format).
Val FilterEntry(Val message, Val pattern) {
  return TextReplace(RuntimeMessage(message), "%s"_v, pattern, kPlain);
}

}  // namespace

Val FileDialog(bool save, Val default_ext, Val initial_name, Val filters) {
  for (Val v : {default_ext, initial_name, filters})
    if (!v.ok()) return v;
  FileDialogRequest req;
  req.save = save;
  req.default_ext = default_ext.str();
  req.initial_name = initial_name.str();
  uint16_t count = ListCount(filters, ',');
  for (uint16_t i = 1; i + 1 <= count; i += 2)
    req.filters.push_back({ListField(filters, ',', i).str(), ListField(filters, ',', i + 1).str()});
  std::string path;
  if (!g_files.dialogs || g_files.dialogs->Ask(req, &path) != kOk) return Val();
  return ValCopy(ValOf(path));
}

Val FileTypeDialog(bool save, uint16_t kind_flags) {
  ScratchScope scope;
  uint16_t kind = kind_flags & kDialogKindMask;
  const DialogKind* k = nullptr;
  for (const DialogKind& d : kKinds)
    if (d.kind == kind) k = &d;
  Val prefix = (kind_flags & kDialogPrefix) ? ApplicationPrefix() : Val();
  Val filters = FilterEntry("0060"_v, "*.*"_v);
  Val ext, initial;
  if (k) {
    ext = FileTypeExt(k->type);
    Val pattern = ValConcat("*."_v, ext);
    filters = ValJoin(FilterEntry(k->message, pattern), ","_v, filters);
    if (kind == 1 || kind == 6)
      initial = ValConcat(ValOr(prefix, "??"_v), kind == 1 ? "DICC.DAT"_v : "MENU.PPN"_v);
    else
      initial = ValConcat(prefix, pattern);
  }
  Val before = (kind_flags & kDialogRestoreFolder) ? FolderCurrent() : Val();
  Val chosen = FileDialog(save, save ? ext : Val(), initial, filters);
  if (!before.empty()) FolderChange(before);
  return scope.Return(chosen);
}

}  // namespace orv
