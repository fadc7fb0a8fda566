#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "sim/modem_options.h"

namespace tessary_modem_sim {

// The command line of tessary-modem-sim.
struct SimOptions {
  bool help = false;
  sim::ModemOptions modem;
  std::optional<std::string> link;     // a symlink to the pseudo-terminal, made and removed
  std::optional<std::string> capture;  // the HEX bytes of every programming session
  std::optional<std::string> log;      // every command line received
  std::uint32_t baud = 115200;         // the line rate the modem reads at; 0: as fast as it comes
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raises UsageError for an unknown option, a missing value or a value out of range.
SimOptions ParseSimOptions(std::span<const std::string> args);

// The option summary printed by --help.
extern const char* const SimUsage;

}  // namespace tessary_modem_sim
