// Runs the real orvale executable (ORVALE_BIN) as a child process, for tests of whole runs.
#ifndef ORVALE_TESTS_SUPPORT_ORVALE_RUN_H
#define ORVALE_TESTS_SUPPORT_ORVALE_RUN_H

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orv::test {

struct Outcome {
  int exit_code = -1;
  std::string errors;  // standard error: the boxes and questions of a headless run
};

// The bytes of a file, or "<missing>".
inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

// Runs orvale in `dir` with the arguments; `answers` becomes ORVALE_ANSWERS (null: unset).
// Standard error goes through `dir` + ".stderr", which is removed afterwards.
inline Outcome RunOrvale(const std::filesystem::path& dir, const std::vector<std::string>& args,
                         const char* answers = nullptr) {
  std::filesystem::path err = dir.string() + ".stderr";
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(99);
    if (!freopen(err.c_str(), "w", stderr)) _exit(98);
    if (answers)
      setenv("ORVALE_ANSWERS", answers, 1);
    else
      unsetenv("ORVALE_ANSWERS");
    std::vector<char*> argv{const_cast<char*>(ORVALE_BIN)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(ORVALE_BIN, argv.data());
    _exit(97);
  }
  Outcome run;
  int status = 0;
  waitpid(pid, &status, 0);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.errors = ReadFile(err);
  std::filesystem::remove(err);
  return run;
}

}  // namespace orv::test

#endif  // ORVALE_TESTS_SUPPORT_ORVALE_RUN_H
