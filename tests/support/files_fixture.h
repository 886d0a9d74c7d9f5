// A fresh runtime and file layer for each test case, working in a new temporary folder
// that is the current folder during the test and is removed afterwards. Files are set up
// and checked with std::filesystem, independently of the engine's own file layer.
#ifndef ORVALE_TESTS_SUPPORT_FILES_FIXTURE_H
#define ORVALE_TESTS_SUPPORT_FILES_FIXTURE_H

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/faultfs.h"
#include "core/files.h"
#include "support/runtime_fixture.h"

namespace orv {

class FilesTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    FilesReset();
    std::string tmpl = (std::filesystem::temp_directory_path() / "orvale-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    root_ = tmpl;
    saved_cwd_ = std::filesystem::current_path();
    std::filesystem::current_path(root_);
  }
  void TearDown() override {
    FilesReset();
    std::filesystem::current_path(saved_cwd_);
    std::filesystem::remove_all(root_);
    RuntimeTest::TearDown();
  }

  // Puts the fixture's fault-injecting file system in place, with no faults planned yet.
  // It lives until after TearDown has closed every file.
  FaultFs& UseFaults() {
    faults_.Reset();
    g_files.fs = &faults_;
    return faults_;
  }

  // Writes `bytes` to root/rel, making the folders on the way.
  void Put(const std::string& rel, std::string_view bytes) {
    std::filesystem::path p = root_ / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  }
  // The bytes of root/rel ("<missing>" when it does not exist).
  std::string Get(const std::string& rel) const {
    std::ifstream in(root_ / rel, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The sorted names in root/rel.
  std::vector<std::string> Names(const std::string& rel = ".") const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(root_ / rel))
      out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  // The engine path of root/rel ("/" written as "\").
  std::string EnginePathOf(const std::string& rel) const {
    std::string s = (root_ / rel).string();
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
  }

  std::filesystem::path root_;
  std::filesystem::path saved_cwd_;
  FaultFs faults_{PosixFs()};
};

}  // namespace orv

#endif  // ORVALE_TESTS_SUPPORT_FILES_FIXTURE_H
