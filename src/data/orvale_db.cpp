// orvale-db: the data-file tool for the people who run applications.
//
//   orvale-db [--app DIR] [--prefix XX] COMMAND ...
//
// DIR is an application folder (definitions in DIR/data, data files in DIR/datas); the
// prefix defaults to the first two letters of DIR's name, upper-cased. Exit codes: 0 done,
// 1 check found problems, 2 bad command line, 3 the command failed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/files.h"
#include "core/hostpath.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/fields.h"
#include "data/lockfile.h"
#include "data/reorg.h"
#include "data/state.h"
#include "data/store.h"

namespace orv {
namespace {

enum Exit { kExitOk = 0, kExitProblems = 1, kExitUsage = 2, kExitFailed = 3 };

constexpr const char* kUsage =
    "usage: orvale-db [--app DIR] [--prefix XX] COMMAND ...\n"
    "  files                  one line per data file: number, name, record length, keys,\n"
    "                         live records, free slots\n"
    "  check [FILE ...]       verify data and index files without changing them\n"
    "  repair FILE            rebuild the index from the data file (and finish an\n"
    "                         interrupted reorganisation)\n"
    "  reorg FILE             rebuild the data file without its deleted records\n"
    "  dump FILE [--key K]    every live record in key order, one per line\n"
    "  load FILE              insert each line of standard input as one record\n"
    "  find FILE [--key K]    find each line of standard input as a key value\n"
    "FILE is a data file's name or number.\n";

std::string Utf8(std::string_view cp1252) { return Cp1252ToUtf8(cp1252); }

// Engine texts (CP1252) to standard error, as UTF-8.
int Fail(const std::string& what, Status st) {
  std::string detail = ErrDetail().str();
  std::string text = StatusText(st).str();
  std::fprintf(stderr, "orvale-db: %s: %s (status %u)%s%s\n", Utf8(what).c_str(),
               Utf8(text).c_str(), unsigned(st), detail.empty() ? "" : ": ",
               Utf8(detail).c_str());
  return kExitFailed;
}

void LogToStderr(Val line) { std::fprintf(stderr, "orvale-db: note: %s\n", Utf8(line.sv()).c_str()); }

// A data file by name or number; 0 when none.
uint16_t FileArg(const std::string& arg) {
  ScratchScope scope;
  Val v = ValOf(arg);
  if (!arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos) {
    int n = std::atoi(arg.c_str());
    return n >= 1 && n <= DictFileCount() ? uint16_t(n) : 0;
  }
  std::string cp;
  if (Utf8ToCp1252(arg, &cp)) v = ValCopy(ValOf(cp));
  return DictFileByName(v);
}

// Reads the lines of standard input (CP1252 when they are not UTF-8).
template <class Fn>
Status EachInputLine(Fn fn) {
  std::vector<char> buf(size_t(kMaxValLen) + 1);
  for (;;) {
    size_t len = 0;
    Status st = FileReadLine(kStdIn, buf.data(), buf.size(), &len);
    if (st == kNone) return kOk;
    if (st) return st;
    std::string line(buf.data(), len);
    std::string cp;
    if (Utf8ToCp1252(line, &cp)) line = cp;
    if (Status s = fn(line)) return s;
  }
}

void PrintRecord(Val rec) { std::printf("%s\n", Utf8(rec.sv()).c_str()); }

int Files() {
  for (uint16_t n = 1; n <= DictFileCount(); ++n) {
    const FileDef& f = DictFile(n);
    StorePaths p;
    std::string live = "-", free = "-";
    if (DataFilePaths(n, &p) == kOk) {
      uint32_t fc = 0, nc = 0;
      FsStat st;
      if (ReadIndexCounts(g_files.fs, p.index, &fc, &nc) == kOk) {
        live = std::to_string(nc);
        free = std::to_string(fc);
      } else if (g_files.fs->Stat(p.data, &st) != kOk || st.size == 0) {
        live = free = "0";
      }
    }
    std::printf("%2u %-16s %6u %3zu %10s %8s\n", unsigned(n), Utf8(f.name).c_str(),
                unsigned(f.record_length), f.keys.size(), live.c_str(), free.c_str());
  }
  return kExitOk;
}

int Check(const std::vector<uint16_t>& files) {
  int rc = kExitOk;
  for (uint16_t n : files) {
    const FileDef& f = DictFile(n);
    StorePaths p;
    std::vector<std::string> problems;
    Status st = DataFilePaths(n, &p);
    if (!st) st = CheckStore(g_files.fs, f.record_length, f.keys, p, &problems);
    if (st) return Fail(f.name, st);
    if (problems.empty()) {
      std::printf("%s: ok\n", Utf8(f.name).c_str());
      continue;
    }
    rc = kExitProblems;
    for (const std::string& pr : problems) std::printf("%s: %s\n", Utf8(f.name).c_str(), pr.c_str());
  }
  return rc;
}

int Repair(uint16_t n) {
  const FileDef& f = DictFile(n);
  StorePaths p;
  std::string lock_path;
  Status st = DataFilePaths(n, &p);
  if (!st) st = DataFileLockPath(n, &lock_path);
  if (st) return Fail(f.name, st);
  FsStat work;
  if (g_files.fs->Stat(p.work, &work) == kOk) {
    if ((st = DataFileReorg(n, nullptr))) return Fail(f.name, st);
    std::printf("%s: reorganisation finished\n", Utf8(f.name).c_str());
    return kExitOk;
  }
  LockFile lock;
  if ((st = lock.Acquire(g_files.fs, lock_path, true))) {
    return Fail(f.name, DataFileRefused(st, n, "in use by another program (locked)"));
  }
  if (ProbeLock(g_files.fs, p.marker) == LockState::kLive)
    return Fail(f.name, DataFileRefused(kPermissionDenied, n, "being changed by another program"));
  FileStore store(g_files.fs, f.record_length, f.keys, p);
  if ((st = store.Open(FileStore::kForceRebuild))) return Fail(f.name, st);
  uint32_t live = store.live(), freed = store.free_count();
  if ((st = store.Close())) return Fail(f.name, st);
  std::printf("%s: index rebuilt: %u records, %u free\n", Utf8(f.name).c_str(), unsigned(live),
              unsigned(freed));
  return kExitOk;
}

int Reorg(uint16_t n) {
  if (Status st = DataFileReorg(n, nullptr)) return Fail(DictFile(n).name, st);
  std::printf("%s: reorganised\n", Utf8(DictFile(n).name).c_str());
  return kExitOk;
}

int Dump(uint16_t n, int key) {
  if (Status st = DataFileOpen(n, kModeReadOnly)) return Fail(DictFile(n).name, st);
  Status st = kOk;
  if (key != 1 && (st = DataFileFind(n, key, ""_v, 0)) > kEndOfFile) return Fail(DictFile(n).name, st);
  for (st = DataFileMove(n, kMoveFirst); st == kFound; st = DataFileMove(n, kMoveNext))
    PrintRecord(DataFileRecord(n, kCurrent));
  if (st != kEndOfFile) return Fail(DictFile(n).name, st);
  if ((st = DataFileClose(n))) return Fail(DictFile(n).name, st);
  return kExitOk;
}

int Load(uint16_t n) {
  const std::string& name = DictFile(n).name;
  if (Status st = DataFileOpen(n, kModeExclusive)) return Fail(name, st);
  unsigned inserted = 0, duplicates = 0;
  Status st = EachInputLine([&](const std::string& line) -> Status {
    ScratchScope scope;
    if (Status s = DataFileSetRecord(n, ValOf(line.substr(0, kMaxValLen)))) return s;
    Status s = DataFileInsert(n);
    if (s == kDuplicateKey) ++duplicates;
    else if (s) return s;
    ++inserted;
    return kOk;
  });
  Status closed = DataFileClose(n);
  std::printf("%u inserted, %u with a duplicate key\n", inserted, duplicates);
  if (st) return Fail(name, st);
  if (closed) return Fail(name, closed);
  return kExitOk;
}

int Find(uint16_t n, int key) {
  const std::string& name = DictFile(n).name;
  if (Status st = DataFileOpen(n, kModeReadOnly)) return Fail(name, st);
  Status st = EachInputLine([&](const std::string& line) -> Status {
    ScratchScope scope;
    Status s = DataFileFind(n, key, ValOf(line.substr(0, kMaxValLen)), kFindNext);
    if (s > kEndOfFile) return s;
    std::printf("%u\t%s\n", unsigned(s),
                s <= kNotFound ? Utf8(DataFileRecord(n, kCurrent).sv()).c_str() : "");
    return kOk;
  });
  DataFileClose(n);
  return st ? Fail(name, st) : kExitOk;
}

int Usage(const char* why) {
  std::fprintf(stderr, "orvale-db: %s\n%s", why, kUsage);
  return kExitUsage;
}

int Main(int argc, char** argv) {
  std::string app = ".", prefix;
  std::vector<std::string> args;
  int key = 1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if ((a == "--app" || a == "--prefix" || a == "--key") && i + 1 >= argc)
      return Usage(("missing value after " + a).c_str());
    if (a == "--app") app = argv[++i];
    else if (a == "--prefix") prefix = argv[++i];
    else if (a == "--key") key = std::atoi(argv[++i]);
    else if (a == "--help" || a == "-h") return std::printf("%s", kUsage), kExitOk;
    else args.push_back(a);
  }
  if (args.empty()) return Usage("no command");
  std::error_code ec;
  std::filesystem::path dir = std::filesystem::absolute(app, ec).lexically_normal();
  if (dir.has_filename() == false) dir = dir.parent_path();
  if (prefix.empty()) {
    std::string leaf = dir.filename().string();
    for (size_t i = 0; i < leaf.size() && prefix.size() < 2; ++i)
      prefix += char(AsciiUpper(uint8_t(leaf[i])));
  }
  if (prefix.size() != 2) return Usage("the prefix must have two characters");
  if (!std::filesystem::is_directory(dir / "data", ec))
    return Usage(("no definitions folder " + (dir / "data").string()).c_str());
  std::filesystem::create_directories(dir / "datas", ec);
  std::filesystem::current_path(dir / "datas", ec);
  if (ec) return Usage(("cannot enter " + (dir / "datas").string()).c_str());

