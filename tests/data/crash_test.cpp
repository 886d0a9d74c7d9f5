// A child process loading records is killed with SIGKILL at random points, again and
// again; after each kill, opening the file loses no record whose insert had returned, and
// the files then pass the check, by the engine and by orvale-db.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "data/fields.h"
#include "data/store.h"
#include "data_fixture.h"

namespace orv {
namespace {

class CrashTest : public DataTest {
 protected:
  std::string Code(int i) {
    char b[8];
    std::snprintf(b, sizeof b, "%04d", i);
    return b;
  }

  // The child: inserts records from `first` on, acknowledging each on the pipe; now and
  // then it changes a name or writes its index, so that kills land in those too.
  [[noreturn]] void Child(int first, int ack) {
    std::mt19937 rng{uint32_t(first)};
    if (DataFileOpen(1, 0)) _exit(2);
    for (int i = first;; ++i) {
      if (Insert(Code(i) + "name" + std::to_string(rng() % 10))) _exit(3);
      if (write(ack, &i, sizeof i) != sizeof i) _exit(4);
      if (i % 7 == 0) {
        DataFileWriteField(1, 2, "renamed"_v);
        if (DataFileUpdate(1)) _exit(5);
      }
      if (i % 50 == 0 && DataFileRefresh(1)) _exit(6);
    }
  }
};

TEST_F(CrashTest, KilledLoadsLoseNoAcknowledgedRecord) {
  std::filesystem::create_directories(root_ / "app" / "data");
  std::filesystem::create_directories(root_ / "app" / "datas");
  std::filesystem::current_path(root_ / "app" / "datas");
  Put("app/data/TTDICC.DAT", Lines({"01**00people", FieldLine(1, 4, 'A', "CODE"),
                                    FieldLine(1, 10, 'A', "NAME"), FieldLine(1, 2, 'N', "N"),
                                    "31<0001004", "31<00050100001004"}));
  ASSERT_EQ(DictLoad(ValOf((root_ / "app" / "data").string()), "TT"_v, ""_v), 0);
  std::mt19937 rng(7);
  std::set<int> acked;
  int next = 0;
  int rebuilt = 0;
  for (int round = 0; round < 30; ++round) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(fds[0]);
      Child(next, fds[1]);
    }
    close(fds[1]);
    // Kill it once it has acknowledged a random number of records, wherever it is then.
    int target = 1 + int(rng() % 120);
    int i;
    for (int got = 0; got < target && read(fds[0], &i, sizeof i) == sizeof i; ++got) {
      acked.insert(i);
      next = std::max(next, i + 1);
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child exited with " << WEXITSTATUS(status);
    while (read(fds[0], &i, sizeof i) == sizeof i) {
      acked.insert(i);
      next = std::max(next, i + 1);
    }
    close(fds[0]);
    next += 1;  // a record whose acknowledgement was lost may exist: never reuse its code
    g_data.log.clear();
    ASSERT_EQ(DataFileOpen(1, 0), 0) << S(ErrDetail());
    rebuilt += !g_data.log.empty();
    for (int a : acked) {
      ScratchScope scope;
      ASSERT_EQ(DataFileFind(1, 1, ValOf(Code(a)), 0), kFound) << "record " << a << " lost";
    }
    ASSERT_EQ(DataFileClose(1), 0);
    std::vector<std::string> problems = Problems();
    ASSERT_TRUE(problems.empty()) << problems[0];
  }
  EXPECT_GT(acked.size(), 30u);
  EXPECT_GT(rebuilt, 0);
  std::string cmd = std::string(ORVALE_DB) + " --app " + (root_ / "app").string() + " --prefix TT check";
  EXPECT_EQ(std::system((cmd + " >/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace orv
