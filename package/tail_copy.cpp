#include "package/tail_copy.h"

#include <algorithm>
#include <array>
#include <span>

namespace package {

CopyRule ExactLength(std::int64_t length) {
  const std::int64_t wholeBlocks = length / CopyBlockSize * CopyBlockSize;
  return {wholeBlocks, length - wholeBlocks};
}

void CopyFromTail(platform::File& program, platform::File& output, std::int64_t distanceFromEnd,
                  std::optional<CopyRule> rule) {
  std::array<std::uint8_t, CopyBlockSize> buffer{};
  program.Seek(-distanceFromEnd, platform::SeekOrigin::End);
  std::int64_t total = 0;
  for (;;) {
    const std::size_t got = program.Read(buffer);
    total += static_cast<std::int64_t>(got);
    if (rule && total > rule->Threshold) {
      // Never more than was read, so a file that ends early cannot leak stale buffer bytes.
      const auto count = std::min<std::size_t>(static_cast<std::size_t>(rule->FinalCount), got);
      output.Write(std::span(buffer).first(count));
      return;
    }
    output.Write(std::span(buffer).first(got));
    if (got == 0) return;
  }
}

}  // namespace package
