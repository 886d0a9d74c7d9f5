// The format descriptor.
#include "expr/descriptor.h"

#include "core/list.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/text.h"
#include "expr/state.h"

namespace orv {

namespace {

// Field n of a comma list, without its quotes.
Val QuotedField(Val list, uint16_t n) { return TextUnquote(ListField(list, ',', n)); }

// Reads the number part into d; false (d untouched) when it is malformed.
bool ParseNumber(Val text, FormatDescriptor* d) {
  if (text.len < 3) return false;
  Val rest = ValTail(text, 2);
  if (ListCount(rest, ',') < 3) return false;
  Val words = QuotedField(rest, 3);
  if (ListCount(words, ',') < 3) return false;
  d->decimal = text.ptr[0];
  d->thousands = text.ptr[1];
  d->allowed = QuotedField(rest, 1).str();
  d->logical_keys = QuotedField(rest, 2).str();
  for (uint16_t i = 0; i < 3; ++i) d->logical_words[i] = ListField(words, ',', uint16_t(i + 1)).str();
  return true;
}

// Reads the date part into d; false (d untouched) when it is malformed.
bool ParseDate(Val text, FormatDescriptor* d) {
  if (ListCount(text, ',') < 2) return false;
  Val months = QuotedField(text, 1);
  if (ListCount(months, ',') != 12) return false;
  for (uint16_t i = 0; i < 12; ++i) d->months[i] = ListField(months, ',', uint16_t(i + 1)).str();
  d->long_template = QuotedField(text, 2).str();
  return true;
}

FormatDescriptor Parse(Val number, Val date) {
  FormatDescriptor d;
  ScratchScope scope;
  if (!ParseNumber(number, &d)) ParseNumber(kBuiltinNumberDescriptor, &d);
  if (!ParseDate(date, &d)) ParseDate(kBuiltinDateDescriptor, &d);
  return d;
}

}  // namespace

const FormatDescriptor& DescriptorBuiltin() {
  static const FormatDescriptor builtin = Parse(kBuiltinNumberDescriptor, kBuiltinDateDescriptor);
  return builtin;
}

const FormatDescriptor& DescriptorCurrent() {
  Val item = SlotGet(kSlotGroupSettings, kSettingDescriptor);
  if (item.len == 0) return DescriptorBuiltin();
  if (!g_expr.descriptor_parsed || item.sv() != g_expr.descriptor_source) {
    g_expr.descriptor = Parse(ListField(item, '\0', 1), ListField(item, '\0', 2));
    g_expr.descriptor_source.assign(item.sv());
    g_expr.descriptor_parsed = true;
  }
  return g_expr.descriptor;
}

Status DescriptorStore() {
  ScratchScope scope;
  Val nul("\0", 1);
  Val text = ValConcat(ValConcat(RuntimeMessage("0019"_v), nul), RuntimeMessage("0117"_v));
  return SlotSet(kSlotGroupSettings, kSettingDescriptor, ValConcat(ValConcat(text, nul), " "_v));
}

bool DayFirstLanguage() {
  Val code = SlotGet(kSlotGroupSettings, kSettingLanguageCode);
  return code.len && ListWordIndex(kDayFirstLanguages, code, ',') != 0;
}

}  // namespace orv
