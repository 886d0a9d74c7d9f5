// A line-oriented driver of the list, text and path operations for checks written in Python.
//
// Each input line is an operation name followed by hex-encoded arguments; each output line is
// the hex-encoded result ("E <code>" for an error value), so that any byte survives.
//   split SEP TEXT          -> the fields, blank-separated (a "-" stands for no field)
//   replace TEXT PAT REP K  -> TextReplace with search kind K (0 or 1)
//   count TEXT PAT K        -> TextCountText as a decimal number
//   find TEXT PAT K         -> TextFindText as a decimal number (65535: not found)
//   utf8 TEXT               -> Cp1252ToUtf8
//   part FLAGS PATH         -> PathPart (FLAGS a decimal number, hex-encoded like the rest)
//   join FOLDER NAME        -> PathJoin
//   resolve BASE REL        -> PathResolve
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/list.h"
#include "core/paths.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/text.h"
#include "support/hex.h"

namespace {

std::string Show(orv::Val v) {
  if (!v.ok()) return "E " + std::to_string(v.len);
  return v.len ? orv::Hex(v.sv()) : "-";
}

}  // namespace

int main() {
  using namespace orv;
  RuntimeSizes(512, 0, kDefaultBlockCapacity);
  if (RuntimeInit()) return 2;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string op;
    std::vector<std::string> a;
    in >> op;
    for (std::string w; in >> w;) a.push_back(w == "-" ? std::string() : Unhex(w));
    ScratchScope scope;
    auto arg = [&](size_t i) { return ValOf(a.at(i)); };
    if (op == "split") {
      ValArray arr = ListSplit(arg(1), a.at(0)[0]);
      std::string out = std::to_string(arr.count);
      for (uint16_t i = 0; i < arr.count; ++i) out += " " + (arr.items[i].len ? Hex(arr.items[i].sv()) : "-");
      std::cout << out << "\n";
    } else if (op == "replace") {
      std::cout << Show(TextReplace(arg(0), arg(1), arg(2), SearchKind(a.at(3)[0]))) << "\n";
    } else if (op == "count") {
      std::cout << TextCountText(arg(0), arg(1), SearchKind(a.at(2)[0])) << "\n";
    } else if (op == "find") {
      std::cout << TextFindText(arg(0), arg(1), SearchKind(a.at(2)[0])) << "\n";
    } else if (op == "utf8") {
      std::cout << Hex(Cp1252ToUtf8(a.at(0))) << "\n";
    } else if (op == "part") {
      std::cout << Show(PathPart(arg(1), std::stoi(a.at(0)))) << "\n";
    } else if (op == "join") {
      std::cout << Show(PathJoin(arg(0), arg(1))) << "\n";
    } else if (op == "resolve") {
      std::cout << Show(PathResolve(arg(0), arg(1))) << "\n";
    } else {
      std::cout << "?\n";
    }
  }
  RuntimeFreeAll();
  return 0;
}
