#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>

#include "platform/serial_device.h"

namespace app::testing {

// A serial line whose far end is the test: it hands bytes to the port when told and swallows
// whatever the port sends.
class ScriptedDevice : public platform::SerialDevice {
 public:
  void SetEvents(Events events) override { events_ = std::move(events); }
  std::size_t Read(std::span<std::uint8_t> buffer) override {
    std::size_t count = 0;
    for (; count < buffer.size() && !incoming_.empty(); ++count) {
      buffer[count] = incoming_.front();
      incoming_.pop_front();
    }
    return count;
  }
  std::size_t Write(std::span<const std::uint8_t> bytes) override { return bytes.size(); }
  std::size_t PendingOutput() const override { return 0; }
  void HoldInput(bool) override {}
  bool Failed() const override { return false; }

  void Deliver(std::string_view bytes) {
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
    if (events_.readyRead) events_.readyRead();
  }

 private:
  Events events_;
  std::deque<std::uint8_t> incoming_;
};

}  // namespace app::testing
