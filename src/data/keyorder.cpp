// The counted B+tree of a key order.
//
// Leaves hold entries (key, seq, rec) packed at esz_ bytes each and are chained in order.
// Inner nodes hold up to kFan children with the number of entries below each and, for every
// child but the first, a separator (key, seq) that is not above any entry of that child and
// is above every entry of the children before it. Separators are set when a node is split or
// its entries are shared with a sibling; erasing the smallest entry of a child leaves its
// separator below the child's entries, which keeps the rule true.
#include "data/keyorder.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <vector>

namespace orv {

namespace {

constexpr int kFan = 64;             // children of a full inner node
constexpr size_t kLeafBytes = 4096;  // bytes of a full leaf's entries
constexpr uint16_t kMinLeaf = 8;     // entries of a full leaf at least

int CmpSeq(uint64_t a, uint64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

uint64_t LoadSeq(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

uint32_t LoadRec(const char* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

}  // namespace

struct KeyOrder::Node {
  bool leaf;
  uint16_t n = 0;
  explicit Node(bool is_leaf) : leaf(is_leaf) {}
};

struct KeyOrder::Leaf : Node {
  Leaf* prev = nullptr;
  Leaf* next = nullptr;
  char* e;  // room for lcap_ + 1 entries: one more while a full leaf takes an entry
  explicit Leaf(size_t bytes) : Node(true), e(new char[bytes]) {}
  ~Leaf() { delete[] e; }
};

struct KeyOrder::Inner : Node {
  Node* child[kFan + 1];
  uint32_t count[kFan + 1];
  char* sep;  // kFan + 1 separators of ssz_ bytes; sep 0 is unused
  explicit Inner(size_t bytes) : Node(false), sep(new char[bytes]) {}
  ~Inner() { delete[] sep; }
};

// A node that split: its new right sibling and the separator in front of it.
struct KeyOrder::Split {
  Node* right = nullptr;
  std::vector<char> sep;
};

struct KeyOrder::BuildState {
  std::vector<Node*> nodes;  // the finished nodes of the level being built
  std::vector<char> seps;    // the separator in front of each
  Leaf* cur = nullptr;
  Leaf* last = nullptr;
};

KeyOrder::KeyOrder(uint16_t key_len)
    : klen_(key_len),
      esz_(size_t(key_len) + 12),
      ssz_(size_t(key_len) + 8),
      lcap_(uint16_t(std::max<size_t>(kMinLeaf, std::min<size_t>(kLeafBytes / esz_, 4096)))) {
  root_ = NewLeaf();
}

KeyOrder::~KeyOrder() {
  Free(root_);
  delete build_;
}

KeyOrder::KeyOrder(KeyOrder&& o) noexcept
    : klen_(o.klen_), esz_(o.esz_), ssz_(o.ssz_), lcap_(o.lcap_), root_(o.root_),
      size_(o.size_), build_(o.build_) {
  o.root_ = nullptr;
  o.build_ = nullptr;
  o.size_ = 0;
}

KeyOrder& KeyOrder::operator=(KeyOrder&& o) noexcept {
  if (this != &o) {
    Free(root_);
    delete build_;
    klen_ = o.klen_;
    esz_ = o.esz_;
    ssz_ = o.ssz_;
    lcap_ = o.lcap_;
    root_ = o.root_;
    size_ = o.size_;
    build_ = o.build_;
    o.root_ = nullptr;
    o.build_ = nullptr;
    o.size_ = 0;
  }
  return *this;
}

KeyOrder::Leaf* KeyOrder::NewLeaf() const { return new Leaf((size_t(lcap_) + 1) * esz_); }
KeyOrder::Inner* KeyOrder::NewInner() const { return new Inner((kFan + 1) * ssz_); }

void KeyOrder::Free(Node* node) {
  if (!node) return;
  if (node->leaf) {
    delete static_cast<Leaf*>(node);
    return;
  }
  Inner* in = static_cast<Inner*>(node);
  for (int i = 0; i < in->n; ++i) Free(in->child[i]);
  delete in;
}

void KeyOrder::Clear() {
  Free(root_);
  root_ = NewLeaf();
  size_ = 0;
}

int KeyOrder::Cmp(const char* entry, const char* key, uint64_t seq) const {
  int c = std::memcmp(entry, key, klen_);
  return c ? c : CmpSeq(LoadSeq(entry + klen_), seq);
}

size_t KeyOrder::Total(const Node* n) const {
  if (n->leaf) return n->n;
  const Inner* in = static_cast<const Inner*>(n);
  size_t t = 0;
  for (int i = 0; i < in->n; ++i) t += in->count[i];
  return t;
}

int KeyOrder::LeafLower(const Leaf* l, const char* key, uint64_t seq) const {
  // The first entry not below (key, seq).
  int lo = 0, hi = l->n;
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    if (Cmp(l->e + size_t(mid) * esz_, key, seq) < 0) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

int KeyOrder::ChildFor(const Inner* in, const char* key, uint64_t seq) const {
  // The last child whose separator is not above (key, seq); child 0 when there is none.
  int lo = 1, hi = in->n;
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    if (Cmp(in->sep + size_t(mid) * ssz_, key, seq) <= 0) lo = mid + 1;
    else hi = mid;
  }
  return lo - 1;
}

size_t KeyOrder::PrefixBound(const char* v, size_t n, bool upper) const {
  assert(n <= klen_);
  // Whether an entry or separator whose first n bytes compare as c with v lies before the
  // bound.
  auto before = [&](const char* p) {
    int c = std::memcmp(p, v, n);
    return c < 0 || (upper && c == 0);
  };
  size_t rank = 0;
  const Node* node = root_;
  while (!node->leaf) {
    const Inner* in = static_cast<const Inner*>(node);
    int lo = 1, hi = in->n;
    while (lo < hi) {
      int mid = (lo + hi) / 2;
      if (before(in->sep + size_t(mid) * ssz_)) lo = mid + 1;
      else hi = mid;
    }
    for (int i = 0; i < lo - 1; ++i) rank += in->count[i];
    node = in->child[lo - 1];
  }
  const Leaf* l = static_cast<const Leaf*>(node);
  int lo = 0, hi = l->n;
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    if (before(l->e + size_t(mid) * esz_)) lo = mid + 1;
    else hi = mid;
  }
  return rank + size_t(lo);
}

size_t KeyOrder::Find(const char* key, uint64_t seq) const {
  size_t rank = 0;
  const Node* node = root_;
  while (!node->leaf) {
    const Inner* in = static_cast<const Inner*>(node);
    int i = ChildFor(in, key, seq);
    for (int k = 0; k < i; ++k) rank += in->count[k];
    node = in->child[i];
  }
  const Leaf* l = static_cast<const Leaf*>(node);
  int lo = LeafLower(l, key, seq);
  if (lo < l->n && Cmp(l->e + size_t(lo) * esz_, key, seq) == 0) return rank + size_t(lo);
  return kNotFound;
}

KeyOrder::Entry KeyOrder::At(size_t r) const {
  assert(r < size_);
  const Node* node = root_;
  while (!node->leaf) {
    const Inner* in = static_cast<const Inner*>(node);
    int i = 0;
    while (r >= in->count[i]) r -= in->count[i++];
    node = in->child[i];
  }
  const char* p = static_cast<const Leaf*>(node)->e + r * esz_;
  return Entry{p, LoadSeq(p + klen_), LoadRec(p + klen_ + 8)};
}

void KeyOrder::SplitLeaf(Leaf* l, Split* split, bool at_end) {
  Leaf* r = NewLeaf();
  // Entries arriving in key order keep the left leaf full; others split it in halves.
  uint16_t keep = at_end ? uint16_t(l->n - 1) : uint16_t(l->n / 2);
  r->n = uint16_t(l->n - keep);
  std::memcpy(r->e, l->e + size_t(keep) * esz_, size_t(r->n) * esz_);
  l->n = keep;
  r->next = l->next;
  r->prev = l;
  if (l->next) l->next->prev = r;
  l->next = r;
  split->right = r;
  split->sep.assign(r->e, r->e + ssz_);
}

void KeyOrder::SplitInner(Inner* in, Split* split) {
  Inner* r = NewInner();
  int keep = in->n / 2;
  r->n = uint16_t(in->n - keep);
  for (int i = 0; i < r->n; ++i) {
    r->child[i] = in->child[keep + i];
    r->count[i] = in->count[keep + i];
  }
  std::memcpy(r->sep + ssz_, in->sep + size_t(keep + 1) * ssz_, size_t(r->n - 1) * ssz_);
  split->right = r;
  split->sep.assign(in->sep + size_t(keep) * ssz_, in->sep + size_t(keep + 1) * ssz_);
  in->n = uint16_t(keep);
}

size_t KeyOrder::InsertIn(Node* node, const char* key, uint64_t seq, uint32_t rec,
                          Split* split) {
  if (node->leaf) {
    Leaf* l = static_cast<Leaf*>(node);
    int lo = LeafLower(l, key, seq);
    char* p = l->e + size_t(lo) * esz_;
    std::memmove(p + esz_, p, size_t(l->n - lo) * esz_);
    std::memcpy(p, key, klen_);
    std::memcpy(p + klen_, &seq, 8);
    std::memcpy(p + klen_ + 8, &rec, 4);
    ++l->n;
    if (l->n > lcap_) SplitLeaf(l, split, lo == l->n - 1 && !l->next);
    return size_t(lo);
  }
  Inner* in = static_cast<Inner*>(node);
  int i = ChildFor(in, key, seq);
  size_t rank = 0;
  for (int k = 0; k < i; ++k) rank += in->count[k];
  Split below;
  rank += InsertIn(in->child[i], key, seq, rec, &below);
  ++in->count[i];
  if (below.right) {
    for (int k = in->n; k > i + 1; --k) {
      in->child[k] = in->child[k - 1];
      in->count[k] = in->count[k - 1];
    }
    std::memmove(in->sep + size_t(i + 2) * ssz_, in->sep + size_t(i + 1) * ssz_,
                 size_t(in->n - i - 1) * ssz_);
    in->child[i + 1] = below.right;
    std::memcpy(in->sep + size_t(i + 1) * ssz_, below.sep.data(), ssz_);
    in->count[i + 1] = uint32_t(Total(below.right));
    in->count[i] -= in->count[i + 1];
    ++in->n;
    if (in->n > kFan) SplitInner(in, split);
  }
  return rank;
}

size_t KeyOrder::Insert(const char* key, uint64_t seq, uint32_t rec) {
  Split split;
  size_t rank = InsertIn(root_, key, seq, rec, &split);
  if (split.right) {
    Inner* top = NewInner();
    top->n = 2;
    top->child[0] = root_;
    top->child[1] = split.right;
    top->count[1] = uint32_t(Total(split.right));
    top->count[0] = uint32_t(size_ + 1 - top->count[1]);
    std::memcpy(top->sep + ssz_, split.sep.data(), ssz_);
    root_ = top;
  }
  ++size_;
  return rank;
}

bool KeyOrder::EraseIn(Node* node, const char* key, uint64_t seq) {
  if (node->leaf) {
    Leaf* l = static_cast<Leaf*>(node);
    int lo = LeafLower(l, key, seq);
    if (lo >= l->n || Cmp(l->e + size_t(lo) * esz_, key, seq) != 0) return false;
    char* p = l->e + size_t(lo) * esz_;
    std::memmove(p, p + esz_, size_t(l->n - lo - 1) * esz_);
    --l->n;
    return true;
  }
  Inner* in = static_cast<Inner*>(node);
  int i = ChildFor(in, key, seq);
  if (!EraseIn(in->child[i], key, seq)) return false;
  --in->count[i];
  Rebalance(in, i);
  return true;
}

void KeyOrder::Rebalance(Inner* p, int i) {
  Node* c = p->child[i];
  size_t low = c->leaf ? lcap_ / 4 : kFan / 4;
  if (c->n >= low || p->n < 2) return;
  int a = i + 1 < p->n ? i : i - 1;  // the left one of the pair c and its sibling
  int b = a + 1;
  Node* na = p->child[a];
  Node* nb = p->child[b];
  if (na->leaf) {
    Leaf* la = static_cast<Leaf*>(na);
    Leaf* lb = static_cast<Leaf*>(nb);
    if (la->n + lb->n <= lcap_) {
      std::memcpy(la->e + size_t(la->n) * esz_, lb->e, size_t(lb->n) * esz_);
      la->n = uint16_t(la->n + lb->n);
      la->next = lb->next;
      if (lb->next) lb->next->prev = la;
      p->count[a] += p->count[b];
      delete lb;
      DropChild(p, b, ssz_);
      return;
    }
    // Share the entries evenly; the separator becomes the right leaf's new first entry.
    int total = la->n + lb->n;
    int left = total / 2;
    if (la->n > left) {
      int move = la->n - left;
      std::memmove(lb->e + size_t(move) * esz_, lb->e, size_t(lb->n) * esz_);
      std::memcpy(lb->e, la->e + size_t(left) * esz_, size_t(move) * esz_);
    } else {
      int move = left - la->n;
      std::memcpy(la->e + size_t(la->n) * esz_, lb->e, size_t(move) * esz_);
      std::memmove(lb->e, lb->e + size_t(move) * esz_, size_t(lb->n - move) * esz_);
    }
    la->n = uint16_t(left);
    lb->n = uint16_t(total - left);
    p->count[a] = la->n;
    p->count[b] = lb->n;
    std::memcpy(p->sep + size_t(b) * ssz_, lb->e, ssz_);
    return;
  }
  Inner* ia = static_cast<Inner*>(na);
  Inner* ib = static_cast<Inner*>(nb);
  if (ia->n + ib->n > kFan) return;
  // Merge: the parent's separator in front of b stands in front of b's first child.
  std::memcpy(ia->sep + size_t(ia->n) * ssz_, p->sep + size_t(b) * ssz_, ssz_);
  std::memcpy(ia->sep + size_t(ia->n + 1) * ssz_, ib->sep + ssz_, size_t(ib->n - 1) * ssz_);
  for (int k = 0; k < ib->n; ++k) {
    ia->child[ia->n + k] = ib->child[k];
    ia->count[ia->n + k] = ib->count[k];
  }
  ia->n = uint16_t(ia->n + ib->n);
  p->count[a] += p->count[b];
  ib->n = 0;
  delete ib;
  DropChild(p, b, ssz_);
}

// Removes child i of p with the separator in front of it (for child 0, the one in front of
// child 1 goes, which child 1 no longer needs as the first child).
void KeyOrder::DropChild(Inner* p, int i, size_t ssz) {
  for (int k = i; k + 1 < p->n; ++k) {
    p->child[k] = p->child[k + 1];
    p->count[k] = p->count[k + 1];
  }
  if (i == 0) {
    std::memmove(p->sep + ssz, p->sep + 2 * ssz, size_t(p->n - 2) * ssz);
  } else {
    std::memmove(p->sep + size_t(i) * ssz, p->sep + size_t(i + 1) * ssz,
                 size_t(p->n - i - 1) * ssz);
  }
  --p->n;
}

bool KeyOrder::Erase(const char* key, uint64_t seq) {
  if (!EraseIn(root_, key, seq)) return false;
  --size_;
  while (!root_->leaf && root_->n == 1) {
    Inner* old = static_cast<Inner*>(root_);
    root_ = old->child[0];
    old->n = 0;
    delete old;
  }
  return true;
}

void KeyOrder::BuildPush(const char* key, uint64_t seq, uint32_t rec) {
  if (!build_) {
    Clear();
    delete static_cast<Leaf*>(root_);
    root_ = nullptr;
    build_ = new BuildState;
  }
  BuildState& b = *build_;
  // Leaves are filled to seven eighths, so that the next inserts rarely split them at once.
  uint16_t fill = uint16_t(std::max<int>(1, lcap_ * 7 / 8));
  if (!b.cur || b.cur->n >= fill) {
    Leaf* l = NewLeaf();
    l->prev = b.last;
    if (b.last) b.last->next = l;
    b.last = l;
    b.cur = l;
    b.nodes.push_back(l);
    b.seps.insert(b.seps.end(), key, key + klen_);
    b.seps.insert(b.seps.end(), reinterpret_cast<const char*>(&seq),
                  reinterpret_cast<const char*>(&seq) + 8);
  }
  Leaf* l = b.cur;
  assert(l->n == 0 || Cmp(l->e + size_t(l->n - 1) * esz_, key, seq) < 0);
  char* p = l->e + size_t(l->n) * esz_;
  std::memcpy(p, key, klen_);
  std::memcpy(p + klen_, &seq, 8);
  std::memcpy(p + klen_ + 8, &rec, 4);
  ++l->n;
  ++size_;
}

void KeyOrder::EndBuild() {
  if (!build_) {
    Clear();
    return;
  }
  BuildState b = std::move(*build_);
  delete build_;
  build_ = nullptr;
  int fan = kFan * 7 / 8;
  while (b.nodes.size() > 1) {
    std::vector<Node*> up;
    std::vector<char> up_seps;
    size_t start = 0;
    while (start < b.nodes.size()) {
      size_t end = std::min(b.nodes.size(), start + size_t(fan));
      // A last group of one would make an inner node with a single child: join it to
      // the group before.
      if (b.nodes.size() - end == 1) end = b.nodes.size();
      Inner* in = NewInner();
      for (size_t k = start; k < end; ++k) {
        int j = int(k - start);
        in->child[j] = b.nodes[k];
        in->count[j] = uint32_t(Total(b.nodes[k]));
        if (j > 0) std::memcpy(in->sep + size_t(j) * ssz_, &b.seps[k * ssz_], ssz_);
      }
      in->n = uint16_t(end - start);
      up.push_back(in);
      up_seps.insert(up_seps.end(), &b.seps[start * ssz_], &b.seps[start * ssz_] + ssz_);
      start = end;
    }
    b.nodes.swap(up);
    b.seps.swap(up_seps);
  }
  root_ = b.nodes.empty() ? NewLeaf() : b.nodes[0];
}

const KeyOrder::Leaf* KeyOrder::first_leaf() const {
  const Node* n = root_;
  while (n && !n->leaf) n = static_cast<const Inner*>(n)->child[0];
  return static_cast<const Leaf*>(n);
}

const KeyOrder::Leaf* KeyOrder::next_leaf(const Leaf* l) { return l->next; }
uint16_t KeyOrder::leaf_count(const Leaf* l) { return l->n; }
uint32_t KeyOrder::leaf_rec(const Leaf* l, uint16_t i) const {
  return LoadRec(l->e + size_t(i) * esz_ + klen_ + 8);
}

}  // namespace orv
