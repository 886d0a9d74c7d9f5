// Lexical tables of the expression language.
#include "expr/tokens.h"

#include <cstring>

#include "core/list.h"

namespace orv {

namespace {

constexpr Val kOperatorList = "*,/,!,%,\xF7,+,-,=,>,<,==,>=,<=,<>,&,|,@,&&,||,@@"_v;

constexpr Val kConstantNames =
    "envron,lang,cmdline,apname,apdesc,langmodule,docpath,docroot,helppath,funclist,butlabels,"
    "maskparms,datem,datey,envvar,maincond,pdfhead,dialog,aux,scrbuf,fsel,wret,fnparm,usrfil,"
    "fileln,usrfif,top,next,previous,bottom,noprint,iscgi"_v;
constexpr int32_t kConstantValues[] = {0,  0,  1,  2,  3,  4,  5,  5,  7,  8,  9,
                                       10, 100, 10000, 9, 1, 3, 7, 31, 32, 33, 34,
                                       35, 36, 37, 38, 36, 16, 20, 32, 8192, 16384};

constexpr Val kTextConstantNames = "lf$,tab$,pchr$,null$"_v;
constexpr Val kTextConstantValues[] = {"\r\n"_v, "\t"_v, "\\"_v, ""_v};

}  // namespace

uint8_t OperatorNumber(const char* p, int len) {
  if (len == 1) {
    switch (p[0]) {
      case '*': return kOpMul;
      case '/': return kOpDiv;
      case '!': return kOpRound;
      case '%': return kOpPercent;
      case kLessPercentChar: return kOpLessPercent;
      case '+': return kOpAdd;
      case '-': return kOpSub;
      case '=': return kOpAssign;
      case '>': return kOpGt;
      case '<': return kOpLt;
      case '&': return kOpBitAnd;
      case '|': return kOpTightOr;
      case '@': return kOpOr;
      default: return kOpNone;
    }
  }
  if (len != 2) return kOpNone;
  switch ((uint8_t(p[0]) << 8) | uint8_t(p[1])) {
    case ('=' << 8) | '=': return kOpEq;
    case ('>' << 8) | '=': return kOpGe;
    case ('<' << 8) | '=': return kOpLe;
    case ('<' << 8) | '>': return kOpNe;
    case ('&' << 8) | '&': return kOpAnd;
    case ('|' << 8) | '|': return kOpLogOr;
    case ('@' << 8) | '@': return kOpXor;
    default: return kOpNone;
  }
}

Val OperatorText(uint8_t op) { return ListField(kOperatorList, ',', op); }

namespace {

// Which of the characters that decide a token's class or a name's kind a text holds, found
// in one pass (these run for every token evaluated).
enum : uint8_t {
  kHasQuote = 1, kHasDollar = 2, kHasHash = 4, kHasBrace = 8, kHasParen = 16, kHasAt = 32,
};
struct ClassCharTable {
  uint8_t bits[256] = {};
  constexpr ClassCharTable() {
    bits[uint8_t('\'')] = bits[uint8_t('"')] = kHasQuote;
    bits[uint8_t('$')] = kHasDollar;
    bits[uint8_t('#')] = kHasHash;
    bits[uint8_t('{')] = kHasBrace;
    bits[uint8_t('(')] = kHasParen;
    bits[uint8_t('@')] = kHasAt;
  }
};
constexpr ClassCharTable kClassChars;

uint8_t ClassChars(Val text) {
  uint8_t found = 0;
  for (uint16_t i = 0; i < text.len; ++i) found |= kClassChars.bits[text.at(i)];
  return found;
}

}  // namespace

uint16_t TokenClassOf(Val token, int first) {
  uint8_t has = ClassChars(token);
  if (has & kHasQuote) return kClsText;
  if (has & kHasDollar) return kClsText | kClsVar;
  if (has & kHasHash) return kClsVar | kClsNumVar;
  if (has & kHasBrace) return kClsField;
  if (has & kHasParen) return kClsIndexed;
  if (token.len == 0) return first == '(' ? kClsGroup : 0;
  return token.at(0) < 'A' ? 0 : kClsVar;
}

VarKind NameKind(Val name) {
  if (!name.ok()) return kKindNone;
  uint8_t has = ClassChars(name);
  if (has & kHasAt) return kKindNone;
  if (has & kHasParen) return kKindArray;
  if (has & kHasDollar) return kKindText;
  if (has & kHasHash) return kKindNum;
  return kKindInt;
}

bool NamedConstant(Val token, int64_t* value) {
  if (token.len < 2 || token.ptr[0] != '.' || token.at(1) <= '@') return false;
  uint16_t n = ListWordIndex(kConstantNames, ValTail(token, 1), ',');
  if (!n) return false;
  *value = kConstantValues[n - 1];
  return true;
}

bool TextConstant(Val name, Val* value) {
  if (name.len < 2 || name.ptr[0] != '.' || name.at(1) <= '@') return false;
  uint16_t n = ListWordIndex(kTextConstantNames, ValTail(name, 1), ',');
  if (!n) return false;
  *value = kTextConstantValues[n - 1];
  return true;
}

}  // namespace orv
