#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/serial_device.h"
#include "platform/virtual/virtual_event_loop.h"
#include "sim/line_peer.h"
#include "sim/simulated_modem.h"
#include "sim/virtual_line.h"

namespace sim {

// COM1..COM4 of the virtual backend: each holds a device on a virtual line, or is absent
// (opening it fails as for a port that does not exist).
class SimulatedPorts : public platform::SerialPortFactory {
 public:
  explicit SimulatedPorts(platform::VirtualEventLoop& loop) : loop_(loop) {}

  // Puts a simulated modem on COMn and returns it.
  SimulatedModem& AddModem(std::uint8_t comNumber, ModemOptions options = {});
  // Puts any device on COMn; it must outlive this object.
  void Plug(std::uint8_t comNumber, LinePeer& peer);

  std::unique_ptr<platform::SerialDevice> Open(std::uint8_t comNumber) override;

 private:
  platform::VirtualEventLoop& loop_;
  std::vector<std::unique_ptr<SimulatedModem>> modems_;
  std::array<std::unique_ptr<VirtualLine>, 5> lines_;  // index 1..4
};

}  // namespace sim
