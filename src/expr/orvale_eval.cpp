// orvale-eval, the expression console: evaluates expression texts given as arguments, or one
// per line of standard input, with one shared variable store, and prints one line per result.
//
//   orvale-eval [--precis N] [--today YYYYMMDD] [EXPRESSION ...]
//
// Exit status: 0 when no expression ended with a status of 128 or more, 1 otherwise, 2 for
// bad usage.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/runtime.h"
#include "core/status.h"
#include "expr/console.h"
#include "expr/state.h"
#include "expr/sysvars.h"

namespace {

using namespace orv;

constexpr char kUsage[] =
    "usage: orvale-eval [--precis N] [--today YYYYMMDD] [EXPRESSION ...]\n"
    "Evaluates each EXPRESSION, or each line of standard input when none is given, and prints\n"
    "N <number>, T <text> or E <code> <name> for each.\n";

int Usage(const char* why) {
  if (why) fprintf(stderr, "orvale-eval: %s\n", why);
  fputs(kUsage, stderr);
  return 2;
}

// Evaluates one text, prints its line (and the error text on standard error for a serious
// status) and tells whether it was serious.
bool RunOne(std::string_view text, std::string* line) {
  Status st = ConsoleEval(text, line);
  line->push_back('\n');
  fwrite(line->data(), 1, line->size(), stdout);
  if (st < kSerious) return false;
  fflush(stdout);
  fprintf(stderr, "orvale-eval: %s\n", Cp1252ToUtf8(ErrorText(st).sv()).c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> exprs;
  int precis = -1;
  std::string today;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if (options && a == "--") {
      options = false;
    } else if (options && (a == "--precis" || a == "--today")) {
      if (i + 1 >= argc) return Usage("missing value");
      std::string_view v = argv[++i];
      if (a == "--precis") {
        if (v.size() != 1 || v[0] < '0' || v[0] > '4') return Usage("--precis takes 0 to 4");
        precis = v[0] - '0';
      } else {
        today = v;
      }
    } else if (options && (a == "--help" || a == "-h")) {
      fputs(kUsage, stdout);
      return 0;
    } else if (options && a.size() > 2 && a.substr(0, 2) == "--") {
      return Usage("unknown option");
    } else {
      exprs.push_back(a);
    }
  }

  RuntimeSizes(512, 0, kNone);
  if (RuntimeInit() || ExprInit()) {
    fputs("orvale-eval: the runtime cannot start\n", stderr);
    return 1;
  }
  if (!ExprSetToday(ValOf(today))) return Usage("--today takes YYYYMMDD");
  if (precis >= 0) SysSet(kSysPrecis, precis);

  bool serious = false;
  std::string line;
  if (!exprs.empty()) {
    for (std::string_view e : exprs) serious |= RunOne(e, &line);
  } else {
    // Lines end in LF, CR LF or CR; a Ctrl-Z ends the input.
    bool prompt = isatty(STDIN_FILENO);
    char* buf = nullptr;
    size_t cap = 0;
    bool done = false;
    while (!done) {
      if (prompt) {
        fputs("> ", stdout);
        fflush(stdout);
      }
      ssize_t n = getline(&buf, &cap, stdin);
      if (n < 0) break;
      std::string_view rest(buf, size_t(n));
      if (!rest.empty() && rest.back() == '\n') rest.remove_suffix(1);
      if (size_t z = rest.find('\x1A'); z != rest.npos) {
        rest = rest.substr(0, z);
        done = true;
        if (rest.empty()) break;
      }
      do {
        size_t cr = rest.find('\r');
        serious |= RunOne(rest.substr(0, cr), &line);
        rest = cr == rest.npos ? std::string_view() : rest.substr(cr + 1);
      } while (!rest.empty());
      if (prompt) fflush(stdout);
    }
    free(buf);
    if (prompt) fputs("\n", stdout);
  }
  ExprShutdown();
  RuntimeFreeAll();
  return serious ? 1 : 0;
}
