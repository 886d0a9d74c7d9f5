// A line-oriented driver of the evaluator for checks written in Python.
//
// Each input line is "<precis> <hex expression>"; each is evaluated in a fresh variable
// store with _PRECIS set first, and answered with one line: "N <number text>" (with _PRECIS
// decimals at the end of the evaluation, 0 for zero), "T <hex text>" or "E <status>".
#include <iostream>
#include <sstream>
#include <string>

#include "core/runtime.h"
#include "core/scratch.h"
#include "core/status.h"
#include "expr/eval.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/sysvars.h"
#include "support/hex.h"

int main() {
  using namespace orv;
  RuntimeSizes(512, 0, kDefaultBlockCapacity);
  if (RuntimeInit()) return 2;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    int precis = 2;
    std::string hex;
    in >> precis >> hex;
    std::string text = Unhex(hex);
    ExprShutdown();
    if (ExprInit()) return 2;
    SysSet(kSysPrecis, precis);
    ScratchScope scope;
    Status st = Evaluate(ValOf(text));
    if (st == kResultText) {
      std::cout << "T " << Hex(ScratchTop().sv()) << "\n";
    } else if (st != kResultNumber) {
      std::cout << "E " << st << "\n";
    } else {
      int64_t v = NumberOf(ScratchTop());
      std::cout << "N " << (v ? NumberToText(v, g_expr.precis).str() : std::string("0")) << "\n";
    }
  }
  ExprShutdown();
  RuntimeFreeAll();
  return 0;
}
