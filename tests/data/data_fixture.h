// A fresh runtime, file layer and data layer for each test case, in a new temporary folder
// that is the working folder; dictionaries are written into it by the test.
#ifndef ORVALE_TESTS_DATA_DATA_FIXTURE_H
#define ORVALE_TESTS_DATA_DATA_FIXTURE_H

#include <string>
#include <vector>

#include "core/scratch.h"
#include "core/status.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/state.h"
#include "data/store.h"
#include "support/files_fixture.h"

namespace orv {

// A field line of a dictionary: number, length, type, name in their columns.
inline std::string FieldLine(int n, int length, char type, const std::string& name) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d       %03d %c", n, length, type);
  return buf + name;
}

// Lines joined with CR LF.
inline std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

class DataTest : public FilesTest {
 protected:
  uint16_t ScratchKib() const override { return 256; }
  void SetUp() override {
    FilesTest::SetUp();
    DataReset();
  }
  void TearDown() override {
    DataReset();
    FilesTest::TearDown();
  }

  // Writes XXDICC.DAT (and XXREL.DAT when given) and loads it; the status of the load.
  Status Load(const std::string& dicc, const std::string& rel = "", const std::string& prefix = "TT") {
    Put(prefix + "DICC.DAT", dicc);
    if (!rel.empty()) Put(prefix + "REL.DAT", rel);
    return DictLoad(""_v, ValOf(prefix), ""_v);
  }

  // One file "people": CODE A 4, NAME A 10, N A 2; key 1 CODE, key 2 NAME then CODE.
  Status LoadPeople() {
    return Load(Lines({"01**00people", FieldLine(1, 4, 'A', "CODE"), FieldLine(1, 10, 'A', "NAME"),
                       FieldLine(1, 2, 'N', "N"), "31<0001004", "31<00050100001004"}));
  }

  // Puts a record image into file 1's buffer and inserts it.
  Status Insert(const std::string& image, uint16_t file = 1) {
    ScratchScope scope;
    if (Status st = DataFileSetRecord(file, ValOf(image))) return st;
    return DataFileInsert(file);
  }
  // The current record, trailing blanks removed.
  std::string Current(uint16_t file = 1) {
    std::string s = DataFileRecord(file, kCurrent).str();
    return s.substr(0, s.find_last_not_of(' ') + 1);
  }
  // The problems the check finds in a file and its index (empty when consistent).
  std::vector<std::string> Problems(uint16_t file = 1) {
    const FileDef& def = DictFile(file);
    StorePaths paths;
    EXPECT_EQ(DataFilePaths(file, &paths), 0);
    std::vector<std::string> problems;
    EXPECT_EQ(CheckStore(PosixFs(), def.record_length, def.keys, paths, &problems), 0);
    return problems;
  }
  // Every record in the current key's order, trailing blanks removed.
  std::vector<std::string> Scan(uint16_t file = 1) {
    std::vector<std::string> out;
    for (Status st = DataFileMove(file, kMoveFirst); st == kFound; st = DataFileMove(file, kMoveNext))
      out.push_back(Current(file));
    return out;
  }
};

}  // namespace orv

#endif  // ORVALE_TESTS_DATA_DATA_FIXTURE_H
