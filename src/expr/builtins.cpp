// Installation of every built-in routine.
#include "expr/builtins.h"

namespace orv {

void BuiltinsInstall() {
  TextFunctionsInstall();
  FormatFunctionsInstall();
  DataFunctionsInstall();
  SystemFunctionsInstall();
  FileFunctionsInstall();
  AccumFunctionsInstall();
  SortFunctionsInstall();
}

}  // namespace orv
