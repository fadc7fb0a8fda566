#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "package/package_state.h"

namespace package {

// What a packaged program file is made of.
struct PackageRequest {
  std::string BaseFile;  // the executable without a package
  std::string MainHexFile;
  std::optional<std::string> BootHexFile;
  std::vector<std::uint8_t> Sound;  // a RIFF WAVE of SoundLength bytes
  PackageInfo Info;                 // texts and flags; the lengths are filled in
};

// Which input of a request a failure concerns, so that a tool can name its option.
enum class PackageInput { Base, MainHex, BootHex, Sound, Output };

class PackageInputError : public std::runtime_error {
 public:
  PackageInputError(PackageInput input, const std::string& message)
      : std::runtime_error(message), input_(input) {}
  PackageInput Input() const { return input_; }

 private:
  PackageInput input_;
};

// Writes base, sound, boot archive, main archive and trailer to outFile, marked executable.
// Each HEX file is checked and compressed, its archive storing the HEX file's name. The file
// is written under a temporary name beside outFile and renamed at the end: on any error
// nothing new is left, and an existing outFile stays as it was. Returns the trailer written.
PackageInfo WritePackage(const PackageRequest& request, const std::string& outFile);

}  // namespace package
