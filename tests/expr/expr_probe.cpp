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

namespace {

std::string Unhex(const std::string& h) {
  std::string out;
  for (size_t i = 0; i + 1 < h.size(); i += 2) out.push_back(char(std::stoi(h.substr(i, 2), nullptr, 16)));
  return out;
}

std::string Hex(std::string_view s) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

}  // namespace

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
