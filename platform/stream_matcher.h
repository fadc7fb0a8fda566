#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Watches a byte stream for one text and reports every place where it ends, also when the
// text's beginning repeats inside it ("001" in 0, 0, 0, 1): a prefix automaton, so no arrival
// is ever missed. With foldCase, the letters a-z count as A-Z (no other byte is folded).
class StreamMatcher {
 public:
  StreamMatcher(std::string_view text, bool foldCase);

  // Feeds one byte; true when the text has just arrived. Matching goes on from there, so an
  // arrival may overlap the previous one.
  bool Feed(std::uint8_t byte);
  void Reset() { matched_ = 0; }

 private:
  std::uint8_t Fold(std::uint8_t byte) const;

  std::string text_;
  bool foldCase_;
  std::vector<std::size_t> fallback_;  // longest proper border of text_[0, i]
  std::size_t matched_ = 0;
};

}  // namespace platform
