#pragma once

#include "lz/lz_context.h"

namespace lz {

// Insertions that walk this many steps move the new node to the top of its tree.
inline constexpr int kSplayLimit = 30;

// The encoder's match finder: one binary search tree of window strings per first byte, kept in
// the link arrays of the work area. Nodes are ring positions standing for their 18-byte string.
class SearchTrees {
 public:
  explicit SearchTrees(LZWorkArea& area)
      : ring_(area.RingBuffer.data()),
        children_(area.Children.data()),
        parent_(area.Parent.data()) {}

  void TreeClear();
  // Inserts the string at r and sets MatchPosition and MatchLength to the longest earlier
  // string met on the way (the first met among equals). An 18-byte match replaces the older
  // node, which leaves its tree.
  void TreeInsert(int r);
  void TreeDelete(int p);

  int MatchPosition = 0;
  int MatchLength = 0;

 private:
  static bool IsRootSlot(int link) { return link > kNil; }
  LZLink& Left(int node) { return children_[node][kLeft]; }
  LZLink& Right(int node) { return children_[node][kRight]; }
  // The link in parent that holds child.
  LZLink& LinkTo(int parent, int child) {
    return Right(parent) == child ? Right(parent) : Left(parent);
  }
  // Both children of node in one word.
  std::uint32_t LoadChildren(std::size_t node) const;
  void ReplaceNode(int oldNode, int newNode);
  // Rotates x up until it hangs directly under its root slot.
  void TreeSplay(int x);

  std::uint8_t* ring_;
  std::array<LZLink, 2>* children_;
  LZLink* parent_;
};

}  // namespace lz
