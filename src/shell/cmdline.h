// The command line: joining the argument vector, normalising the text, and reading options.
//
// The normalised command line is settings item 1 and the only source of option values. It
// starts with the program's path in quotes, as the engine has always received it, so that
// an option is recognised after a blank, ":", "&" or "/" and never inside the path.
#ifndef ORVALE_SHELL_CMDLINE_H
#define ORVALE_SHELL_CMDLINE_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// The option table; option n is field n.
inline constexpr Val kOptionNames =
    "?;HELP,APNAME,APSTART,DPATH,SCRWID,SCRHIG,INPUT,OUTPUT,FILE,INDEX,DEVICE,RUN,MODE,TRACE,"
    "CONFIG,HOST,DATABASE,USER,PASSW"_v;
enum Option : uint16_t {
  kOptHelp = 1,
  kOptApName,
  kOptApStart,
  kOptDPath,
  kOptScrWid,
  kOptScrHig,
  kOptInput,
  kOptOutput,
  kOptFile,
  kOptIndex,
  kOptDevice,
  kOptRun,
  kOptMode,
  kOptTrace,
  kOptConfig,
  kOptHost,
  kOptDatabase,
  kOptUser,
  kOptPassw,
};

// The command line of a process: the program's path in double quotes (single quotes when
// the path holds a double quote), then each argument after one blank. Arguments arrive in
// UTF-8 and are kept in CP1252. Since the shell that started us has already removed the
// quotes the user typed, an option's value that holds a blank, a tab, ":", "&" or "/" is
// quoted again (/DPATH:'/srv/Datos Empresa'), and any other argument with a blank is quoted
// whole; an argument that holds a quote is taken as written. A trailing character at or
// below the blank is dropped. Pushed on the scratch stack.
Val CommandLineJoin(Val program, int argc, const char* const* argv);
// Normalises the text and stores it as settings item 1: trimmed of blanks and tabs, every
// run of blanks outside quotes made one blank, and outside quotes every " -" made " /" (so
// "--NAME" becomes "/-NAME", which no option matches).
Status CommandLineParse(Val text);
// The value of option n: NAME:value or NAME=value at the start of the command line or after
// a blank, ":", "&" or "/", outside quotes, the name in upper case or else in lower case.
// The value ends at the next of those characters outside quotes; a quoted value loses its
// quotes and keeps its case, any other is converted to upper case. Empty when absent and
// for the reserved options, whose values are never read. Pushed on the scratch stack.
Val OptionValue(uint16_t option);
// The 1-based position of `word` in the comma list of option n's value, 0 when absent.
uint16_t OptionHasWord(uint16_t option, Val word);

}  // namespace orv

#endif  // ORVALE_SHELL_CMDLINE_H
