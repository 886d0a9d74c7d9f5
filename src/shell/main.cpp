// The orvale executable.
#include "shell/engine.h"

int main(int argc, char** argv) {
  return orv::ProcessMain(argc, argv);
}
