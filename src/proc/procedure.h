// A compiled procedure: its statements with their opcodes and jump targets, its labels, and
// the statements' texts.
//
// Statements are numbered from 0 in the order of the file's lines that are neither blank,
// remarks nor labels; messages count them from 1, which the words "(+ remmarks)" tell the
// reader. A compiled procedure never changes while it is loaded, except `position`, the
// statement at which a run without an entry label starts.
#ifndef ORVALE_PROC_PROCEDURE_H
#define ORVALE_PROC_PROCEDURE_H

#include <cstdint>
#include <string>
#include <vector>

#include "core/val.h"

namespace orv {

// Limits of the design, each refused with a status rather than overflowed.
inline constexpr uint32_t kMaxStatements = 1000000;  // 145
inline constexpr uint16_t kMaxLabels = 128;          // 145
inline constexpr uint16_t kMaxBlockDepth = 16;       // 145 for a 17th nested block

struct Statement {
  uint16_t op = 0;
  bool brackets = false;   // the text holds "[": it is expanded before every use
  bool prepared = false;   // `prep` holds the text prepared for evaluation
  uint32_t target = 0;     // the statement a jump continues at
  uint32_t text_off = 0;   // in Procedure::texts
  uint16_t text_len = 0;
  uint32_t prep_off = 0;   // in Procedure::prepared
  uint16_t prep_len = 0;
};

struct Procedure {
  std::string name;        // the file it was loaded from, as given
  std::vector<Statement> statements;
  std::string texts;       // the statements' texts, one after the other
  std::string prepared;    // the prepared texts of expressions and conditions
  std::vector<std::string> labels;   // in order of definition
  std::vector<uint32_t> label_pos;   // the statement each label stands before
  uint32_t position = 0;

  uint32_t count() const { return uint32_t(statements.size()); }
  Val Text(uint32_t n) const {
    const Statement& s = statements[n];
    return Val(texts.data() + s.text_off, s.text_len);
  }
  Val Prepared(uint32_t n) const {
    const Statement& s = statements[n];
    return Val(prepared.data() + s.prep_off, s.prep_len);
  }
  // The position of a label (exact name), or -1.
  int64_t Label(Val name) const;
};

}  // namespace orv

#endif  // ORVALE_PROC_PROCEDURE_H
