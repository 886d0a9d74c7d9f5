// Seeded random inserts, updates, deletes, finds and moves against a reference model that
// keeps the records in plain vectors; after every close the files on disk must pass the
// check against each other, and the orders must be the model's.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "data/store.h"
#include "data_fixture.h"

namespace orv {
namespace {

struct Rec {
  int id;
  std::string image;       // 16 bytes: CODE 4, NAME 10, N 2
  uint64_t seq[2];         // insertion order among equal keys, per key
};

std::string KeyOf(const Rec& r, int k) {
  return k == 0 ? r.image.substr(0, 4) : r.image.substr(4, 10) + r.image.substr(0, 4);
}

class Model {
 public:
  std::vector<Rec> live;
  int cur = -1;  // id of the current record
  int64_t pos = 0;
  int key = 0;
  uint64_t next_seq = 0;
  int next_id = 0;

  std::vector<const Rec*> Order(int k) const {
    std::vector<const Rec*> o;
    for (const Rec& r : live) o.push_back(&r);
    std::sort(o.begin(), o.end(), [k](const Rec* a, const Rec* b) {
      std::string ka = KeyOf(*a, k), kb = KeyOf(*b, k);
      return ka != kb ? ka < kb : a->seq[k] < b->seq[k];
    });
    return o;
  }
  int64_t RankOf(int id) const {
    std::vector<const Rec*> o = Order(key);
    for (size_t i = 0; i < o.size(); ++i)
      if (o[i]->id == id) return int64_t(i);
    return -1;
  }
  Rec* Find(int id) {
    for (Rec& r : live)
      if (r.id == id) return &r;
    return nullptr;
  }
};

class ModelTest : public DataTest {
 protected:
  std::mt19937 rng{20240611};
  Model m;

  std::string RandomImage() {
    static const char* names[] = {"ann", "bob", "cy", "dee", "ed"};
    std::string code = "K" + std::to_string(rng() % 40);
    code.resize(4, ' ');
    std::string name = names[rng() % 5];
    name.resize(10, ' ');
    std::string n = std::to_string(rng() % 100);
    n.insert(0, 2 - n.size(), ' ');
    return code + name + n;
  }

  void ExpectCurrent(Status st) {
    ASSERT_LE(st, kEndOfFile);
    if (st == kFound) {
      ASSERT_GE(m.cur, 0);
      ASSERT_EQ(DataFileRecord(1, kCurrent).str(), m.Find(m.cur)->image);
    }
  }

  void CheckFilesAndOrders() {
    ASSERT_EQ(DataFileClose(1), 0);
    std::vector<std::string> problems = Problems();
    ASSERT_TRUE(problems.empty()) << problems[0];
    ASSERT_EQ(DataFileOpen(1, 0), 0);
    for (int k = 0; k < 2; ++k) {
      ScratchScope scope;
      DataFileFind(1, k + 1, ""_v, 0);
      std::vector<std::string> got;
      for (Status st = DataFileMove(1, kMoveFirst); st == kFound; st = DataFileMove(1, kMoveNext))
        got.push_back(DataFileRecord(1, kCurrent).str());
      std::vector<std::string> want;
      for (const Rec* r : m.Order(k)) want.push_back(r->image);
      ASSERT_EQ(got, want) << "key " << k + 1;
    }
    // A reopened file is at its first record in key 1.
    DataFileFind(1, 1, ""_v, 0);
    m.key = 0;
    m.cur = -1;
    m.pos = 0;
  }

