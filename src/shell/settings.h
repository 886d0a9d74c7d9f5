// The application settings (text-slot group 0) and the settings keys in percent signs.
#ifndef ORVALE_SHELL_SETTINGS_H
#define ORVALE_SHELL_SETTINGS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Settings items the shell fills (the file layer's own are in core/appfolders.h).
enum : uint16_t {
  kSettingConventions = 0,  // "0019", NUL, "0117", NUL, blank
  kSettingTitle = 3,
};

// The settings keys; key n reads item n, except APNAME (the application prefix). The
// DATABASE_ keys read fields 1 to 4 of item 11.
inline constexpr Val kSettingsKeys =
    "COMMANDLINE,APNAME,APDESCRIP,LANGMODULE,DOCPATH,DATAPATH,HELPPATH"_v;
inline constexpr Val kDatabaseKeys = "DATABASE_HOST,DATABASE_DBNAME,DATABASE_USER,DATABASE_PASSW"_v;

// A settings item (a view valid until the next change of the slot store).
Val Setting(uint16_t item);
Status SettingSet(uint16_t item, Val text);
// The text with every settings key in percent signs replaced, inside quotes too; an unknown
// key becomes empty. Installed as the file layer's settings-key hook. Pushed.
Val ExpandSettingsKeys(Val text);

}  // namespace orv

#endif  // ORVALE_SHELL_SETTINGS_H
