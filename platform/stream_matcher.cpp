#include "platform/stream_matcher.h"

namespace platform {

StreamMatcher::StreamMatcher(std::string_view text, bool foldCase)
    : foldCase_(foldCase), fallback_(text.size(), 0) {
  text_.reserve(text.size());
  for (const char c : text)
    text_.push_back(static_cast<char>(Fold(static_cast<std::uint8_t>(c))));
  for (std::size_t i = 1, border = 0; i < text_.size(); ++i) {
    while (border > 0 && text_[i] != text_[border])
      border = fallback_[border - 1];
    if (text_[i] == text_[border]) ++border;
    fallback_[i] = border;
  }
}

std::uint8_t StreamMatcher::Fold(std::uint8_t byte) const {
  return foldCase_ && byte >= 'a' && byte <= 'z' ? static_cast<std::uint8_t>(byte - 'a' + 'A')
                                                 : byte;
}

bool StreamMatcher::Feed(std::uint8_t byte) {
  if (text_.empty()) return false;
  const char c = static_cast<char>(Fold(byte));
  while (matched_ > 0 && text_[matched_] != c)
    matched_ = fallback_[matched_ - 1];
  if (text_[matched_] == c) ++matched_;
  if (matched_ < text_.size()) return false;
  matched_ = fallback_[matched_ - 1];
  return true;
}

}  // namespace platform
