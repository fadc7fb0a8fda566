#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// A minimal RIFF WAVE file: "fmt " chunk, then the "data" chunk.
inline std::vector<std::uint8_t> BuildWave(std::uint16_t channels, std::uint32_t rate,
                                           std::uint16_t bits,
                                           const std::vector<std::uint8_t>& samples) {
  std::vector<std::uint8_t> out;
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const auto tag = [&](const char* text) { out.insert(out.end(), text, text + 4); };
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
  out.insert(out.end(), samples.begin(), samples.end());
  return out;
}

}  // namespace platform
