// The POSIX file system's contract where the layers above do not reach it, and the fault
// wrapper's planned failures.
#include <gtest/gtest.h>

#include <string>

#include "core/faultfs.h"
#include "core/fs.h"
#include "core/status.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

using FsTest = FilesTest;

TEST_F(FsTest, LocksReadsAndCreation) {
  Fs* fs = PosixFs();
  FsFile a(fs), b(fs);
  ASSERT_EQ(a.Open("l.dat", kFsRead | kFsWrite | kFsCreate | kFsExclusive), 0);
  EXPECT_EQ(b.Open("l.dat", kFsRead | kFsWrite | kFsCreate | kFsExclusive), kFileExists);
  ASSERT_EQ(b.Open("l.dat", kFsRead), 0);
  EXPECT_EQ(fs->Lock(a.fd(), FsLock::kExclusive, false), 0);
  EXPECT_EQ(fs->Lock(b.fd(), FsLock::kShared, false), kFileExists);  // held elsewhere
  EXPECT_EQ(fs->Lock(a.fd(), FsLock::kUnlock, false), 0);
  EXPECT_EQ(fs->Lock(b.fd(), FsLock::kShared, false), 0);

  size_t done;
  ASSERT_EQ(fs->WriteAt(a.fd(), 0, "abc", 3, &done), 0);
  char buf[8];
  EXPECT_EQ(fs->ReadAt(b.fd(), 1, buf, sizeof buf, &done), 0);  // short only at the end
  EXPECT_EQ(std::string(buf, done), "bc");
  EXPECT_EQ(fs->Truncate(a.fd(), 1), 0);
  uint64_t size;
  EXPECT_EQ(fs->Size(b.fd(), &size), 0);
  EXPECT_EQ(size, 1u);
  EXPECT_EQ(a.Open("sub", kFsRead), kFileNotFound);
  Put("sub/x", "");
  EXPECT_EQ(a.Open("sub", kFsRead), kFileNotFound);  // a folder is no file
  EXPECT_EQ(fs->MakeDir("sub"), kFileExists);
}

TEST_F(FsTest, FaultsHitTheCallTheyArePlannedFor) {
  FaultFs faults(PosixFs());
  FsFile f(&faults);
  ASSERT_EQ(f.Open("f.dat", kFsRead | kFsWrite | kFsCreate), 0);
  faults.FailAt(FsOp::kWriteAt, 2, kDiskIo, 2);
  size_t done;
  EXPECT_EQ(faults.WriteAt(f.fd(), 0, "abcd", 4, &done), 0);
  EXPECT_EQ(faults.WriteAt(f.fd(), 4, "efgh", 4, &done), kDiskIo);
  EXPECT_EQ(done, 2u);
  EXPECT_EQ(faults.WriteAt(f.fd(), 6, "ij", 2, &done), 0);  // one failure only
  faults.SetSpace(1);
  EXPECT_EQ(faults.WriteAt(f.fd(), 8, "kl", 2, &done), kDiskIo);
  EXPECT_EQ(done, 1u);
  EXPECT_EQ(faults.WriteAt(f.fd(), 9, "m", 1, &done), kDiskIo);
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(faults.Calls(FsOp::kWriteAt), 5u);
  f.Close();
  EXPECT_EQ(Get("f.dat"), "abcdefijk");
}

}  // namespace
}  // namespace orv
