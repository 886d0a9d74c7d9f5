// The orvale executable.
#include <cstdio>
#include <cstring>

#include "shell/engine.h"

namespace {

// The engine's own options are /NAME:value (or -NAME); "--help" is no option of the engine,
// so it can stand for the usage text without shadowing one.
constexpr const char kUsage[] =
    "usage: orvale [/APNAME:name] [/DPATH:folder] [/APSTART:menu[,n]] [/INPUT:file]\n"
    "              [\"/RUN:'Task params'\"] [/OUTPUT:x] [/MODE:a,b] [/TRACE:n]\n"
    "Runs an application in the current folder (its working folder; definitions in\n"
    "/DPATH or NAME/data). Batch example, from apps/demo/datas:\n"
    "  orvale /APNAME:DE /DPATH:../data \"/RUN:'PrcExec BALANCES.PRX'\"\n"
    "Questions without a terminal are answered from ORVALE_ANSWERS (ok;no;=text ...).\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  return orv::ProcessMain(argc, argv);
}
