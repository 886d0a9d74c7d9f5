// Lexical tables of the expression language: the operator characters, the twenty operators
// and their precedences, token classes, variable kinds, named constants and text constants.
//
// An expression text is never turned into a tree: the cursor (cursor.h) cuts one token at a
// time, and the evaluator decides what a token is from the flags of its class.
#ifndef ORVALE_EXPR_TOKENS_H
#define ORVALE_EXPR_TOKENS_H

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/val.h"

namespace orv {

// Token class flags. A class of 128 or more is a status code instead (a field reference
// that does not resolve).
enum : uint16_t {
  kClsText = 1,      // the value is a text
  kClsVar = 2,       // a variable name
  kClsNumVar = 4,    // with kClsVar: a '#' name
  kClsField = 8,     // NAME{FILE}
  kClsIndexed = 16,  // NAME( that is no built-in function: an array element or indexed name
  kClsCall = 32,     // NAME( that is a built-in function
  kClsGroup = 64,    // a parenthesised group: empty token with '(' at its start
};

// Operator numbers, in the order of the list "*,/,!,%,÷,+,-,=,>,<,==,>=,<=,<>,&,|,@,&&,||,@@".
enum : uint8_t {
  kOpNone = 0,
  kOpMul = 1,
  kOpDiv,
  kOpRound,
  kOpPercent,
  kOpLessPercent,
  kOpAdd,
  kOpSub,
  kOpAssign,
  kOpGt,
  kOpLt,
  kOpEq,
  kOpGe,
  kOpLe,
  kOpNe,
  kOpBitAnd,
  kOpTightOr,
  kOpOr,
  kOpAnd,
  kOpLogOr,
  kOpXor,
  kOpCount = kOpXor,
};

// The minus-percentage operator, byte 0xF7 (÷) in CP1252.
inline constexpr char kLessPercentChar = '\xF7';

// Precedence of each operator (index = operator number); higher binds tighter.
inline constexpr uint8_t kOpPrecedence[kOpCount + 1] = {0, 4, 4, 4, 4, 4, 3, 3, 0, 2, 2,
                                                        2, 2, 2, 2, 1, 5, 1, 1, 1, 1};

// One bit per byte for a character set, built at compile time (the tests below run for
// every character the evaluator scans).
struct CharSet {
  uint64_t bits[4] = {};
  constexpr explicit CharSet(Val chars) {
    for (uint16_t i = 0; i < chars.len; ++i) {
      uint8_t c = static_cast<uint8_t>(chars.ptr[i]);
      bits[c >> 6] |= uint64_t(1) << (c & 63);
    }
  }
  constexpr bool has(uint8_t c) const { return (bits[c >> 6] >> (c & 63)) & 1; }
};
inline constexpr CharSet kOperatorCharSet("*/!%\xF7+-(;,:)=><&@|"_v);
inline constexpr CharSet kSecondOperatorCharSet("=><&@|"_v);

// Whether c ends a token: * / ! % ÷ + - ( ; , : ) = > < & @ |
inline bool IsOperatorChar(uint8_t c) { return kOperatorCharSet.has(c); }
// Whether c, right after an operator character, makes the operator two characters long.
inline bool IsSecondOperatorChar(uint8_t c) { return kSecondOperatorCharSet.has(c); }
// Blanks that preparation checks and removes.
inline bool IsBlank(uint8_t c) { return c == ' ' || c == '\t'; }
// The operator number of a one- or two-character operator text, 0 when it is none.
uint8_t OperatorNumber(const char* p, int len);
// The text of operator `op` (empty for 0).
Val OperatorText(uint8_t op);

// The class a token's text gives, before any field resolution: the first of ' " $ # { (
// found in the token decides (1, 1, 3, 6, 8, 16); otherwise a number literal (0) when the
// first character is below 'A', else an integer variable name (2). An empty token whose
// first character (`first`, the byte at the token's start) is '(' is a group (64).
uint16_t TokenClassOf(Val token, int first);

// Variable kinds, decided by the characters of a name.
enum VarKind : uint8_t {
  kKindNone = 0,
  kKindInt = 2,
  kKindText = 3,
  kKindNum = 6,
  kKindArray = 16,
};
// '@' anywhere: none; else '(' an array; else '$' a text; else '#' a numeric; else integer.
VarKind NameKind(Val name);
// The kind of the variable that a token of class `cls` (with kClsVar) names. It is the
// NameKind of the token's text: such a token holds no quote, and '@' and '(' end tokens.
inline VarKind VarTokenKind(uint16_t cls) {
  return cls & kClsText ? kKindText : cls & kClsNumVar ? kKindNum : kKindInt;
}
// Whether a name is a system name (begins with '_').
inline bool IsSystemName(Val name) { return name.ok() && name.len && name.ptr[0] == '_'; }

// A token of the form .name (a letter after the dot) that is a named constant: true with its
// value. An unknown .name is not a constant (it converts as a number from the text after
// the dot).
bool NamedConstant(Val token, int64_t* value);
// The read-only text constants .lf$ .tab$ .pchr$ .null$: true with the value.
bool TextConstant(Val name, Val* value);

// Hashing of names for the lookup indexes (heterogeneous: finds std::string keys by view).
// FNV-1a: names are short, and a lookup runs for every variable an evaluation reads.
struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return size_t(h);
  }
};

}  // namespace orv

#endif  // ORVALE_EXPR_TOKENS_H
