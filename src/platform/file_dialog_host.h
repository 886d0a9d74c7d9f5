// The engine's open and save dialogs shown with the window system's file chooser.
#ifndef ORVALE_PLATFORM_FILE_DIALOG_HOST_H
#define ORVALE_PLATFORM_FILE_DIALOG_HOST_H

#include <functional>
#include <string>

#include "core/file_dialog.h"
#include "platform/system.h"
#include "platform/types.h"

namespace orv::platform {

// A dialog host for g_files.dialogs. Requests speak engine paths; the chooser works on
// host paths, so the initial name is resolved through the host-path rule and the chosen
// path comes back in engine form.
class WindowFileDialogs : public FileDialogHost {
 public:
  // `owner` names the window that owns each dialog (the engine's top window); it may
  // return a null handle.
  WindowFileDialogs(WindowSystem& ws, std::function<Hwnd()> owner)
      : ws_(ws), owner_(std::move(owner)) {}

  Status Ask(const FileDialogRequest& request, std::string* path) override;

 private:
  WindowSystem& ws_;
  std::function<Hwnd()> owner_;
};

}  // namespace orv::platform

#endif  // ORVALE_PLATFORM_FILE_DIALOG_HOST_H
