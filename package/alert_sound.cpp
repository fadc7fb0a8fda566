#include "package/alert_sound.h"

#include <algorithm>
#include <string_view>

#include "package/package_state.h"
#include "platform/little_endian.h"

namespace package {
namespace {

constexpr std::uint32_t SampleRate = 11025;
constexpr std::size_t HeaderSize = 44;
constexpr std::uint32_t DataSize = SoundLength - HeaderSize;

void Put(std::vector<std::uint8_t>& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Three falling beeps of a triangle wave, with integer arithmetic only so that every build
// produces the same bytes.
std::uint8_t Sample(std::uint32_t index) {
  constexpr std::uint32_t BeepSamples = SampleRate / 2;
  constexpr std::uint32_t GapSamples = SampleRate / 8;
  constexpr std::uint32_t Periods[] = {12, 15, 18};  // about 920, 735 and 610 Hz
  constexpr std::uint32_t Amplitude = 96;
  const std::uint32_t slot = index / (BeepSamples + GapSamples);
  const std::uint32_t inSlot = index % (BeepSamples + GapSamples);
  if (slot >= std::size(Periods) || inSlot >= BeepSamples) return 128;
  const std::uint32_t period = Periods[slot];
  const std::uint32_t phase = inSlot % period;
  const std::uint32_t half = period / 2;
  // Rises over the first half period, falls over the second: 0..2*Amplitude.
  const std::uint32_t level = phase < half ? phase * 2 * Amplitude / half
                                           : (period - phase) * 2 * Amplitude / (period - half);
  // Short fades against clicks.
  constexpr std::uint32_t Fade = 64;
  const std::uint32_t edge = std::min({inSlot, BeepSamples - 1 - inSlot, Fade});
  const std::int32_t centred =
      static_cast<std::int32_t>(level) - static_cast<std::int32_t>(Amplitude);
  return static_cast<std::uint8_t>(128 + centred * static_cast<std::int32_t>(edge) /
                                             static_cast<std::int32_t>(Fade));
}

}  // namespace

std::vector<std::uint8_t> BuiltInAlertSound() {
  std::vector<std::uint8_t> wav;
  wav.reserve(SoundLength);
  Put(wav, "RIFF");
  Put(wav, SoundLength - 8, 4);
  Put(wav, "WAVE");
  Put(wav, "fmt ");
  Put(wav, 16, 4);          // format chunk size
  Put(wav, 1, 2);           // PCM
  Put(wav, 1, 2);           // mono
  Put(wav, SampleRate, 4);  // samples per second
  Put(wav, SampleRate, 4);  // bytes per second
  Put(wav, 1, 2);           // bytes per sample frame
  Put(wav, 8, 2);           // bits per sample
  Put(wav, "data");
  Put(wav, DataSize, 4);
  for (std::uint32_t i = 0; i < DataSize; ++i)
    wav.push_back(Sample(i));
  return wav;
}

bool IsAlertSound(std::span<const std::uint8_t> bytes) {
  const auto tagAt = [&](std::size_t offset, std::string_view tag) {
    return std::equal(tag.begin(), tag.end(), bytes.begin() + offset);
  };
  return bytes.size() == SoundLength && tagAt(0, "RIFF") && tagAt(8, "WAVE") &&
         platform::ReadLittleEndian32(bytes, 4) == SoundLength - 8;
}

}  // namespace package
