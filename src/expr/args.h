// The arguments of a built-in call and their kinds.
//
// A call's argument list (the text between its brackets) is split at ';' and ',' outside
// brackets and quotes into at most 16 arguments. Each is evaluated in order and kept on the
// scratch stack with its kind: a number, a text, or missing (an empty argument, which takes
// the default). Functions then read argument n (1-based) by the kind they need:
//   - a text: a number gives 128 ("Tipos Incompatibles");
//   - an integer: the number divided by the scale with rounding; a text gives 128 and a
//     value outside 16 bits 155 (the 64-bit form serves offsets and dates);
// and a missing argument takes the default. Some functions evaluate only their first
// arguments and handle the rest as written.
#ifndef ORVALE_EXPR_ARGS_H
#define ORVALE_EXPR_ARGS_H

#include <cstdint>

#include "core/list.h"
#include "core/scratch.h"
#include "core/val.h"
#include "expr/cursor.h"

namespace orv {

inline constexpr uint16_t kMaxArgs = 16;
// Evaluate every argument (ArgsLoad).
inline constexpr uint16_t kAllArgs = kMaxArgs;

enum ArgKind : uint8_t { kArgNumber = 0, kArgText = 1, kArgMissing = 2, kArgUnevaluated = 3 };

struct CallArgs {
  Val list;  // the argument list as written
  uint16_t count = 0;
  Span spans[kMaxArgs];
  Val values[kMaxArgs];
  uint8_t kinds[kMaxArgs] = {};

  // Argument n as written, and the list from argument n to its end.
  Val Source(uint16_t n) const;
  Val SourceFrom(uint16_t n) const;
  // Whether argument n is given (present and not empty).
  bool Has(uint16_t n) const { return n >= 1 && n <= count && kinds[n - 1] != kArgMissing; }
  bool IsText(uint16_t n) const { return Has(n) && kinds[n - 1] == kArgText; }
  bool IsNumber(uint16_t n) const { return Has(n) && kinds[n - 1] == kArgNumber; }

  Status Text(uint16_t n, Val def, Val* out) const;
  Status Int(uint16_t n, int16_t def, int16_t* out) const;
  Status Long(uint16_t n, int64_t def, int64_t* out) const;
  // The fixed-point number itself.
  Status Number(uint16_t n, int64_t def, int64_t* out) const;
  // A text as it is, a number as its text with _PRECIS decimals (pushed), a missing
  // argument as `def`.
  Val TextOfAny(uint16_t n, Val def) const;
};

// Splits the argument list of a call and evaluates its first `evaluated` arguments. 147
// for more than 16 arguments or a count outside min..max; the status of an argument whose
// evaluation fails (122 or more). The values stay on the scratch stack: the caller holds a
// ScratchScope taken before and returns its result through it.
Status ArgsLoad(const ExprCursor& call, uint16_t min, uint16_t max, uint16_t evaluated,
                CallArgs* args);
// Evaluates argument n (1-based) that ArgsLoad left unevaluated.
Status ArgEvaluate(CallArgs* args, uint16_t n);

// A built-in routine's result: replaces everything above the scope's mark.
Status ReturnText(ScratchScope& scope, Val v);
Status ReturnNumber(ScratchScope& scope, int64_t fixed);
// An integer as a number (times the scale); 155 when it does not fit.
Status ReturnInteger(ScratchScope& scope, int64_t integer);

}  // namespace orv

#endif  // ORVALE_EXPR_ARGS_H
