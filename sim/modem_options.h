#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "sim/line_peer.h"

namespace sim {

enum class CodeState { Good, Corrupt, Missing };

// How the boot code answers "AT{A}".
enum class ProgrammingAnswer { Accept, Refuse, Silent };

// A modem's identity and the faults it shows. Texts are byte strings (code page 1252).
struct ModemOptions {
  std::string productName = "Tessary 336";  // the answer to ATI3
  std::string modelCode = "xx518200";       // the answer to ATI0
  int countryIndex = 0;                     // answered to ATY14 as three digits
  bool waitsInBootCode = false;             // found in its boot code at start
  CodeState code = CodeState::Good;         // damaged code always waits in the boot code

  bool silent = false;  // never sends a byte, not even the echo
  bool echo = true;
  bool lowerCaseReplies = false;
  bool flashCapable = true;  // false: "ERROR" to ATGBOOT5
  ProgrammingAnswer programming = ProgrammingAnswer::Accept;
  bool verdictTimeout = false;  // no verdict after the end record
  // Counted in bytes of HEX data received in one programming session.
  std::optional<std::size_t> dropLineAfterHexBytes{};
  std::optional<std::size_t> holdCtsAfterHexBytes{};  // CTS stays low from then on
  Micros rxDataTimeout = 1'500'000;                   // silence that ends a HEX reception
};

}  // namespace sim
