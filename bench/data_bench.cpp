// The engine's data files side by side with SQLite (C API, WAL, one transaction per phase,
// an index on the same key) on the same generated 200-byte records: inserts in key order
// and in random order, random finds, a full scan in key order, key-changing updates and
// deletes. Prints each phase's time for both and the ratio engine / SQLite.
// The engine makes its files durable when it closes them (data synced, index written
// atomically); SQLite at each COMMIT. Both are timed: the engine's "close" phases against
// the COMMITs, which SQLite's phase times include. A last phase inserts the records in key
// order again, through the save pipeline into a file open for sharing with other programs
// (each insert in turn with them: the sync lock, the change count, a look at the index).
//
// Usage: data_bench [RECORDS [FOLDER]]   (default 1000000 records in a new folder in /tmp)
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "data/commands.h"
#include "data/datafile.h"
#include "data/dict.h"
#include "data/fields.h"
#include "data/relup.h"
#include "data/save.h"
#include "data/state.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace orv;

double Seconds(const std::function<void()>& fn) {
  auto t0 = Clock::now();
  fn();
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

void Die(const char* what) {
  std::fprintf(stderr, "data_bench: %s\n", what);
  std::exit(1);
}

std::string KeyText(uint32_t n) {
  char b[16];
  std::snprintf(b, sizeof b, "%010u", n);
  return b;
}

std::string Payload(uint32_t n) {
  std::string p(190, ' ');
  std::snprintf(p.data(), p.size(), "payload of record %u", n);
  p[std::char_traits<char>::length(p.c_str())] = ' ';
  return p;
}

struct Sql {
  sqlite3* db = nullptr;
  void Exec(const char* s) {
    char* err = nullptr;
    if (sqlite3_exec(db, s, nullptr, nullptr, &err) != SQLITE_OK) Die(err ? err : s);
  }
  sqlite3_stmt* Prep(const char* s) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, s, -1, &st, nullptr) != SQLITE_OK) Die(sqlite3_errmsg(db));
    return st;
  }
  static void Run(sqlite3_stmt* st) {
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) Die("step");
    sqlite3_reset(st);
  }
};

struct Row {
  const char* phase;
  double engine, sqlite;
};

}  // namespace