  void Step() {
    int what = int(rng() % 100);
    ScratchScope scope;
    if (what < 30) {  // insert
      std::string image = RandomImage();
      ASSERT_EQ(DataFileSetRecord(1, ValOf(image)), 0);
      Status st = DataFileInsert(1);
      bool dup = false;
      for (const Rec& r : m.live) dup |= KeyOf(r, m.key) == KeyOf(Rec{0, image, {}}, m.key);
      ASSERT_EQ(st, dup ? Status(kDuplicateKey) : kOk);
      m.live.push_back(Rec{m.next_id++, image, {m.next_seq, m.next_seq + 1}});
      m.next_seq += 2;
      m.cur = m.live.back().id;
      m.pos = m.RankOf(m.cur);
    } else if (what < 45) {  // find a prefix in a random key
      int k = int(rng() % 2);
      std::string v = k == 0 ? RandomImage().substr(0, 1 + rng() % 4) : RandomImage().substr(4, 1 + rng() % 10);
      int flags = int(rng() % 3);
      Status st = DataFileFind(1, k + 1, ValOf(v), flags);
      m.key = k;
      std::vector<const Rec*> o = m.Order(k);
      size_t lo = 0;
      while (lo < o.size() && KeyOf(*o[lo], k).compare(0, v.size(), v) < 0) ++lo;
      Status want = kEndOfFile;
      if (lo < o.size()) want = KeyOf(*o[lo], k).compare(0, v.size(), v) == 0 ? kFound : kNotFound;
      ASSERT_EQ(st, want);
      m.pos = int64_t(lo);
      if (want == kFound || (want == kNotFound && (flags & kFindNext))) m.cur = o[lo]->id;
      else if (flags & kFindBlank) m.cur = -1;
      if (want == kFound || (want == kNotFound && (flags & kFindNext))) {
        ASSERT_EQ(DataFileRecord(1, kCurrent).str(), o[lo]->image);
      }
    } else if (what < 70) {  // move
      static const int moves[] = {kMoveFirst, kMoveLast, kMoveNext, kMovePrevious, 0};
      int flags = moves[rng() % 5] | (rng() % 2 ? kMoveReadEdge : 0);
      Status st = DataFileMove(1, flags);
      std::vector<const Rec*> o = m.Order(m.key);
      int64_t n = int64_t(o.size());
      Status want = kFound;
      int64_t p = m.pos;
      switch (flags & kMoveDirection) {
        case kMoveFirst: p = 0; break;
        case kMoveLast: p = n - 1; break;
        case kMoveNext: ++p; break;
        case kMovePrevious: --p; break;
      }
      if (n == 0) {
        want = kEndOfFile;
        p = 0;
      } else if (p < 0) {
        p = 0;
        want = kNotFound;
      } else if (p >= n) {
        p = n - 1;
        want = kEndOfFile;
      }
      ASSERT_EQ(st, want);
      m.pos = p;
      bool read = n > 0 && (want == kFound || (want == kNotFound && (flags & kMoveReadEdge)));
      m.cur = read ? o[size_t(p)]->id : -1;
      ExpectCurrent(read ? Status(kFound) : want);
    } else if (what < 88) {  // update the current record
      Rec* r = m.cur >= 0 ? m.Find(m.cur) : nullptr;
      std::string image = RandomImage();
      ASSERT_EQ(DataFileSetRecord(1, ValOf(image)), 0);
      bool changed = DataFileChanged(1);
      Status st = DataFileUpdate(1);
      if (!r) {
        ASSERT_EQ(st, changed ? kDataError : kOk);
        DataFileKeep(1, 2);
        return;
      }
      ASSERT_EQ(st, kOk);
      for (int k = 0; k < 2; ++k)
        if (KeyOf(*r, k) != KeyOf(Rec{0, image, {}}, k)) r->seq[k] = m.next_seq++;
      r->image = image;
      m.pos = m.RankOf(m.cur);
    } else {  // delete the current record
      Status st = DataFileDelete(1, 0);
      if (m.cur < 0) {
        ASSERT_EQ(st, kDataError);
        return;
      }
      ASSERT_EQ(st, kOk);
      m.live.erase(std::find_if(m.live.begin(), m.live.end(), [&](const Rec& r) { return r.id == m.cur; }));
      m.cur = -1;
    }
  }
};

TEST_F(ModelTest, RandomOperationsMatchTheModel) {
  ASSERT_EQ(LoadPeople(), 0);
  ASSERT_EQ(DataFileOpen(1, 0), 0);
  for (int i = 0; i < 3000; ++i) {
    ASSERT_NO_FATAL_FAILURE(Step()) << "step " << i;
    if (i % 250 == 249) {
      ASSERT_NO_FATAL_FAILURE(CheckFilesAndOrders()) << "step " << i;
    }
  }
  ASSERT_NO_FATAL_FAILURE(CheckFilesAndOrders());
  EXPECT_GT(m.live.size(), 100u);
}

}  // namespace
}  // namespace orv
