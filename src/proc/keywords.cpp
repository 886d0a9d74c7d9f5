// The keyword table.
#include "proc/keywords.h"

namespace orv {

namespace {

// The keywords are all upper case, so "as written, else in upper case" is a comparison
// that folds the word's ASCII letters.
bool EqualsUpper(Val word, Val keyword) {
  if (word.len != keyword.len) return false;
  for (uint16_t i = 0; i < word.len; ++i) {
    char c = word.ptr[i];
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (c != keyword.ptr[i]) return false;
  }
  return true;
}

}  // namespace

uint16_t KeywordOpcode(Val word) {
  if (!word.ok() || word.len == 0) return kOpExpression;
  for (uint16_t op = 1; op <= kOpLast; ++op)
    if (EqualsUpper(word, kKeywordNames[op])) return op;
  return kOpExpression;
}

Val KeywordName(uint16_t op) {
  return op >= 1 && op <= kOpLast ? kKeywordNames[op] : Val();
}

}  // namespace orv
