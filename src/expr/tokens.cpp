// Lexical tables of the expression language.
#include "expr/tokens.h"

#include <cstring>

#include "core/list.h"

namespace orv {

namespace {

constexpr Val kOperatorChars = "*/!%\xF7+-(;,:)=><&@|"_v;
constexpr Val kSecondOperatorChars = "=><&@|"_v;
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

// One bit per byte for each character set, built once at compile time.
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

constexpr CharSet kOpSet(kOperatorChars);
constexpr CharSet kSecondSet(kSecondOperatorChars);

}  // namespace

bool IsOperatorChar(uint8_t c) { return kOpSet.has(c); }
bool IsSecondOperatorChar(uint8_t c) { return kSecondSet.has(c); }

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

uint16_t TokenClassOf(Val token, int first) {
  auto has = [&](char c) { return token.len && memchr(token.ptr, c, token.len) != nullptr; };
  if (has('\'') || has('"')) return kClsText;
  if (has('$')) return kClsText | kClsVar;
  if (has('#')) return kClsVar | kClsNumVar;
  if (has('{')) return kClsField;
  if (has('(')) return kClsIndexed;
  if (token.len == 0) return first == '(' ? kClsGroup : 0;
  return token.at(0) < 'A' ? 0 : kClsVar;
}

VarKind NameKind(Val name) {
  auto has = [&](char c) { return name.len && memchr(name.ptr, c, name.len) != nullptr; };
  if (!name.ok() || has('@')) return kKindNone;
  if (has('(')) return kKindArray;
  if (has('$')) return kKindText;
  if (has('#')) return kKindNum;
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
