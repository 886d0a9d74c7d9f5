// The file, folder and printer choosers: modal windows with a plain C++ interface, each
// recorded in the transcript. Paths are host paths; folders are listed sorted ignoring case,
// folders first.
#ifndef ORVALE_PLATFORM_CHOOSER_H
#define ORVALE_PLATFORM_CHOOSER_H

#include <string>
#include <utility>
#include <vector>

#include "core/val.h"
#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

// Control ids of the chooser windows (for scripts).
inline constexpr uint32_t kChooserFolder = 1101;   // label: the folder shown
inline constexpr uint32_t kChooserList = 1102;     // list box of entries
inline constexpr uint32_t kChooserName = 1103;     // edit: the file name
inline constexpr uint32_t kChooserFilter = 1104;   // combo box of filters
inline constexpr uint32_t kChooserPrinters = 1201; // list box of printers
inline constexpr uint32_t kChooserLandscape = 1202;

struct FileChooserOptions {
  bool save = false;
  std::string title;
  std::string folder;  // the folder to start in (the current folder when empty)
  std::string name;    // the initial name, or a pattern such as "GE*.PRX"
  // Description and patterns ("*.PRX", several separated by ';'), matched ignoring case.
  std::vector<std::pair<std::string, std::string>> filters;
  std::string default_ext;       // saving: added to a name typed without an extension
  std::string overwrite_prompt;  // saving: asked (Yes/No) before an existing file is chosen
};

// The file chooser. Enter or a double click on a folder opens it; on a file, or OK with a
// name typed, chooses it (opening: only an existing file). A typed folder opens it; a typed
// pattern filters the list. `*path` gets the chosen path. 0, 122 when cancelled, or the
// failure status of the input.
Status ChooseFile(WindowSystem& ws, Hwnd owner, const FileChooserOptions& opt, std::string* path);

// The folder chooser: folders only; Enter opens the highlighted folder, the OK button
// chooses the folder shown. 0, 122 when cancelled (`*path` untouched), or a failure status.
Status ChooseFolder(WindowSystem& ws, Hwnd owner, std::string_view title, std::string_view start,
                    std::string* path);

struct PrinterChoice {
  std::string printer;
  bool landscape = false;
};

// The printer chooser over the printer names given (the default one selected first) with
// a landscape check box. 0, 122 when cancelled or there is no printer, or a failure status.
Status ChoosePrinter(WindowSystem& ws, Hwnd owner, std::string_view title,
                     const std::vector<std::string>& printers, PrinterChoice* choice);

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_CHOOSER_H
