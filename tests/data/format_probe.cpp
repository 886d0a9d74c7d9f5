// Writes a data file and its index through the engine with seeded random inserts, updates
// and deletes, and prints what an independent reader must find in them: the record length,
// the keys' byte ranges, the free slots in the order they were freed, and each key's
// records in key order (hex), as one JSON object. Usage: format_probe FOLDER SEED
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/state.h"

namespace orv {
namespace {

struct Rec {
  uint32_t slot;
  std::string image;
  uint64_t seq[2];
};

std::string Key(const std::string& image, int k) {
  return k == 0 ? image.substr(0, 3) : image.substr(3, 6) + image.substr(0, 3);
}

std::string Hex(const std::string& s) {
  static const char* d = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out += d[c >> 4];
    out += d[c & 15];
  }
  return out;
}

int Run(const char* folder, uint32_t seed) {
  if (chdir(folder)) return 2;
  FILE* dict = std::fopen("PRDICC.DAT", "wb");
  if (!dict) return 2;
  std::fputs("01**00probe\r\n01       003 ACODE\r\n01       006 ANAME\r\n01       003 NQTY\r\n"
             "31<0001003\r\n31<00040060001003\r\n",
             dict);
  std::fclose(dict);
  RuntimeSizes(256, 0, 0xFFFF);
  if (RuntimeInit() || DictLoad(""_v, "PR"_v, ""_v) || DataFileOpen(1, 0)) return 3;
  std::mt19937 rng(seed);
  std::vector<Rec> live;
  std::vector<uint32_t> free_slots;
  uint32_t slots = 0;
  uint64_t seq = 0;
  for (int op = 0; op < 4000; ++op) {
    ScratchScope scope;
    // The last operations only delete, so that the file ends with free slots.
    int what = op >= 3800 ? 9 : int(rng() % 10);
    if (what < 5 || live.empty()) {
      char img[13];
      std::snprintf(img, sizeof img, "%c%02u%-6s%3u", char('A' + rng() % 3), unsigned(rng() % 30),
                    std::string(1 + rng() % 3, char('a' + rng() % 4)).c_str(), unsigned(rng() % 999));
      if (DataFileSetRecord(1, ValOf(img)) || DataFileInsert(1) > kDuplicateKey) return 4;
      uint32_t slot = slots;
      if (!free_slots.empty()) {
        slot = free_slots.back();
        free_slots.pop_back();
      } else {
        ++slots;
      }
      live.push_back(Rec{slot, img, {seq, seq + 1}});
      seq += 2;
      continue;
    }
    size_t i = rng() % live.size();
    // The record's place among its equals in key 1 tells how far to move from the run's
    // first record.
    std::vector<Rec*> run;
    for (Rec& r : live)
      if (Key(r.image, 0) == Key(live[i].image, 0)) run.push_back(&r);
    std::sort(run.begin(), run.end(), [](Rec* a, Rec* b) { return a->seq[0] < b->seq[0]; });
    if (DataFileFind(1, 1, ValOf(Key(live[i].image, 0)), 0) != kFound) return 5;
    for (Rec* r : run) {
      if (r == &live[i]) break;
      if (DataFileMove(1, kMoveNext) != kFound) return 5;
    }
    if (DataFileRecord(1, kCurrent).str() != live[i].image) return 6;
    if (what < 8) {
      std::string img = live[i].image;
      img.replace(3, 6, std::string(1 + rng() % 3, char('a' + rng() % 4)) + "     ", 0, 6);
      if (rng() % 2) img[0] = char('A' + rng() % 3);
      if (DataFileSetRecord(1, ValOf(img)) || DataFileUpdate(1)) return 7;
      for (int k = 0; k < 2; ++k)
        if (Key(img, k) != Key(live[i].image, k)) live[i].seq[k] = seq++;
      live[i].image = img;
    } else {
      if (DataFileDelete(1, 0)) return 8;
      free_slots.push_back(live[i].slot);
      live.erase(live.begin() + long(i));
    }
  }
  if (DataFileClose(1)) return 9;
  std::printf("{\"record_len\": 12, \"keys\": [[[0, 3]], [[3, 6], [0, 3]]], \"free\": [");
  for (size_t i = 0; i < free_slots.size(); ++i) std::printf("%s%u", i ? ", " : "", free_slots[i]);
  std::printf("], \"orders\": [");
  for (int k = 0; k < 2; ++k) {
    std::vector<Rec*> o;
    for (Rec& r : live) o.push_back(&r);
    std::sort(o.begin(), o.end(), [k](Rec* a, Rec* b) {
      std::string ka = Key(a->image, k), kb = Key(b->image, k);
      return ka != kb ? ka < kb : a->seq[k] < b->seq[k];
    });
    std::printf("%s[", k ? ", " : "");
    for (size_t i = 0; i < o.size(); ++i) std::printf("%s\"%s\"", i ? ", " : "", Hex(o[i]->image).c_str());
    std::printf("]");
  }
  std::printf("]}\n");
  DataReset();
  RuntimeFreeAll();
  return 0;
}

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  return orv::Run(argv[1], uint32_t(std::strtoul(argv[2], nullptr, 10)));
}
