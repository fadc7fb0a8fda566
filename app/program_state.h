#pragma once

#include <cstdint>
#include <string>

#include "modem/modem_state.h"
#include "package/package_state.h"

namespace app {

// The step machine's program-wide variables.
struct StepState {
  std::uint16_t CurrentStep = 0;
  std::uint8_t TransferPass = 0;  // 1 boot image, 2 main image
  bool DebugMode = false;
  std::string ProgramFileName;
};

// Everything the program keeps between events, apart from the windows' own fields.
struct ProgramState {
  StepState Step;
  package::PackageState Package;
  modem::ModemState Modem;
};

}  // namespace app
