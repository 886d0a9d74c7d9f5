// The counted B+tree against a sorted vector, under seeded random inserts and erases.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "data/keyorder.h"

namespace orv {
namespace {

struct Model {
  using Item = std::tuple<std::string, uint64_t, uint32_t>;
  std::vector<Item> items;  // sorted by (key, seq)
  size_t Lower(const std::string& v) const {
    return size_t(std::partition_point(items.begin(), items.end(), [&](const Item& it) {
                    return std::get<0>(it).compare(0, v.size(), v) < 0;
                  }) - items.begin());
  }
  size_t Upper(const std::string& v) const {
    return size_t(std::partition_point(items.begin(), items.end(), [&](const Item& it) {
                    return std::get<0>(it).compare(0, v.size(), v) <= 0;
                  }) - items.begin());
  }
};

void Same(const KeyOrder& t, const Model& m) {
  ASSERT_EQ(t.size(), m.items.size());
  std::vector<uint32_t> recs;
  t.ForEach([&](uint32_t r) { recs.push_back(r); });
  ASSERT_EQ(recs.size(), m.items.size());
  for (size_t i = 0; i < m.items.size(); ++i) {
    KeyOrder::Entry e = t.At(i);
    ASSERT_EQ(std::string(e.key, t.key_len()), std::get<0>(m.items[i])) << i;
    ASSERT_EQ(e.seq, std::get<1>(m.items[i]));
    ASSERT_EQ(e.rec, std::get<2>(m.items[i]));
    ASSERT_EQ(recs[i], e.rec);
  }
}

// Keys over a small alphabet, so that runs of equal keys and shared prefixes are common.
std::string RandomKey(std::mt19937& rng, size_t len, int alphabet) {
  std::string k(len, 'a');
  for (size_t i = 0; i < len && i < 3; ++i) k[i] = char('a' + rng() % alphabet);
  return k;
}

void Exercise(uint16_t klen, int alphabet, int ops, uint32_t seed, size_t bulk) {
  std::mt19937 rng(seed);
  KeyOrder t(klen);
  Model m;
  uint64_t seq = 0;
  uint32_t rec = 0;
  for (size_t i = 0; i < bulk; ++i)
    m.items.emplace_back(RandomKey(rng, klen, alphabet), seq++, rec++);
  std::sort(m.items.begin(), m.items.end());
  for (const auto& [k, s, r] : m.items) t.BuildPush(k.data(), s, r);
  t.EndBuild();
  Same(t, m);
  for (int op = 0; op < ops; ++op) {
    int what = int(rng() % 10);
    if (what < 5 || m.items.empty()) {
      std::string k = RandomKey(rng, klen, alphabet);
      Model::Item item{k, seq++, rec++};
      auto at = std::upper_bound(m.items.begin(), m.items.end(), item);
      size_t want = size_t(at - m.items.begin());
      m.items.insert(at, item);
      ASSERT_EQ(t.Insert(k.data(), std::get<1>(item), std::get<2>(item)), want);
    } else if (what < 9) {
      size_t i = rng() % m.items.size();
      auto [k, s, r] = m.items[i];
      ASSERT_EQ(t.Find(k.data(), s), i);
      ASSERT_TRUE(t.Erase(k.data(), s));
      ASSERT_FALSE(t.Erase(k.data(), s));
      ASSERT_EQ(t.Find(k.data(), s), KeyOrder::kNotFound);
      m.items.erase(m.items.begin() + long(i));
    } else if (klen > 0) {
      std::string v = RandomKey(rng, klen, alphabet).substr(0, 1 + rng() % std::min<size_t>(klen, 3));
      ASSERT_EQ(t.LowerBound(v.data(), v.size()), m.Lower(v)) << v;
      ASSERT_EQ(t.UpperBound(v.data(), v.size()), m.Upper(v)) << v;
    }
    if (op % 4999 == 0) Same(t, m);
  }
  Same(t, m);
  // Emptied completely, the tree takes entries again.
  while (!m.items.empty()) {
    auto [k, s, r] = m.items.back();
    ASSERT_TRUE(t.Erase(k.data(), s));
    m.items.pop_back();
  }
  EXPECT_EQ(t.size(), 0u);
  std::string k(klen, 'z');
  EXPECT_EQ(t.Insert(k.data(), 1, 7), 0u);
  EXPECT_EQ(t.At(0).rec, 7u);
}

TEST(KeyOrderTest, ShortKeysWithManyEqualRuns) { Exercise(3, 3, 20000, 1, 0); }
TEST(KeyOrderTest, BulkLoadedThenChanged) { Exercise(6, 8, 15000, 2, 8000); }
TEST(KeyOrderTest, LongKeysMakeSmallLeaves) { Exercise(700, 5, 6000, 3, 2000); }
TEST(KeyOrderTest, EmptyKeysOrderByInsertion) { Exercise(0, 1, 3000, 4, 100); }

}  // namespace
}  // namespace orv
