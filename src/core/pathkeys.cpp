// Path keys and environment names.
#include "core/pathkeys.h"

#include <cstdlib>
#include <string>

#include "core/appfolders.h"
#include "core/files.h"
#include "core/hostpath.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"

extern char** environ;

namespace orv {

namespace {

// The environment variable `name`, exactly, then ignoring ASCII case; null when undefined.
const char* Lookup(std::string_view name) {
  if (const char* v = getenv(std::string(name).c_str())) return v;
  for (char** e = environ; e && *e; ++e) {
    std::string_view entry(*e);
    size_t eq = entry.find('=');
    if (eq != std::string_view::npos && NameEqualNoCase(entry.substr(0, eq), name))
      return *e + eq + 1;
  }
  return nullptr;
}

// The word of kEnvKeys equal to `name` ignoring case; empty when none.
Val EnvKey(Val name) {
  uint16_t count = ListCount(kEnvKeys, ',');
  for (uint16_t i = 1; i <= count; ++i) {
    Val key = ListField(kEnvKeys, ',', i);
    if (NameEqualNoCase(key.sv(), name.sv())) return key;
  }
  return Val();
}

}  // namespace

Val EnvValue(Val name) {
  if (!name.ok()) return name;
  Val key = EnvKey(name);
  if (key.empty()) {
    const char* v = Lookup(name.sv());
    return v ? ValCopy(ValOf(HostNameToCp1252(v))) : Val();
  }
  std::string_view k = key.sv();
  const char* v = nullptr;
  if (k == "TEMP") {
    v = Lookup("TMPDIR");
    if (!v || !*v) v = "/tmp";
  } else if (k == "USERPROFILE" || k == "HOMEPATH" || k == "APPDATA") {
    v = getenv("HOME");
  } else if (k != "HOMEDRIVE" && k != "SYSTEMDRIVE") {
    v = Lookup(k);
  }
  return v ? EnginePath(v) : Val();
}

Val ReplaceKeys(Val text, Val (*value)(Val key)) {
  if (!text.ok()) return text;
  ScratchScope scope;
  std::string out;
  std::string_view t = text.sv();
  size_t i = 0;
  for (;;) {
    size_t open = t.find('%', i);
    size_t close = open == std::string_view::npos ? open : t.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(t.substr(i, open - i));
    if (value) {
      ScratchScope key_scope;
      out.append(value(ValOf(t.substr(open + 1, close - open - 1))).sv());
    }
    i = close + 1;
  }
  out.append(t.substr(i));
  return scope.Return(ValOf(out));
}

Val DropKeys(Val text) { return ReplaceKeys(text, nullptr); }

Val ExpandPathKeys(Val text) {
  if (!text.ok()) return text;
  ScratchScope scope;
  SettingsKeyExpander settings = g_files.expand_settings ? g_files.expand_settings : DropKeys;
  for (int round = 0;; ++round) {
    Val key = TextBetween(text, '%', kPlain);
    if (key.empty()) break;
    if (round == kMaxKeyRounds)
      return scope.Return(ErrValue(1, kAreaStreams, kLoopFailure, Val()));
    Val wrapped = ValWrap(key, '%');
    Val value;
    if (uint16_t kind = ListWordIndex(kFolderKeys, key, ','))
      value = FolderOfKind(kind);
    else if (!EnvKey(key).empty())
      value = EnvValue(key);
    else
      value = settings(wrapped);  // the key alone, so the keys after it keep their turn
    text = TextReplace(text, wrapped, value, kPlain);
    text = ScratchReturn(scope.mark(), text);  // only the newest text stays on the stack
    if (!text.ok()) return text;
  }
  return scope.Return(text);
}

}  // namespace orv
