#pragma once

#include <cstdint>
#include <vector>

namespace lz_reference {

struct ReferenceResult {
  std::vector<std::uint8_t> stream;
  int splays = 0;  // insertions that ended in a splay
};

// A plain, unoptimised transcription of the encoder's algorithm over a byte vector, to hold
// the optimised encoder to the same bytes. Without splaying it writes a different stream
// for data whose trees grow deep.
ReferenceResult ReferenceEncode(const std::vector<std::uint8_t>& input, bool splay);

}  // namespace lz_reference
