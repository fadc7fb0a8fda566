#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace modem {

// What discovery found per port; index 1..4 is COM1..COM4 (0 is unused).
struct PortFlags {
  std::array<std::uint8_t, 5> DevicePresent{};
  std::array<std::uint8_t, 5> ModemFound{};
  std::array<std::uint8_t, 5> CodeDamaged{};
};

// Program-wide state of the modem dialogue, shared with the step machine and the window.
struct ModemState {
  std::uint8_t ModemCount = 0;
  std::uint8_t ModemCodeVerdict = 0;
  std::uint8_t CountryRejected = 0;
  std::uint32_t EchoTriggerHandle = 0;
  std::string DebugEcho;
};

}  // namespace modem
