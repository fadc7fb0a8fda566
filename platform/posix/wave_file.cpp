#include "platform/posix/wave_file.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/exceptions.h"
#include "platform/little_endian.h"

namespace platform {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t Le32(const std::uint8_t* p) {
  return ReadLittleEndian32(std::span(p, 4), 0);
}
std::uint16_t Le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
bool IsTag(const std::uint8_t* p, std::string_view tag) {
  return std::memcmp(p, tag.data(), 4) == 0;
}

[[noreturn]] void NotPlayable(const std::string& why) {
  throw Exception("Not a playable WAVE file: " + why);
}

}  // namespace

WaveSound ParseWave(const std::vector<std::uint8_t>& file) {
  if (file.size() < 12 || !IsTag(file.data(), "RIFF") || !IsTag(file.data() + 8, "WAVE")) {
    NotPlayable("no RIFF WAVE header");
  }
  WaveSound sound;
  bool haveFormat = false;
  std::optional<std::vector<std::uint8_t>> data;
  std::size_t at = 12;
  while (at + 8 <= file.size() && !data) {
    const std::uint8_t* chunk = file.data() + at;
    const std::size_t declared = Le32(chunk + 4);
    const std::size_t size = std::min(declared, file.size() - at - 8);
    if (IsTag(chunk, "fmt ")) {
      if (size < 16) NotPlayable("format chunk too short");
      const std::uint16_t format = Le16(chunk + 8);
      if (format != kFormatPcm && format != kFormatExtensible) NotPlayable("not PCM");
      sound.channels = Le16(chunk + 10);
      sound.sampleRate = Le32(chunk + 12);
      sound.bitsPerSample = Le16(chunk + 22);
      haveFormat = true;
    } else if (IsTag(chunk, "data")) {
      data.emplace(chunk + 8, chunk + 8 + size);
    }
    at += 8 + declared + (declared & 1);  // chunks are padded to even sizes
  }
  if (!haveFormat) NotPlayable("no format chunk before the samples");
  if (!data) NotPlayable("no data chunk");
  const std::uint16_t bits = sound.bitsPerSample;
  if (sound.channels == 0 || sound.sampleRate == 0 ||
      (bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
    NotPlayable("unsupported sample layout");
  }
  data->resize(data->size() - data->size() % sound.FrameBytes());
  sound.samples = std::move(*data);
  return sound;
}

}  // namespace platform
