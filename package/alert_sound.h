#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace package {

// A RIFF WAVE alert of exactly SoundLength bytes (8-bit mono PCM), made the same every time so
// that packages are reproducible.
std::vector<std::uint8_t> BuiltInAlertSound();

// True for a RIFF WAVE file of exactly SoundLength bytes whose RIFF size agrees.
bool IsAlertSound(std::span<const std::uint8_t> bytes);

}  // namespace package