  RuntimeSizes(512, 0, 0xFFFF);
  if (RuntimeInit()) {
    std::fprintf(stderr, "orvale-db: cannot start the runtime\n");
    return kExitFailed;
  }
  g_data.hooks.log = LogToStderr;
  int rc;
  {
    ScratchScope scope;
    Val folders = EnginePath((dir / "data").string());
    Status st = DictLoad(folders, ValOf(prefix), ""_v);
    if (st) return Fail(prefix + "DICC.DAT", st);
  }
  const std::string& cmd = args[0];
  std::vector<uint16_t> files;
  for (size_t i = 1; i < args.size(); ++i) {
    uint16_t n = FileArg(args[i]);
    if (!n) return Usage(("no data file " + args[i]).c_str());
    files.push_back(n);
  }
  if (key < 1) return Usage("--key needs a key number");
  auto one = [&](int (*fn)(uint16_t)) {
    return files.size() == 1 ? fn(files[0]) : Usage((cmd + " needs one FILE").c_str());
  };
  if (cmd == "files") {
    rc = Files();
  } else if (cmd == "check") {
    if (files.empty())
      for (uint16_t n = 1; n <= DictFileCount(); ++n) files.push_back(n);
    rc = Check(files);
  } else if (cmd == "repair") {
    rc = one(Repair);
  } else if (cmd == "reorg") {
    rc = one(Reorg);
  } else if (cmd == "load") {
    rc = one(Load);
  } else if (cmd == "dump" || cmd == "find") {
    if (files.size() != 1) return Usage((cmd + " needs one FILE").c_str());
    if (key > DictKeyCount(files[0])) return Usage("no such key");
    rc = cmd == "dump" ? Dump(files[0], key) : Find(files[0], key);
  } else {
    return Usage(("unknown command " + cmd).c_str());
  }
  DataReset();
  RuntimeFreeAll();
  return rc;
}

}  // namespace
}  // namespace orv

int main(int argc, char** argv) { return orv::Main(argc, argv); }
