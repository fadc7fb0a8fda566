#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A minimal RIFF WAVE file: "fmt " chunk, then the "data" chunk.
inline std::vector<std::uint8_t> BuildWave(std::uint16_t channels, std::uint32_t rate,
                                           std::uint16_t bits,
                                           const std::vector<std::uint8_t>& samples) {
  constexpr std::size_t headerSize = 44;
  // Written in place into its final size: growing it piecemeal trips a false GCC 12 warning.
  std::vector<std::uint8_t> out(headerSize + samples.size());
  std::size_t at = 0;
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out[at++] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  const auto tag = [&](const char* text) {
    for (int i = 0; i < 4; ++i)
      out[at++] = static_cast<std::uint8_t>(text[i]);
  };
  const std::uint32_t blockAlign = channels * ((bits + 7u) / 8u);
  tag("RIFF");
  put(static_cast<std::uint32_t>(36 + samples.size()), 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);
  put(channels, 2);
  put(rate, 4);
  put(rate * blockAlign, 4);
  put(blockAlign, 2);
  put(bits, 2);
  tag("data");
  put(static_cast<std::uint32_t>(samples.size()), 4);
  std::copy(samples.begin(), samples.end(), out.begin() + headerSize);
  return out;
}

}  // namespace platform
