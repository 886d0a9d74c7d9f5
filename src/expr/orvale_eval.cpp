// orvale-eval, the expression console: evaluates expression texts given as arguments, or one
// per line of standard input, with one shared variable store, and prints one line per result.
// Options also run the field conversions and masks that no function offers, in order with
// the expressions.
//
//   orvale-eval [--precis N] [--today YYYYMMDD] [--lang CODE] [EXPRESSION | FORMAT ...]
//   FORMAT: --display T W TEXT | --store T W TEXT | --fit T W TEXT | --default-mask T W |
//           --expand-mask MASK
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
#include "core/slots.h"
#include "core/status.h"
#include "expr/console.h"
#include "expr/descriptor.h"
#include "expr/state.h"
#include "expr/sysvars.h"

namespace {

using namespace orv;

constexpr char kUsage[] =
    "usage: orvale-eval [--precis N] [--today YYYYMMDD] [--lang CODE] [EXPRESSION | FORMAT ...]\n"
    "Evaluates each EXPRESSION, or each line of standard input when none is given, and prints\n"
    "N <number>, T <text> or E <code> <name> for each.\n"
    "FORMAT runs a field conversion or mask for field type T (a letter) and width W:\n"
    "  --display T W TEXT    a stored value as shown\n"
    "  --store T W TEXT      a typed value as stored\n"
    "  --fit T W TEXT        a value fitted to the field\n"
    "  --default-mask T W    the field's default mask\n"
    "  --expand-mask MASK    a type-and-width mask (N8) or ',.' shorthand expanded\n"
    "--lang sets the language code (ES, FR and IT write dates day first).\n";

// One thing to run: an expression (no kind) or a format option with its arguments.
struct Job {
  std::string_view kind;
  char type = ' ';
  uint16_t width = 0;
  std::string_view text;
};

// The number of arguments each format option takes.
int FormatArity(std::string_view option) {
  if (option == "--display" || option == "--store" || option == "--fit") return 3;
  if (option == "--default-mask") return 2;
  if (option == "--expand-mask") return 1;
  return 0;
}

// Reads a width 0..65535; false when the text is no such number.
bool ParseWidth(std::string_view t, uint16_t* w) {
  if (t.empty() || t.size() > 5) return false;
  unsigned v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + unsigned(c - '0');
  }
  if (v > 0xFFFF) return false;
  *w = uint16_t(v);
  return true;
}

int Usage(const char* why) {
  if (why) fprintf(stderr, "orvale-eval: %s\n", why);
  fputs(kUsage, stderr);
  return 2;
}

// Evaluates one text, prints its line (and the error text on standard error for a serious
// status) and tells whether it was serious.
bool RunOne(const Job& job, std::string* line) {
  Status st = job.kind.empty() ? ConsoleEval(job.text, line)
                               : ConsoleFormat(job.kind, job.type, job.width, job.text, line);
  line->push_back('\n');
  fwrite(line->data(), 1, line->size(), stdout);
  if (st < kSerious) return false;
  fflush(stdout);
  fprintf(stderr, "orvale-eval: %s\n", Cp1252ToUtf8(ErrorText(st).sv()).c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Job> jobs;
  int precis = -1;
  std::string today, lang;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if (options && a == "--") {
      options = false;
    } else if (options && (a == "--precis" || a == "--today" || a == "--lang")) {
      if (i + 1 >= argc) return Usage("missing value");
      std::string_view v = argv[++i];
      if (a == "--precis") {
        if (v.size() != 1 || v[0] < '0' || v[0] > '4') return Usage("--precis takes 0 to 4");
        precis = v[0] - '0';
      } else if (a == "--today") {
        today = v;
      } else {
        lang = v;
      }
    } else if (int arity = options ? FormatArity(a) : 0) {
      if (i + arity >= argc) return Usage("missing value");
      Job job{a.substr(2), ' ', 0, {}};
      if (arity >= 2) {
        std::string_view type = argv[i + 1];
        if (type.size() != 1) return Usage("the field type is one letter");
        job.type = type[0];
        if (!ParseWidth(argv[i + 2], &job.width)) return Usage("the width is 0 to 65535");
      }
      if (arity != 2) job.text = argv[i + arity];
      jobs.push_back(job);
      i += arity;
    } else if (options && (a == "--help" || a == "-h")) {
      fputs(kUsage, stdout);
      return 0;
    } else if (options && a.size() > 2 && a.substr(0, 2) == "--") {
      return Usage("unknown option");
    } else {
      jobs.push_back(Job{{}, ' ', 0, a});
    }
  }

  RuntimeSizes(512, 0, kNone);
  if (RuntimeInit() || ExprInit()) {
    fputs("orvale-eval: the runtime cannot start\n", stderr);
    return 1;
  }
  if (!ExprSetToday(ValOf(today))) return Usage("--today takes YYYYMMDD");
  if (precis >= 0) SysSet(kSysPrecis, precis);
  // The conventions of the language, from the messages "0019" and "0117" where the
  // message lookup knows them, else the built-in ones.
  if (!lang.empty() && SlotSet(kSlotGroupSettings, kSettingLanguageCode, ValOf(lang)))
    return Usage("bad --lang");
  DescriptorStore();

  bool serious = false;
  std::string line;
  if (!jobs.empty()) {
    for (const Job& job : jobs) serious |= RunOne(job, &line);
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
        serious |= RunOne(Job{{}, ' ', 0, rest.substr(0, cr)}, &line);
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
