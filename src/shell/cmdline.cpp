// The command line and its options.
#include "shell/cmdline.h"

#include <string>
#include <string_view>

#include "core/appfolders.h"
#include "core/cp1252.h"
#include "core/list.h"
#include "core/scratch.h"
#include "core/slots.h"
#include "core/text.h"

namespace orv {

namespace {

bool HasQuote(std::string_view s) {
  return s.find_first_of("'\"") != std::string_view::npos;
}

// The argument as it goes into the command line (see CommandLineJoin).
std::string JoinedArgument(std::string arg) {
  if (HasQuote(arg)) return arg;
  size_t sep = arg.find_first_of(":=");
  std::string_view name = std::string_view(arg).substr(0, sep);
  bool option = sep != std::string::npos && sep > 1 && (arg[0] == '/' || arg[0] == '-') &&
                name.find_first_of(" \t") == std::string_view::npos;
  if (option) {
    std::string_view value = std::string_view(arg).substr(sep + 1);
    if (value.find_first_of(" \t:&/") == std::string_view::npos) return arg;
    return std::string(name) + arg[sep] + "'" + std::string(value) + "'";
  }
  if (arg.find_first_of(" \t") == std::string::npos) return arg;
  return "\"" + arg + "\"";
}

// Rewrites the text outside quotes: runs of blanks become one, " -" becomes " /".
std::string Normalised(std::string_view t) {
  std::string out;
  char quote = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    char c = t[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ' ' && !out.empty() && out.back() == ' ') {
      continue;
    } else if (c == '-' && !out.empty() && out.back() == ' ') {
      c = '/';
    }
    out += c;
  }
  return out;
}

}  // namespace

Val CommandLineJoin(Val program, int argc, const char* const* argv) {
  ScratchScope scope;
  Val quoted = TextQuote(program, '"');
  std::string line(quoted.ok() ? quoted.sv() : program.sv());
  for (int i = 0; i < argc; ++i) {
    std::string arg;
    if (!Utf8ToCp1252(argv[i], &arg)) arg = argv[i];
    line += ' ';
    line += JoinedArgument(std::move(arg));
  }
  if (!line.empty() && uint8_t(line.back()) <= ' ') line.pop_back();
  return scope.Return(ValOf(line));
}

Status CommandLineParse(Val text) {
  if (Status st = ValCheck(text)) return st;
  ScratchScope scope;
  Val trimmed = TextTrim(text, kTrimBoth);
  return SlotSet(kSlotGroupSettings, kSettingCommandLine, ValOf(Normalised(trimmed.sv())));
}

Val OptionValue(uint16_t option) {
  switch (option) {
    case kOptApName:
    case kOptApStart:
    case kOptDPath:
    case kOptInput:
    case kOptOutput:
    case kOptRun:
    case kOptMode:
    case kOptTrace:
      break;
    default:
      return ValCopy(Val());
  }
  ScratchScope scope;
  Val line = SlotGet(kSlotGroupSettings, kSettingCommandLine);
  Val name = ListField(kOptionNames, ',', option);
  Val value = TextKeyValue(line, name, kKeyUnquoteOrUpper);
  if (value.ok() && value.empty())
    value = TextKeyValue(line, TextCase(name, 0), kKeyUnquoteOrUpper);
  return scope.Return(value);
}

uint16_t OptionHasWord(uint16_t option, Val word) {
  ScratchScope scope;
  return ListWordIndex(OptionValue(option), word, ',');
}

}  // namespace orv
