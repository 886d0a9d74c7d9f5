// Temporary names and files: fresh names, exclusive creation, never an existing file lost.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "core/faultfs.h"
#include "core/files.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/tempfiles.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

using TempFilesTest = FilesTest;

TEST_F(TempFilesTest, NamesAreFreshWithoutDotOrFolder) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    ScratchScope scope;
    std::string n = S(TempName());
    EXPECT_EQ(n.size(), 8u);
    EXPECT_EQ(n.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);
    seen.insert(n);
  }
  EXPECT_EQ(seen.size(), 200u);
}

TEST_F(TempFilesTest, TempFileCreatesANewEmptyFileHere) {
  std::string name = S(TempFile("PMT"_v));
  ASSERT_EQ(name.size(), 12u);
  EXPECT_EQ(name.substr(8), ".PMT");
  EXPECT_EQ(Get(name), "");
  EXPECT_EQ(Names(), std::vector<std::string>{name});
}

TEST_F(TempFilesTest, TakenNamesAreSkippedNeverOverwritten) {
  // The file system says the first two names are taken: the third is used, and nothing
  // is deleted or truncated on the way.
  Put("keep.txt", "keep");
  FaultFs& faults = UseFaults();
  faults.FailAt(FsOp::kOpen, 1, kFileExists);
  std::string first = S(TempFile("TMP"_v));
  EXPECT_EQ(faults.Calls(FsOp::kOpen), 2u);
  EXPECT_EQ(faults.Calls(FsOp::kRemove), 0u);
  EXPECT_EQ(Get(first), "");
  EXPECT_EQ(Get("keep.txt"), "keep");
}

TEST_F(TempFilesTest, TempPathLiesInTheTempFolder) {
  const char* old = getenv("TMPDIR");
  std::string saved = old ? old : "";
  Put("tmp/.keep", "");
  setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
  std::string path = S(TempPath("prn"_v));
  if (old) setenv("TMPDIR", saved.c_str(), 1);
  else unsetenv("TMPDIR");
  EXPECT_EQ(path.rfind(EnginePathOf("tmp") + "\\", 0), 0u) << path;
  EXPECT_EQ(Names("tmp").size(), 2u);
  EXPECT_EQ(S(TempCreate("nowhere"_v, "x"_v)), "<error 164>");
}

}  // namespace
}  // namespace orv
