#include "lz/search_trees.h"

#include <bit>
#include <cstring>

namespace lz {
namespace {

// Eight string bytes read as one number whose order is the bytes' order.
std::uint64_t LoadBigEndian(const std::uint8_t* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
  return word;
}

// Bytes 1..16 of a string (byte 0 is its tree's own value) as one number whose order is the
// bytes' order.
unsigned __int128 LoadLeadingBytes(const std::uint8_t* string) {
  return static_cast<unsigned __int128>(LoadBigEndian(string + 1)) << 64 |
         LoadBigEndian(string + 9);
}

// Counted on both halves at once: which half holds the first one bit is again a guess that
// a branch would often lose.
int CountLeadingZeros(unsigned __int128 value) {
  const int high = std::countl_zero(static_cast<std::uint64_t>(value >> 64));
  const int low = std::countl_zero(static_cast<std::uint64_t>(value));
  return high + (high == 64 ? low : 0);
}

// Bytes 1..17 of a string, held for repeated comparisons.
struct StringKey {
  explicit StringKey(const std::uint8_t* string)
      : leading(LoadLeadingBytes(string)), last(string[17]) {}
  unsigned __int128 leading;
  std::uint8_t last;
};

// Compares the key with a node's string: returns the index (1..17) of the first byte that
// differs, or 18 when all agree, and whether the key is the greater. Free of branches but for
// near-complete matches, since the direction of a comparison is a coin toss for a branch
// predictor. The mirror behind the window keeps every read inside the ring buffer.
int CompareWithNode(const StringKey& key, const std::uint8_t* node, bool& keyIsGreater) {
  const unsigned __int128 leading = LoadLeadingBytes(node);
  if (key.leading != leading) {
    keyIsGreater = key.leading > leading;
    return 1 + CountLeadingZeros(key.leading ^ leading) / 8;
  }
  keyIsGreater = key.last > node[17];
  return key.last != node[17] ? 17 : kMaxMatch;
}

// Where each child lies in the word LoadChildren returns.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;
constexpr int kLeftShift = kLittleEndian ? 0 : 16;
constexpr int kRightShift = kLittleEndian ? 16 : 0;

}  // namespace

std::uint32_t SearchTrees::LoadChildren(std::size_t node) const {
  std::uint32_t both;
  static_assert(sizeof both == sizeof children_[node]);
  std::memcpy(&both, children_[node].data(), sizeof both);
  return both;
}

void SearchTrees::TreeClear() {
  for (int i = 0; i <= kNil; ++i)
    parent_[i] = kNil;
  for (int c = 0; c < kTreeCount; ++c)
    Right(kRootSlots + c) = kNil;
}

void SearchTrees::TreeInsert(int r) {
  // Locals rather than members: the link stores below could otherwise alias them.
  const StringKey key(ring_ + r);
  int matchLength = 0;
  int matchPosition = MatchPosition;
  int visits = 0;
  // Unsigned and word-sized, the node numbers index without a sign extension on the walk's
  // critical path.
  std::size_t p = kRootSlots + ring_[r];
  bool goRight = true;  // a root slot keeps its tree on the right
  Left(r) = Right(r) = kNil;
  // Both children are fetched as one word while the strings are compared: the choice between
  // them then waits for the comparison only, not for another load.
  std::uint32_t children = LoadChildren(p);
  for (;;) {
    ++visits;
    const std::size_t left = children >> kLeftShift & 0xFFFF;
    const std::size_t right = children >> kRightShift & 0xFFFF;
    const std::size_t child = goRight ? right : left;
    if (child == kNil) {
      children_[p][goRight ? kRight : kLeft] = static_cast<LZLink>(r);
      parent_[r] = static_cast<LZLink>(p);
      break;
    }
    p = child;
    children = LoadChildren(p);
    const int i = CompareWithNode(key, ring_ + p, goRight);
    // Whether a node beats the best so far is a coin toss for a branch predictor.
    const bool longer = i > matchLength;
    matchPosition = longer ? static_cast<int>(p) : matchPosition;
    matchLength = longer ? i : matchLength;
    if (i == kMaxMatch) {
      ReplaceNode(static_cast<int>(p), r);
      break;
    }
  }
  MatchPosition = matchPosition;
  MatchLength = matchLength;
  if (visits >= kSplayLimit) TreeSplay(r);
}

void SearchTrees::ReplaceNode(int oldNode, int newNode) {
  const auto replacement = static_cast<LZLink>(newNode);
  parent_[newNode] = parent_[oldNode];
  children_[newNode] = children_[oldNode];
  parent_[Left(oldNode)] = replacement;
  parent_[Right(oldNode)] = replacement;
  LinkTo(parent_[oldNode], oldNode) = replacement;
  parent_[oldNode] = kNil;
}

void SearchTrees::TreeDelete(int p) {
  if (parent_[p] == kNil) return;
  int q;
  if (Right(p) == kNil) {
    q = Left(p);
  } else if (Left(p) == kNil) {
    q = Right(p);
  } else {
    q = Left(p);
    if (Right(q) != kNil) {
      do {
        q = Right(q);
      } while (Right(q) != kNil);
      Right(parent_[q]) = Left(q);
      parent_[Left(q)] = parent_[q];
      Left(q) = Left(p);
      parent_[Left(p)] = static_cast<LZLink>(q);
    }
    Right(q) = Right(p);
    parent_[Right(p)] = static_cast<LZLink>(q);
  }
  parent_[q] = parent_[p];
  LinkTo(parent_[p], p) = static_cast<LZLink>(q);
  parent_[p] = kNil;
}

void SearchTrees::TreeSplay(int x) {
  const auto top = static_cast<LZLink>(x);
  for (;;) {
    const int p = parent_[x];
    if (IsRootSlot(p)) return;
    const int g = parent_[p];
    // Sides are kLeft or kRight; the other side is 1 - side.
    const int xSide = Left(p) == x ? kLeft : kRight;
    if (IsRootSlot(g)) {
      const LZLink moved = children_[p][xSide] = children_[x][1 - xSide];
      children_[x][1 - xSide] = static_cast<LZLink>(p);
      Right(g) = top;
      parent_[moved] = static_cast<LZLink>(p);
      parent_[p] = top;
      parent_[x] = static_cast<LZLink>(g);
      return;
    }
    const int g2 = parent_[g];
    const int pSide = Left(g) == p ? kLeft : kRight;
    if (xSide == pSide) {
      // Same side: p comes up over g, then x over p.
      const int near = xSide;
      const int far = 1 - xSide;
      children_[g][near] = children_[p][far];
      parent_[children_[g][near]] = static_cast<LZLink>(g);
      children_[p][near] = children_[x][far];
      parent_[children_[p][near]] = static_cast<LZLink>(p);
      children_[p][far] = static_cast<LZLink>(g);
      children_[x][far] = static_cast<LZLink>(p);
      parent_[g] = static_cast<LZLink>(p);
      parent_[p] = top;
    } else {
      // Crossed: x comes up between g and p. pSide is where p hangs from g, xSide where x
      // hangs from p.
      children_[g][pSide] = children_[x][xSide];
      parent_[children_[g][pSide]] = static_cast<LZLink>(g);
      children_[p][xSide] = children_[x][pSide];
      parent_[children_[p][xSide]] = static_cast<LZLink>(p);
      children_[x][xSide] = static_cast<LZLink>(g);
      children_[x][pSide] = static_cast<LZLink>(p);
      parent_[p] = top;
      parent_[g] = top;
    }
    if (IsRootSlot(g2)) {
      Right(g2) = top;
    } else {
      LinkTo(g2, g) = top;
    }
    parent_[x] = static_cast<LZLink>(g2);
  }
}

}  // namespace lz
