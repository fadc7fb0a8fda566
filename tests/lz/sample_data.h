#pragma once

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace lz_samples {

using Bytes = std::vector<std::uint8_t>;

// Deterministic on every platform: the engine's output is fixed by the standard.
inline Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 engine(seed);
  Bytes bytes(size);
  for (std::uint8_t& b : bytes)
    b = static_cast<std::uint8_t>(engine() >> 24);
  return bytes;
}

// Firmware-like data: short code words from a small vocabulary, copied phrases and erased
// (0xFF) stretches, so that the text has the repetition of a real image.
inline Bytes FirmwareImage(std::size_t size, std::uint32_t seed) {
  std::mt19937 engine(seed);
  Bytes image;
  image.reserve(size);
  while (image.size() < size) {
    const std::uint32_t choice = engine() % 16;
    if (choice == 0) {
      image.insert(image.end(), 16 + engine() % 200, 0xFF);
    } else if (choice < 5 && image.size() > 64) {
      const std::size_t length = 4 + engine() % 40;
      const std::size_t from = engine() % (image.size() - length / 2);
      for (std::size_t i = 0; i < length; ++i)
        image.push_back(image[from + i]);
    } else {
      image.push_back(static_cast<std::uint8_t>(0x20 + (engine() % 12) * 8));
      image.push_back(static_cast<std::uint8_t>(engine() >> 24));
    }
  }
  image.resize(size);
  return image;
}

// Intel-HEX text of about the given size: 16-byte data records with extended linear
// addresses at every 64 KB and an end record, lines ending in CR LF.
inline Bytes IntelHexText(std::size_t size, std::uint32_t seed) {
  // Each record of 16 data bytes takes 45 characters of text.
  const Bytes image = FirmwareImage(size / 45 * 16 + 16, seed);
  std::string text;
  text.reserve(size + 64);
  char line[64];
  for (std::size_t address = 0; address < image.size() && text.size() + 45 < size; address += 16) {
    if (address % 0x10000 == 0) {
      const unsigned upper = static_cast<unsigned>(address >> 16);
      std::snprintf(line, sizeof line, ":02000004%04X%02X\r\n", upper,
                    (0x100 - ((6 + (upper >> 8) + (upper & 0xFF)) & 0xFF)) & 0xFF);
      text += line;
    }
    unsigned sum = 0x10 + ((address >> 8) & 0xFF) + (address & 0xFF);
    std::snprintf(line, sizeof line, ":10%04X00", static_cast<unsigned>(address & 0xFFFF));
    text += line;
    for (std::size_t i = 0; i < 16; ++i) {
      std::snprintf(line, sizeof line, "%02X", image[address + i]);
      text += line;
      sum += image[address + i];
    }
    std::snprintf(line, sizeof line, "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
    text += line;
  }
  text += ":00000001FF\r\n";
  return Bytes(text.begin(), text.end());
}

}  // namespace lz_samples
