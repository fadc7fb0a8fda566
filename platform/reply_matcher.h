#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/stream_matcher.h"

namespace platform {

// The alternatives of a reply list ("OK^Boot>"), watched over a byte stream with letters a-z
// compared without regard to case. Alternatives are numbered from 1 as written; a '^' at the
// very end adds no empty alternative, an empty one elsewhere keeps its number but never
// arrives, and alternatives after the 127th are ignored.
class ReplyMatcher {
 public:
  static constexpr std::size_t MaxAlternatives = 127;

  explicit ReplyMatcher(std::string_view replyList);

  bool Empty() const { return alternatives_.empty(); }
  // Feeds one byte; 0 while nothing has arrived, else the number of the alternative that
  // ended on it (the lowest when several end on the same byte).
  std::int32_t Feed(std::uint8_t byte);

 private:
  std::vector<StreamMatcher> alternatives_;
};

}  // namespace platform
