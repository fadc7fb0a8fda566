#pragma once

#include <array>
#include <cstdint>

#include "modem/modem_state.h"
#include "package/package_state.h"
#include "platform/ascii_protocol.h"
#include "platform/com_port.h"
#include "platform/event_loop.h"
#include "platform/timer.h"
#include "platform/widgets.h"
#include "text/event_log.h"

namespace modem {

// What the modem dialogue works on: the main window's controls and serial components and the
// program state, filled in by the window that owns them.
struct ModemContext {
  platform::EventLoop& loop;
  platform::ComPort& ApdComPort1;
  platform::AsciiProtocol& ApdProtocol1;
  platform::Timer& Timer1;
  text::EventLog& log;
  std::array<platform::Edit*, 5> Edits;  // the port rows, index 1..4 for COM1..COM4
  std::array<platform::CheckBox*, 5> CheckBoxes;
  platform::Gauge& Gauge1;
  std::uint16_t& CurrentStep;
  const std::uint8_t& SelectedPort;
  PortFlags& Ports;
  ModemState& State;
  const bool& DebugMode;
  const package::PackageInfo& PackageInfo;
  const package::PackageSettings& Settings;
  const package::PassFiles& Pass;
};

}  // namespace modem
