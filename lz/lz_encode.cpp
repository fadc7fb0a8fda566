#include "lz/lz_encode.h"

#include <array>

#include "lz/search_trees.h"

namespace lz {
namespace {

// One flag byte and up to eight items of one or two bytes.
class CodeGroup {
 public:
  void AddLiteral(std::uint8_t c) {
    bytes_[0] |= mask_;
    bytes_[used_++] = c;
  }
  void AddMatch(int position, int length) {
    bytes_[used_++] = static_cast<std::uint8_t>(position & 0xFF);
    bytes_[used_++] = static_cast<std::uint8_t>((position >> 8) << 4 | (length - kMinMatch));
  }
  // Moves on to the next item's flag bit; true when the group holds eight items.
  bool AdvanceIsFull() {
    mask_ = static_cast<std::uint8_t>(mask_ << 1);
    return mask_ == 0;
  }
  // Sends the flag byte and the items so far, and starts an empty group.
  void SendTo(LZContext& context) {
    for (int i = 0; i < used_; ++i)
      context.PutOutByte(bytes_[i]);
    bytes_[0] = 0;
    used_ = 1;
    mask_ = 1;
  }

 private:
  std::array<std::uint8_t, 17> bytes_{};
  int used_ = 1;
  std::uint8_t mask_ = 1;
};

}  // namespace

void LZEncode(LZContext& context) {
  std::uint8_t* const ring = context.WorkArea->RingBuffer.data();
  SearchTrees trees(*context.WorkArea);
  trees.TreeClear();
  CodeGroup group;
  int s = 0;
  int r = kRingStart;

  int len = 0;
  for (int c; len < kMaxMatch && (c = context.GetInByte()) >= 0; ++len) {
    ring[r + len] = static_cast<std::uint8_t>(c);
  }
  if (len == 0) {
    context.FlushOutBuffer();
    return;
  }
  // The strings that start in the zero-filled area before the first byte are matchable too.
  for (int i = 1; i <= kMaxMatch; ++i)
    trees.TreeInsert(r - i);
  trees.TreeInsert(r);

  while (len > 0) {
    if (trees.MatchLength > len) trees.MatchLength = len;
    if (trees.MatchLength < kMinMatch) {
      trees.MatchLength = 1;
      group.AddLiteral(ring[r]);
    } else {
      group.AddMatch(trees.MatchPosition, trees.MatchLength);
    }
    if (group.AdvanceIsFull()) group.SendTo(context);

    const int lastMatchLength = trees.MatchLength;
    int i = 0;
    for (int c; i < lastMatchLength && (c = context.GetInByte()) >= 0; ++i) {
      trees.TreeDelete(s);
      ring[s] = static_cast<std::uint8_t>(c);
      if (s < kRingMirror) ring[s + kRingSize] = static_cast<std::uint8_t>(c);
      s = (s + 1) & kRingMask;
      r = (r + 1) & kRingMask;
      trees.TreeInsert(r);
    }
    for (; i < lastMatchLength; ++i) {
      trees.TreeDelete(s);
      s = (s + 1) & kRingMask;
      r = (r + 1) & kRingMask;
      if (--len != 0) trees.TreeInsert(r);
    }
  }
  // Also a lone, empty flag byte when the items filled whole groups.
  group.SendTo(context);
  context.FlushOutBuffer();
}

}  // namespace lz
