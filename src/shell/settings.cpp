// Application settings and settings keys.
#include "shell/settings.h"

#include "core/appfolders.h"
#include "core/list.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/text.h"
#include "shell/catalog.h"

namespace orv {

namespace {

// The value of one key (without its percent signs).
Val KeyValue(Val key) {
  if (uint16_t n = ListWordIndex(kSettingsKeys, key, ','))
    return n == kSettingAppName ? ApplicationPrefix() : Setting(n);
  if (uint16_t n = ListWordIndex(kDatabaseKeys, key, ',')) {
    // Trimmed; a quoted field loses its quotes, any other is upper-cased.
    Val field = TextTrim(ListField(Setting(kSettingDatabase), ',', n), kTrimBoth);
    Val unquoted = TextUnquote(field);
    return unquoted.len != field.len ? unquoted : TextCase(field, 1);
  }
  return Val();
}

}  // namespace

Val Setting(uint16_t item) {
  return SlotGet(kSlotGroupSettings, item);
}

Status SettingSet(uint16_t item, Val text) {
  return SlotSet(kSlotGroupSettings, item, text);
}

Val ExpandSettingsKeys(Val text) {
  return ReplaceKeys(text, KeyValue);
}

}  // namespace orv
