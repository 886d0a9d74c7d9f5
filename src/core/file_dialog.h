// The open and save dialogs. The engine builds a request and hands it to the dialog host
// in g_files.dialogs: the window system provides an interactive one; ScriptedFileDialogs
// answers from a script for tests and headless runs; without a host every dialog is
// cancelled.
#ifndef ORVALE_CORE_FILE_DIALOG_H
#define ORVALE_CORE_FILE_DIALOG_H

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/val.h"

namespace orv {

struct FileDialogFilter {
  std::string description;  // "Ficheros de Pantalla (*.PAN)"
  std::string pattern;      // "*.PAN"
};

// Texts are CP1252, paths engine paths.
struct FileDialogRequest {
  bool save = false;
  std::string default_ext;   // added to a typed name without extension
  std::string initial_name;  // a name or a pattern
  std::vector<FileDialogFilter> filters;
  std::string title;         // empty: the host's own
};

class FileDialogHost {
 public:
  virtual ~FileDialogHost() = default;
  // 0 with *path the chosen path, or 122 when the user cancelled.
  virtual Status Ask(const FileDialogRequest& request, std::string* path) = 0;
};

// Answers each request with the next scripted answer; cancels when the script is empty.
// Keeps every request it saw.
class ScriptedFileDialogs : public FileDialogHost {
 public:
  void Answer(std::string path) { script_.emplace_back(std::move(path)); }
  void Cancel() { script_.emplace_back(std::nullopt); }
  Status Ask(const FileDialogRequest& request, std::string* path) override;
  const std::vector<FileDialogRequest>& requests() const { return seen_; }

 private:
  std::deque<std::optional<std::string>> script_;
  std::vector<FileDialogRequest> seen_;
};

// Dialog-kind flags of FileTypeDialog.
enum : uint16_t {
  kDialogKindMask = 0x3F,
  kDialogPrefix = 0x40,        // names start with the application prefix
  kDialogRestoreFolder = 0x80, // the current folder is set back after the dialog
};

// Shows the dialog with a filter list of description, pattern pairs separated by commas.
// The chosen path, or an empty text when cancelled.
Val FileDialog(bool save, Val default_ext, Val initial_name, Val filters);
// The dialog for one of the application's file kinds (1 and 10 structure, 2 screen, 3
// print template, 4 procedure, 5 application selection, 6 menu, 7 PDF, 8 text), its
// filter followed by "all files".
Val FileTypeDialog(bool save, uint16_t kind_flags);

}  // namespace orv

#endif  // ORVALE_CORE_FILE_DIALOG_H
