#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "package/package_state.h"

namespace tessary_pack {

// The command line of tessary-pack, checked and converted: texts in code page 1252.
struct PackOptions {
  bool help = false;
  std::optional<std::string> show;  // --show FILE: print and do nothing else
  std::string out;
  std::string mainHex;
  std::optional<std::string> bootHex;
  std::optional<std::string> sound;
  std::optional<std::string> base;
  package::PackageInfo info;  // everything but the lengths
};

// A command-line mistake, with the option it concerns.
class UsageError : public std::runtime_error {
 public:
  UsageError(std::string option, const std::string& message)
      : std::runtime_error(message), option_(std::move(option)) {}
  const std::string& Option() const { return option_; }

 private:
  std::string option_;
};

// Raises UsageError naming the option at fault.
PackOptions ParsePackOptions(std::span<const std::string> args);

}  // namespace tessary_pack
