#include "sim/simulated_ports.h"

#include <string>

#include "platform/exceptions.h"

namespace sim {

namespace {
std::string PortName(std::uint8_t comNumber) {
  return "COM" + std::to_string(comNumber);
}
}  // namespace

SimulatedModem& SimulatedPorts::AddModem(std::uint8_t comNumber, ModemOptions options) {
  modems_.push_back(std::make_unique<SimulatedModem>(std::move(options)));
  Plug(comNumber, *modems_.back());
  return *modems_.back();
}

void SimulatedPorts::Plug(std::uint8_t comNumber, LinePeer& peer) {
  if (comNumber < 1 || comNumber >= lines_.size()) {
    throw platform::Exception("No such port: " + PortName(comNumber));
  }
  lines_[comNumber] = std::make_unique<VirtualLine>(loop_, peer);
}

std::unique_ptr<platform::SerialDevice> SimulatedPorts::Open(std::uint8_t comNumber) {
  if (comNumber < 1 || comNumber >= lines_.size() || !lines_[comNumber]) {
    throw platform::Exception(PortName(comNumber) + " does not exist");
  }
  return lines_[comNumber]->Connect(PortName(comNumber));
}

}  // namespace sim
