// Feeds a reply list and a byte stream (split at the first NUL) to the reply matcher and
// checks its answer against a plain search: the first byte at which some alternative ends
// the stream so far, and of those the lowest-numbered.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/reply_matcher.h"

namespace {

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

std::vector<std::string> Alternatives(std::string_view list) {
  if (!list.empty() && list.back() == '^') list.remove_suffix(1);
  std::vector<std::string> alternatives;
  if (list.empty()) return alternatives;
  for (;;) {
    const std::size_t separator = list.find('^');
    alternatives.push_back(Folded(list.substr(0, separator)));
    if (separator == std::string_view::npos || alternatives.size() == 127) break;
    list.remove_prefix(separator + 1);
  }
  return alternatives;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  if (split == std::string_view::npos) return 0;
  const std::string_view list = input.substr(0, split);
  const std::string_view stream = input.substr(split + 1);

  platform::ReplyMatcher matcher(list);
  const std::vector<std::string> alternatives = Alternatives(list);
  std::string seen;
  for (const char byte : stream) {
    seen += Folded(std::string_view(&byte, 1));
    std::int32_t expected = 0;
    for (std::size_t i = 0; i < alternatives.size() && expected == 0; ++i) {
      const std::string& alternative = alternatives[i];
      if (!alternative.empty() && seen.ends_with(alternative)) {
        expected = static_cast<std::int32_t>(i + 1);
      }
    }
    if (matcher.Feed(static_cast<std::uint8_t>(byte)) != expected) std::abort();
    if (expected != 0) break;
  }
  return 0;
}
