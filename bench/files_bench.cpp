// Throughput of the file layer: the line reader over a large text file, a section read
// from a parameter file of many sections, and a section rewrite (a whole-file replacement
// with its syncs). Prints one line per measurement.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/files.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/sections.h"
#include "core/slots.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace

int main() {
  using namespace orv;
  RuntimeSizes(512, 0, kDefaultBlockCapacity);
  if (RuntimeInit()) return 2;
  std::string dir = (std::filesystem::temp_directory_path() / "orvale-bench-XXXXXX").string();
  if (!mkdtemp(dir.data())) return 2;
  std::filesystem::current_path(dir);

  // 200 000 lines of 20 to 119 characters, CR LF ends.
  std::string text;
  for (int i = 0; i < 200000; ++i) text += std::string(20 + i % 100, char('a' + i % 26)) + "\r\n";
  Write("lines.txt", text);
  auto t0 = Clock::now();
  uint16_t n = FileOpen("LINES.TXT"_v, kOpenReadOnly);
  char buf[1024];
  size_t len, lines = 0;
  while (FileReadLine(n, buf, sizeof buf, &len) == 0) ++lines;
  FileClose(n);
  double s = Seconds(t0);
  printf("line reader: %zu lines, %.1f MB in %.3f s (%.0f lines/s, %.1f MB/s)\n", lines,
         text.size() / 1e6, s, lines / s, text.size() / 1e6 / s);

  // A parameter file of 500 sections of 10 lines; read the last section 100 times.
  std::string ppn;
  for (int sec = 1; sec <= 500; ++sec)
    for (int k = 0; k < 10; ++k) {
      char line[64];
      snprintf(line, sizeof line, "%3d VALUE%d$='some text for the line %d'\r\n", sec, k, k);
      ppn += line;
    }
  Write("big.ppn", ppn);
  t0 = Clock::now();
  for (int i = 0; i < 100; ++i) {
    SectionRead("big.ppn"_v, 3, 500);
    SlotClear(kSlotGroupQueueLines);
  }
  s = Seconds(t0);
  printf("section read: 100 reads of a %.0f KB file in %.3f s (%.2f ms each)\n",
         ppn.size() / 1e3, s, s * 10);

  t0 = Clock::now();
  for (int i = 0; i < 20; ++i) {
    SectionLinesQueue(3, "A=1:B=2:C=3"_v, 250);
    SectionWrite("big.ppn"_v, 3, 250);
  }
  s = Seconds(t0);
  printf("section write: 20 rewrites of a %.0f KB file in %.3f s (%.2f ms each, syncs included)\n",
         ppn.size() / 1e3, s, s * 50);

  std::filesystem::current_path("/");
  std::filesystem::remove_all(dir);
  FilesReset();
  RuntimeFreeAll();
  return 0;
}
