// Keys in percent signs in configuration texts: the application folders (%APPPATH_DATA%),
// the Windows environment names (%TEMP%) and, through the shell's hook, the settings keys.
#ifndef ORVALE_CORE_PATHKEYS_H
#define ORVALE_CORE_PATHKEYS_H

#include "core/val.h"

namespace orv {

// The environment keys that configuration texts may use.
inline constexpr Val kEnvKeys =
    "ALLUSERSPROFILE,APPDATA,CommonProgramFiles,HOMEDRIVE,HOMEPATH,ProgramFiles,SYSTEMDRIVE,"
    "SystemRoot,TEMP,USERPROFILE"_v;
// Expansion rounds after which a text that keeps producing keys is given up (129).
inline constexpr int kMaxKeyRounds = 64;

// The value of an environment variable, empty when undefined. The Windows names of
// kEnvKeys match in any letter case and stand for their Linux equivalents, as engine
// paths: TEMP is $TMPDIR or /tmp; USERPROFILE, HOMEPATH and APPDATA are $HOME; HOMEDRIVE
// and SYSTEMDRIVE are empty (no drives); the others are read from the environment. Any
// other name is read as it is, then ignoring case.
Val EnvValue(Val name);
// The text with its keys replaced, round after round while a key between two "%" is left.
// Every occurrence of the first key, in the case it is written, is replaced by its value:
// FolderOfKind for a folder key, EnvValue for an environment key, and for any other key
// what the settings-key hook (g_files.expand_settings) makes of "%KEY%" alone; the
// default hook gives an empty text. A text still holding keys after kMaxKeyRounds rounds
// gives the error value 129.
Val ExpandPathKeys(Val text);
// Every "%KEY%" of the text, paired from the left, replaced by value(KEY) (null: by an
// empty text). Pushed.
Val ReplaceKeys(Val text, Val (*value)(Val key));
// Every "%...%" of the text replaced by an empty text.
Val DropKeys(Val text);

}  // namespace orv

#endif  // ORVALE_CORE_PATHKEYS_H
