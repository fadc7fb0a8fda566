#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The PCM samples of a RIFF WAVE file and how to play them.
struct WaveSound {
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint16_t bitsPerSample = 0;    // 8 (unsigned), 16, 24 or 32 (signed little-endian)
  std::vector<std::uint8_t> samples;  // whole frames only

  std::uint32_t FrameBytes() const { return channels * ((bitsPerSample + 7u) / 8u); }
  std::size_t FrameCount() const { return samples.size() / FrameBytes(); }
};

// Reads a RIFF WAVE file with uncompressed PCM. A data chunk cut short by the end of the file
// gives the frames that are there. Throws platform::Exception for anything else.
WaveSound ParseWave(const std::vector<std::uint8_t>& file);

}  // namespace platform
