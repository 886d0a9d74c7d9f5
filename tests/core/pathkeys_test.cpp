// Environment names and the expansion of keys in percent signs, including texts whose
// values bring their own keys back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/appfolders.h"
#include "core/files.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/text.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

// Sets environment variables for one test and puts the old values back.
class EnvGuard {
 public:
  void Set(const char* name, const char* value) {
    const char* old = getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~EnvGuard() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) setenv(it->first.c_str(), it->second->c_str(), 1);
      else unsetenv(it->first.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

class PathKeysTest : public FilesTest {
 protected:
  EnvGuard env_;
};

TEST_F(PathKeysTest, WindowsNamesStandForTheirLinuxEquivalents) {
  env_.Set("TMPDIR", "/var/tmp/x");
  env_.Set("HOME", "/home/ana");
  env_.Set("ProgramFiles", nullptr);
  env_.Set("OrvaleMixedCase", "v\xc3\xa9");
  struct Case {
    const char* name;
    const char* want;
  } cases[] = {
      {"TEMP", "\\var\\tmp\\x"},        {"temp", "\\var\\tmp\\x"},
      {"UserProfile", "\\home\\ana"},   {"HOMEPATH", "\\home\\ana"},
      {"appdata", "\\home\\ana"},       {"HOMEDRIVE", ""},
      {"SYSTEMDRIVE", ""},              {"ProgramFiles", ""},
      {"orvalemixedcase", "v\xe9"},     {"NO_SUCH_VARIABLE_HERE", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(S(EnvValue(ValFromCStr(c.name))), c.want) << c.name;
  env_.Set("TMPDIR", nullptr);
  EXPECT_EQ(S(EnvValue("TEMP"_v)), "\\tmp");
}

TEST_F(PathKeysTest, ExpandsFolderEnvironmentAndSettingsKeys) {
  env_.Set("TMPDIR", "/tmp");
  SlotSet(kSlotGroupSettings, kSettingDefaultFolder, "\\apps\\GE\\data"_v);
  struct Case {
    const char* text;
    const char* want;
  } cases[] = {
      {"%TEMP%\\x", "\\tmp\\x"},
      {"%temp%\\x", "\\tmp\\x"},
      {"%APPPATH_DEFAULT%\\GEDICC.DAT", "\\apps\\GE\\data\\GEDICC.DAT"},
      {"%APPPATH_HELP%;%APPPATH_HELP%", "\\apps\\GE\\data\\Help;\\apps\\GE\\data\\Help"},
      {"%Temp%-%TEMP%", "\\tmp-\\tmp"},
      {"'%TEMP%'", "'\\tmp'"},  // quotes do not protect a key
      {"%NOT_A_KEY%x%TEMP%", "x\\tmp"},
      {"no keys at all", "no keys at all"},
      {"50%", "50%"},
  };
  for (const Case& c : cases) {
    ScratchScope scope;
    EXPECT_EQ(S(ExpandPathKeys(ValFromCStr(c.text))), c.want) << c.text;
  }
}

Val KnowsApname(Val text) {
  // Stands in for the shell: APNAME is known, everything else goes.
  return DropKeys(TextReplace(text, "%APNAME%"_v, "GE"_v, kPlain));
}

TEST_F(PathKeysTest, RemainingKeysGoToTheSettingsHook) {
  g_files.expand_settings = KnowsApname;
  EXPECT_EQ(S(ExpandPathKeys("%APNAME%PARINI.%DATABASE_HOST%.DAT"_v)), "GEPARINI..DAT");
}

Val LoopingSettings(Val text) { return text; }  // a hook that never removes anything

TEST_F(PathKeysTest, KeysThatComeBackEndTheExpansion) {
  env_.Set("TMPDIR", "/t/%TEMP%");  // the value holds its own key
  EXPECT_EQ(S(ExpandPathKeys("%TEMP%\\x"_v)), "<error 129>");
  EXPECT_EQ(ErrRecorded() & 0xFFFF, kLoopFailure);
  g_files.expand_settings = LoopingSettings;
  EXPECT_EQ(S(ExpandPathKeys("%UNKNOWN%"_v)), "<error 129>");
  uint16_t mark = ScratchMark();
  env_.Set("TMPDIR", "/%TEMP%%TEMP%");  // doubles every round until no value can hold it
  Val v = ExpandPathKeys("%TEMP%"_v);
  EXPECT_FALSE(v.ok());
  EXPECT_EQ(ScratchMark(), mark);
}

}  // namespace
}  // namespace orv
