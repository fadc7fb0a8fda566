#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace package {

inline constexpr int TrailerSize = 193;
inline constexpr std::int32_t SoundLength = 27958;

// Texts here are byte strings in code page 1252, as they stand in the trailer.

// The decoded trailer.
struct PackageInfo {
  std::int32_t BootLength = 0;
  std::int32_t MainLength = 0;
  std::string BootModel;  // capacity 8
  std::string MainModel;  // capacity 8
  bool IgnoreModel = false;
  std::string BuiltFor;     // capacity 50
  std::string ProductName;  // capacity 49
  std::uint8_t Language = 0;
  std::array<bool, 50> Countries{};
};

// The program-wide package settings that the other subsystems read.
struct PackageSettings {
  std::int32_t BootLength = 9387;
  std::int32_t MainLength = 245807;
  std::string BootModel = "xx518200";
  std::string MainModel = "xx518200";
  std::string ProductName;
  std::uint8_t LanguageIndex = 1;
};

// The files of the running flash pass, as paths on this system ("c:\" already mapped);
// package::RemoveTemporaryFile deletes one.
struct PassFiles {
  std::string ArchiveFileName;
  std::string HexFileName;
  std::int32_t HexFileSize = 0;
};

struct PackageState {
  std::array<std::uint8_t, TrailerSize> TrailerBuffer{};
  PackageInfo Info;
  PackageSettings Settings;
  PassFiles Pass;
};

}  // namespace package
