// The engine's file dialogs on the file chooser.
#include "platform/file_dialog_host.h"

#include "core/hostpath.h"
#include "core/scratch.h"
#include "core/status.h"
#include "platform/chooser.h"

namespace orv::platform {

Status WindowFileDialogs::Ask(const FileDialogRequest& request, std::string* path) {
  FileChooserOptions opt;
  opt.save = request.save;
  opt.title = request.title;
  opt.default_ext = request.default_ext;
  for (const FileDialogFilter& f : request.filters) opt.filters.emplace_back(f.description, f.pattern);

  // An initial name with a folder opens the chooser in that folder.
  std::string_view initial = request.initial_name;
  size_t cut = initial.find_last_of("\\/");
  if (cut == std::string_view::npos) {
    opt.name = initial;
  } else {
    std::string host;
    if (Status st = HostPath(ValOf(initial.substr(0, cut + 1)), &host)) return st;
    opt.folder = host;
    opt.name = initial.substr(cut + 1);
  }

  std::string chosen;
  if (Status st = ChooseFile(ws_, owner_ ? owner_() : Hwnd{}, opt, &chosen)) return st;
  ScratchScope scope;
  *path = EnginePath(chosen).str();
  return kOk;
}

}  // namespace orv::platform
