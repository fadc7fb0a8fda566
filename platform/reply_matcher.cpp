#include "platform/reply_matcher.h"

namespace platform {

ReplyMatcher::ReplyMatcher(std::string_view replyList) {
  if (!replyList.empty() && replyList.back() == '^') replyList.remove_suffix(1);
  if (replyList.empty()) return;
  for (;;) {
    const std::size_t separator = replyList.find('^');
    alternatives_.emplace_back(replyList.substr(0, separator), true);
    if (separator == std::string_view::npos || alternatives_.size() == MaxAlternatives) break;
    replyList.remove_prefix(separator + 1);
  }
}

std::int32_t ReplyMatcher::Feed(std::uint8_t byte) {
  std::int32_t arrived = 0;
  for (std::size_t i = 0; i < alternatives_.size(); ++i) {
    // Every alternative sees every byte, so that a later one is not thrown off when an earlier
    // one wins.
    if (alternatives_[i].Feed(byte) && arrived == 0) arrived = static_cast<std::int32_t>(i + 1);
  }
  return arrived;
}

}  // namespace platform