int main(int argc, char** argv) {
  uint32_t n = argc > 1 ? uint32_t(std::strtoul(argv[1], nullptr, 10)) : 1000000;
  uint32_t changes = n / 10;
  std::filesystem::path dir = argc > 2 ? std::filesystem::path(argv[2])
                                       : std::filesystem::temp_directory_path() /
                                             ("orvale-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);

  // The same records for both: keys 0..n-1, in order and in a random order.
  std::vector<uint32_t> order(n);
  for (uint32_t i = 0; i < n; ++i) order[i] = i;
  std::vector<uint32_t> shuffled = order;
  std::mt19937 rng(42);
  std::shuffle(shuffled.begin(), shuffled.end(), rng);
  std::vector<uint32_t> probes(n);
  for (uint32_t& p : probes) p = uint32_t(rng() % n);
  std::vector<uint32_t> victims(shuffled.begin(), shuffled.begin() + 2 * changes);

  RuntimeSizes(512, 0, 0xFFFF);
  if (RuntimeInit()) Die("runtime");
  FILE* dict = std::fopen("BEDICC.DAT", "wb");
  std::fputs("01**00inorder\r\n01       010 AKEY\r\n01       190 ADATA\r\n"
             "02**00random\r\n02       010 AKEY\r\n02       190 ADATA\r\n"
             "03**00shared\r\n03       010 AKEY\r\n03       190 ADATA\r\n",
             dict);
  std::fclose(dict);
  if (DictLoad(""_v, "BE"_v, ""_v)) Die("dictionary");

  Sql sql;
  if (sqlite3_open("bench.sqlite", &sql.db) != SQLITE_OK) Die("sqlite open");
  sql.Exec("PRAGMA journal_mode=WAL");
  sql.Exec("CREATE TABLE inorder(k TEXT, v TEXT); CREATE INDEX inorder_k ON inorder(k);"
           "CREATE TABLE random(k TEXT, v TEXT); CREATE INDEX random_k ON random(k);");

  auto engine_insert = [&](uint16_t file, const std::vector<uint32_t>& keys) {
    if (DataFileOpen(file, kModeExclusive)) Die("open");
    for (uint32_t k : keys) {
      ScratchScope scope;
      std::string rec = KeyText(k) + Payload(k);
      if (DataFileSetRecord(file, ValOf(rec)) || DataFileInsert(file)) Die("insert");
    }
  };
  auto sql_insert = [&](const char* table, const std::vector<uint32_t>& keys) {
    sql.Exec("BEGIN");
    std::string q = std::string("INSERT INTO ") + table + " VALUES(?, ?)";
    sqlite3_stmt* st = sql.Prep(q.c_str());
    for (uint32_t k : keys) {
      std::string key = KeyText(k), pay = Payload(k);
      sqlite3_bind_text(st, 1, key.data(), int(key.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(st, 2, pay.data(), int(pay.size()), SQLITE_TRANSIENT);
      Sql::Run(st);
    }
    sqlite3_finalize(st);
    sql.Exec("COMMIT");
  };

  std::vector<Row> rows;
  rows.push_back({"insert in key order", Seconds([&] { engine_insert(1, order); }),
                  Seconds([&] { sql_insert("inorder", order); })});
  rows.push_back({"  close (sync, index)", Seconds([&] {
                    if (DataFileClose(1)) Die("close");
                  }),
                  0});
  rows.push_back({"insert in random order", Seconds([&] { engine_insert(2, shuffled); }),
                  Seconds([&] { sql_insert("random", shuffled); })});
  rows.push_back({"  close (sync, index)", Seconds([&] {
                    if (DataFileClose(2)) Die("close");
                  }),
                  0});
  if (DataFileOpen(2, kModeExclusive)) Die("open");
  uint64_t found = 0;
  rows.push_back({"random finds", Seconds([&] {
                    for (uint32_t p : probes) {
                      ScratchScope scope;
                      std::string key = KeyText(p);
                      found += DataFileFind(2, 1, ValOf(key), 0) == kFound;
                    }
                  }),
                  Seconds([&] {
                    sql.Exec("BEGIN");
                    sqlite3_stmt* st = sql.Prep("SELECT v FROM random WHERE k = ?");
                    for (uint32_t p : probes) {
                      std::string key = KeyText(p);
                      sqlite3_bind_text(st, 1, key.data(), int(key.size()), SQLITE_TRANSIENT);
                      found += sqlite3_step(st) == SQLITE_ROW && sqlite3_column_bytes(st, 0) == 190;
                      sqlite3_reset(st);
                    }
                    sqlite3_finalize(st);
                    sql.Exec("COMMIT");
                  })});
  uint64_t scanned = 0;
  rows.push_back({"full scan in key order", Seconds([&] {
                    for (Status st = DataFileMove(2, kMoveFirst); st == kFound;
                         st = DataFileMove(2, kMoveNext))
                      scanned += DataFileRecord(2, kCurrent).len;
                  }),
                  Seconds([&] {
                    sql.Exec("BEGIN");
                    sqlite3_stmt* st = sql.Prep("SELECT k, v FROM random ORDER BY k");
                    while (sqlite3_step(st) == SQLITE_ROW)
                      scanned += uint64_t(sqlite3_column_bytes(st, 0) + sqlite3_column_bytes(st, 1));
                    sqlite3_finalize(st);
                    sql.Exec("COMMIT");
                  })});
  rows.push_back({"key-changing updates", Seconds([&] {
                    for (uint32_t i = 0; i < changes; ++i) {
                      ScratchScope scope;
                      std::string key = KeyText(victims[i]);
                      std::string now = "U" + KeyText(victims[i]).substr(1);
                      if (DataFileFind(2, 1, ValOf(key), 0) != kFound) Die("update find");
                      if (DataFileWriteField(2, 1, ValOf(now)) || DataFileUpdate(2)) Die("update");
                    }
                  }),
                  Seconds([&] {
                    sql.Exec("BEGIN");
                    sqlite3_stmt* st = sql.Prep("UPDATE random SET k = ? WHERE k = ?");
                    for (uint32_t i = 0; i < changes; ++i) {
                      std::string key = KeyText(victims[i]);
                      std::string now = "U" + key.substr(1);
                      sqlite3_bind_text(st, 1, now.data(), int(now.size()), SQLITE_TRANSIENT);
                      sqlite3_bind_text(st, 2, key.data(), int(key.size()), SQLITE_TRANSIENT);
                      Sql::Run(st);
                    }
                    sqlite3_finalize(st);
                    sql.Exec("COMMIT");
                  })});
  rows.push_back({"deletes", Seconds([&] {
                    for (uint32_t i = changes; i < 2 * changes; ++i) {
                      ScratchScope scope;
                      std::string key = KeyText(victims[i]);
                      if (DataFileFind(2, 1, ValOf(key), 0) != kFound) Die("delete find");
                      if (DataFileDelete(2, 0)) Die("delete");
                    }
                  }),
                  Seconds([&] {
                    sql.Exec("BEGIN");
                    sqlite3_stmt* st = sql.Prep("DELETE FROM random WHERE k = ?");
                    for (uint32_t i = changes; i < 2 * changes; ++i) {
                      std::string key = KeyText(victims[i]);
                      sqlite3_bind_text(st, 1, key.data(), int(key.size()), SQLITE_TRANSIENT);
                      Sql::Run(st);
                    }
                    sqlite3_finalize(st);
                    sql.Exec("COMMIT");
                  })});
  rows.push_back({"  close (sync, index)", Seconds([&] {
                    if (DataFileClose(2)) Die("close");
                  }),
                  0});

  // The pipeline has no counterpart in SQLite: its rows come after the total.
  std::vector<Row> alone;
  alone.push_back({"insert through the pipeline", Seconds([&] {
                    if (DataFileOpen(3, 0)) Die("open");
                    for (uint32_t k : order) {
                      ScratchScope scope;
                      std::string rec = KeyText(k) + Payload(k);
                      if (DataFileSetRecord(3, ValOf(rec)) ||
                          DataFileSave(kSaveInsert, 3, kRelationsNone, Val()))
                        Die("pipeline insert");
                    }
                  }),
                  0});
  alone.push_back({"  close (sync, index)", Seconds([&] {
                    if (DataFileClose(3)) Die("close");
                  }),
                  0});

  std::printf("%u records of 200 bytes, %u updates, %u deletes (checks: %llu found, %llu bytes scanned)\n",
              n, changes, changes, static_cast<unsigned long long>(found),
              static_cast<unsigned long long>(scanned));
  std::printf("%-26s %10s %10s %8s\n", "phase", "engine s", "sqlite s", "ratio");
  double te = 0, ts = 0;
  for (const Row& r : rows) {
    te += r.engine;
    ts += r.sqlite;
    if (r.sqlite > 0)
      std::printf("%-26s %10.3f %10.3f %8.2f\n", r.phase, r.engine, r.sqlite, r.engine / r.sqlite);
    else
      std::printf("%-26s %10.3f %10s %8s\n", r.phase, r.engine, "-", "");
  }
  std::printf("%-26s %10.3f %10.3f %8.2f\n", "total", te, ts, te / ts);
  for (const Row& r : alone) std::printf("%-26s %10.3f %10s %8s\n", r.phase, r.engine, "-", "");
  sqlite3_close(sql.db);
  DataReset();
  RuntimeFreeAll();
  if (argc <= 2) std::filesystem::remove_all(dir);
  return 0;
}
