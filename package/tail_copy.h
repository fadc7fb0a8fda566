#pragma once

#include <cstdint>
#include <optional>

#include "platform/files.h"

namespace package {

inline constexpr std::size_t CopyBlockSize = 2048;

// Where a copy out of the tail stops: once more than Threshold bytes have been read, only the
// first FinalCount bytes of the last block are written.
struct CopyRule {
  std::int64_t Threshold = 0;
  std::int64_t FinalCount = 0;
};

// The rule that copies exactly length bytes, whatever the length.
CopyRule ExactLength(std::int64_t length);

// Copies from distanceFromEnd bytes before the end of program into output, in blocks of
// CopyBlockSize; without a rule, up to the end of the file.
void CopyFromTail(platform::File& program, platform::File& output, std::int64_t distanceFromEnd,
                  std::optional<CopyRule> rule);

}  // namespace package
