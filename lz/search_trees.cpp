#include "lz/search_trees.h"

#include <bit>
#include <cstring>

namespace lz {
namespace {

// Index of the first differing byte of two 8-byte words loaded from memory.
int FirstDifference(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t diff = a ^ b;
  if constexpr (std::endian::native == std::endian::little) {
    return std::countr_zero(diff) / 8;
  } else {
    return std::countl_zero(diff) / 8;
  }
}

std::uint64_t Load64(const std::uint8_t* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Compares bytes 1..17 of the strings at key and node (byte 0 is the tree's own value).
// Returns the index of the first difference, 18 when all agree, and the sign of that
// difference in cmp. The mirror behind the window keeps every read inside the ring buffer.
int CompareStrings(const std::uint8_t* key, const std::uint8_t* node, int& cmp) {
  for (int i = 1; i < 17; i += 8) {
    const std::uint64_t a = Load64(key + i);
    const std::uint64_t b = Load64(node + i);
    if (a != b) {
      const int at = i + FirstDifference(a, b);
      cmp = key[at] - node[at];
      return at;
    }
  }
  cmp = key[17] - node[17];
  return cmp != 0 ? 17 : kMaxMatch;
}

}  // namespace

void SearchTrees::TreeClear() {
  for (int i = 0; i <= kNil; ++i)
    parent_[i] = kNil;
  for (int i = kNil + 1; i <= kNil + kTreeCount; ++i)
    right_[i] = kNil;
}

void SearchTrees::TreeInsert(int r) {
  const std::uint8_t* const key = ring_ + r;
  int cmp = 1;
  int p = kNil + 1 + key[0];
  right_[r] = left_[r] = kNil;
  MatchLength = 0;
  visitCount_ = 0;
  for (;;) {
    ++visitCount_;
    std::int32_t* const links = cmp >= 0 ? right_ : left_;
    if (links[p] == kNil) {
      links[p] = r;
      parent_[r] = p;
      break;
    }
    p = links[p];
    const int i = CompareStrings(key, ring_ + p, cmp);
    if (i > MatchLength) {
      MatchPosition = p;
      MatchLength = i;
      if (i == kMaxMatch) {
        ReplaceNode(p, r);
        break;
      }
    }
  }
  if (visitCount_ >= kSplayLimit) TreeSplay(r);
}

void SearchTrees::ReplaceNode(int oldNode, int newNode) {
  parent_[newNode] = parent_[oldNode];
  left_[newNode] = left_[oldNode];
  right_[newNode] = right_[oldNode];
  parent_[left_[oldNode]] = newNode;
  parent_[right_[oldNode]] = newNode;
  const int up = parent_[oldNode];
  if (right_[up] == oldNode) {
    right_[up] = newNode;
  } else {
    left_[up] = newNode;
  }
  parent_[oldNode] = kNil;
}

void SearchTrees::TreeDelete(int p) {
  if (parent_[p] == kNil) return;
  int q;
  if (right_[p] == kNil) {
    q = left_[p];
  } else if (left_[p] == kNil) {
    q = right_[p];
  } else {
    q = left_[p];
    if (right_[q] != kNil) {
      do {
        q = right_[q];
      } while (right_[q] != kNil);
      right_[parent_[q]] = left_[q];
      parent_[left_[q]] = parent_[q];
      left_[q] = left_[p];
      parent_[left_[p]] = q;
    }
    right_[q] = right_[p];
    parent_[right_[p]] = q;
  }
  parent_[q] = parent_[p];
  const int up = parent_[p];
  if (right_[up] == p) {
    right_[up] = q;
  } else {
    left_[up] = q;
  }
  parent_[p] = kNil;
}

void SearchTrees::TreeSplay(int x) {
  for (;;) {
    const int p = parent_[x];
    if (IsRootSlot(p)) return;
    const int g = parent_[p];
    const bool xIsLeft = left_[p] == x;
    if (IsRootSlot(g)) {
      int moved;
      if (xIsLeft) {
        moved = left_[p] = right_[x];
        right_[x] = p;
      } else {
        moved = right_[p] = left_[x];
        left_[x] = p;
      }
      right_[g] = x;
      parent_[moved] = p;
      parent_[p] = x;
      parent_[x] = g;
      return;
    }
    const int g2 = parent_[g];
    const bool pIsLeft = left_[g] == p;
    if (xIsLeft == pIsLeft) {
      // Same side: p comes up over g, then x over p.
      std::int32_t* const near = xIsLeft ? left_ : right_;
      std::int32_t* const far = xIsLeft ? right_ : left_;
      near[g] = far[p];
      parent_[near[g]] = g;
      near[p] = far[x];
      parent_[near[p]] = p;
      far[p] = g;
      far[x] = p;
      parent_[g] = p;
      parent_[p] = x;
    } else {
      // Crossed: x comes up between g and p. a is the side on which p hangs from g, b the
      // side on which x hangs from p.
      std::int32_t* const a = pIsLeft ? left_ : right_;
      std::int32_t* const b = pIsLeft ? right_ : left_;
      a[g] = b[x];
      parent_[a[g]] = g;
      b[p] = a[x];
      parent_[b[p]] = p;
      b[x] = g;
      a[x] = p;
      parent_[p] = x;
      parent_[g] = x;
    }
    if (IsRootSlot(g2)) {
      right_[g2] = x;
    } else if (left_[g2] == g) {
      left_[g2] = x;
    } else {
      right_[g2] = x;
    }
    parent_[x] = g2;
  }
}

}  // namespace lz
