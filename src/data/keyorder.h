// The in-memory order of one key of a data file: a counted B+tree of entries (key bytes,
// sequence number, record number) kept in (key, sequence) order.
//
// Keys are compared as unsigned bytes over the key length. The sequence number breaks ties:
// a record inserted later gets a higher number, so records with equal keys keep the order in
// which they were inserted, and one record's entry is found directly by its key and number.
// Every node knows how many entries each child holds, so an entry's rank (its position in
// the order) and the entry at a rank are found in logarithmic time, and so are the ends of a
// run of keys that begin with a given prefix.
#ifndef ORVALE_DATA_KEYORDER_H
#define ORVALE_DATA_KEYORDER_H

#include <cstddef>
#include <cstdint>

namespace orv {

class KeyOrder {
 public:
  static constexpr size_t kNotFound = ~size_t(0);

  struct Entry {
    const char* key = nullptr;  // key_len() bytes, valid until the next change
    uint64_t seq = 0;
    uint32_t rec = 0;
  };

  explicit KeyOrder(uint16_t key_len);
  ~KeyOrder();
  KeyOrder(KeyOrder&& o) noexcept;
  KeyOrder& operator=(KeyOrder&& o) noexcept;
  KeyOrder(const KeyOrder&) = delete;
  KeyOrder& operator=(const KeyOrder&) = delete;

  uint16_t key_len() const { return klen_; }
  size_t size() const { return size_; }

  // The rank of the first entry whose key's first n bytes (n <= key_len) are not below v.
  size_t LowerBound(const char* v, size_t n) const { return PrefixBound(v, n, false); }
  // The rank of the first entry whose key's first n bytes are above v.
  size_t UpperBound(const char* v, size_t n) const { return PrefixBound(v, n, true); }
  // Adds an entry and returns its rank. (key, seq) must not be present yet.
  size_t Insert(const char* key, uint64_t seq, uint32_t rec);
  // The rank of the entry (key, seq), kNotFound when absent.
  size_t Find(const char* key, uint64_t seq) const;
  // Removes the entry (key, seq); false when absent.
  bool Erase(const char* key, uint64_t seq);
  // The entry at rank r < size().
  Entry At(size_t r) const;
  void Clear();

  // Bulk loading: Clear, then entries in strictly increasing (key, seq) order, then
  // EndBuild. Linear in the number of entries.
  void BuildPush(const char* key, uint64_t seq, uint32_t rec);
  void EndBuild();

  // Calls f(rec) for every entry in order.
  template <class F>
  void ForEach(F f) const {
    for (const Leaf* l = first_leaf(); l; l = next_leaf(l)) {
      for (uint16_t i = 0; i < leaf_count(l); ++i) f(leaf_rec(l, i));
    }
  }

 private:
  struct Node;
  struct Leaf;
  struct Inner;
  struct Split;

  int Cmp(const char* entry, const char* key, uint64_t seq) const;
  size_t PrefixBound(const char* v, size_t n, bool upper) const;
  size_t InsertIn(Node* node, const char* key, uint64_t seq, uint32_t rec, Split* split);
  bool EraseIn(Node* node, const char* key, uint64_t seq);
  void Rebalance(Inner* p, int i);
  static void DropChild(Inner* p, int i, size_t ssz);
  void Free(Node* node);
  Leaf* NewLeaf() const;
  Inner* NewInner() const;
  void SplitLeaf(Leaf* l, Split* split, bool at_end);
  void SplitInner(Inner* in, Split* split);
  size_t Total(const Node* n) const;
  int ChildFor(const Inner* in, const char* key, uint64_t seq) const;
  int LeafLower(const Leaf* l, const char* key, uint64_t seq) const;
  const Leaf* first_leaf() const;
  static const Leaf* next_leaf(const Leaf* l);
  static uint16_t leaf_count(const Leaf* l);
  uint32_t leaf_rec(const Leaf* l, uint16_t i) const;

  uint16_t klen_;
  size_t esz_;     // bytes of a leaf entry: key, seq, rec
  size_t ssz_;     // bytes of a separator: key, seq
  uint16_t lcap_;  // entries of a full leaf
  Node* root_ = nullptr;
  size_t size_ = 0;
  // Bulk loading: the leaves made so far and the one being filled.
  struct BuildState;
  BuildState* build_ = nullptr;
};

}  // namespace orv

#endif  // ORVALE_DATA_KEYORDER_H
