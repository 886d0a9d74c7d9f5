// Compiling procedure text: every line is classified, labels and block keywords are resolved
// to statement numbers.
//
// A line is trimmed; its first word is the text up to the first blank or tab. A blank line
// and a remark (first character one of ";#/") are dropped; ":NAME" defines the label NAME at
// the next statement, and so does "DEF_FN NAME"; a line whose first word is a keyword (as
// written or in upper case) becomes that keyword's statement with the rest of the line as its
// text; any other line is an expression statement whose text is the whole line.
//
// Resolving then gives GOTO and GOSUB the position of their label, and pairs block words
// through a stack: a closing word (ENDIF, LOOP, LOOP_WHILE, LOOP_UNTIL, ELSE) closes the
// innermost open block, its opener jumping to the statement after the closer and the closer
// to its opener; an opening word (ELSE, IF, IF_TRUE, IF_FALSE, DO_WHILE, DO_UNTIL, DO) opens
// one. ELSE closes and then opens, so an IF jumps past its ELSE and the ELSE past its ENDIF.
// Kinds are not matched: any closer closes the innermost block.
//
// Failures, each with its detail text appended and recorded in the area EXEC_COMPILER:
//   147 "Label 'X' in line N (+ remmarks) not found": GOTO or GOSUB to an undefined label;
//   147 "Final of Conditional or loop without \r\nBegin (Loop, Endif...) in line N ...": a
//       closer with no open block;
//   147 "Conditional or loop without end (Endif, Loop...) in line N ...": a block left open;
//   147 "Label 'X' in line N (+ remmarks) defined twice";
//   145 more than kMaxLabels labels, blocks nested deeper than kMaxBlockDepth, or more than
//       kMaxStatements statements.
// "line N" counts statements from 1.
#ifndef ORVALE_PROC_COMPILE_H
#define ORVALE_PROC_COMPILE_H

#include <cstdint>

#include "core/val.h"
#include "proc/procedure.h"

namespace orv {

class ProcCompiler {
 public:
  explicit ProcCompiler(Procedure* out) : p_(out) {}

  // Classifies the next line of the file: 0, or the status that ends the compilation.
  Status Line(Val line);
  // Resolves jumps and blocks and prepares the expressions: 0 or the failure.
  Status Finish();

 private:
  Status AddLabel(Val name);
  Status AddStatement(uint16_t op, Val text);
  Status Resolve();
  void Prepare();

  Procedure* p_;
};

// Compiles a whole text whose lines end in CR LF, LF or CR.
Status ProcCompileText(Val text, Procedure* out);

}  // namespace orv

#endif  // ORVALE_PROC_COMPILE_H
