// Conversions between stored, shown and typed field values.
#include "expr/fieldconv.h"

#include <cstring>

#include "core/cp1252.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "expr/dates.h"
#include "expr/descriptor.h"
#include "expr/masks.h"

namespace orv {

namespace {

bool IsNumberType(char type) { return type == 'N' || (type >= '1' && type <= '9'); }

// The text padded with blanks or cut to the width. Pushed.
Val PadOrCut(Val text, uint16_t width) {
  if (!text.ok()) return text;
  if (text.len >= width) return ValCopy(ValHead(text, width));
  return ValConcat(text, ValRepeat(" "_v, uint16_t(width - text.len)));
}

// The text put through the numeric default mask of a type (built-in '.'), with the
// built-in separators; 168 when it does not fit.
Val NumberThroughMask(char type, Val number, uint16_t width) {
  ScratchScope scope;
  bool fits = true;
  Val out = NumericMask(DefaultMask(type, width), number, DescriptorBuiltin(), &fits);
  if (!out.ok()) return out;
  return fits ? scope.Return(out) : ValError(kDataOutBound);
}

}  // namespace

Val FieldToDisplay(char type, Val stored, uint16_t width) {
  if (!stored.ok()) return stored;
  ScratchScope scope;
  switch (type) {
    case 'D':
    case 'F':
      if ((width != 8 && width != 10) || (type == 'F' && stored.len == 0))
        return scope.Return(ValRepeat(" "_v, width));
      return scope.Return(DateToText(stored, width == 8 ? 1 : 2));
    case 'L': {
      char c = stored.len ? stored.ptr[0] : ' ';
      const char* at = static_cast<const char*>(memchr(" 01", c, 3));
      const std::string& word = DescriptorCurrent().logical_words[at ? at - " 01" : 1];
      return scope.Return(PadOrCut(ValOf(word), width));
    }
    default:
      if (IsNumberType(type))
        return scope.Return(ApplyMask(DefaultMask(type, width), TextTrim(stored, kTrimBoth),
                                      kMaskAuto));
      return scope.Return(stored.len == width ? stored : PadOrCut(stored, width));
  }
}

Val DisplayToField(char type, Val typed, uint16_t width) {
  if (!typed.ok()) return typed;
  ScratchScope scope;
  Val v = typed;
  if (type == 'B' || type == 'C') {
    v = TextKeepChars(typed, "0123456789 "_v);
    if (type == 'C' && TextTrim(v, kTrimStart).len) v = TextTranslate(v, " "_v, "0"_v);
  } else if (type == 'D' || type == 'F') {
    v = TextToDate(typed);
  } else if (type == 'L') {
    const std::string& keys = DescriptorCurrent().logical_keys;
    size_t at = typed.len ? keys.find(char(Cp1252Upper(typed.at(0)))) : std::string::npos;
    v = ValChar(at < 3 ? " 01"[at] : ' ');
  } else if (IsNumberType(type)) {
    v = CleanNumber(typed, DescriptorCurrent());
    if (!v.ok()) return v;
    if (width == kNoFit) {
      // Wide enough for every digit and the type's decimals; no fitting.
      uint16_t room = uint16_t(size_t(v.len) + 12 < kMaxValLen ? v.len + 12 : kMaxValLen);
      v = TextTrim(NumberThroughMask(type, v, room), kTrimStart);
    } else {
      v = NumberThroughMask(type, v, width);
    }
  }
  if (!v.ok()) return v;
  return scope.Return(width == kNoFit ? v : FitToWidth(type, v, width));
}

Val FitToWidth(char type, Val text, uint16_t width) {
  if (!text.ok()) return text;
  ScratchScope scope;
  switch (type) {
    case 'V':
      return scope.Return(ValRepeat(" "_v, width));
    case 'D':
    case 'F':
      if (text.len == 8 && width == 6) return scope.Return(ValTail(text, 2));
      return scope.Return(PadOrCut(text, width));
    case 'N':
    case 'L':
      break;
    default:
      if (!IsNumberType(type)) return scope.Return(PadOrCut(text, width));
  }
  Val x = TextTrim(text, kTrimBoth);
  if (x.len <= width) return scope.Return(ValConcat(ValRepeat(" "_v, uint16_t(width - x.len)), x));
  uint16_t point = TextFindChar(x, '.', kPlain);
  uint16_t integer = point == kNone ? x.len : point;
  if (integer > width) return ValError(kDataOutBound);
  // Decimals are rounded away; a point that would fall on the last place takes none.
  char mask_type = type == 'L' || integer + 1 >= width ? 'N' : type;
  return scope.Return(NumberThroughMask(mask_type, x, width));
}

}  // namespace orv
