#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/line_peer.h"

namespace serial_test {

// A device on the far end of a virtual line that does what the test tells it, when it tells
// it: send bytes, drop or raise CTS, drop the line. Plug it in after scripting it, so that the
// line knows its first wake-up.
class ScriptedPeer : public sim::LinePeer {
 public:
  using Action = std::function<void(ScriptedPeer&)>;

  void At(sim::Micros when, Action action) { actions_.emplace(when, std::move(action)); }

  void Send(std::string_view bytes) { output_.append(bytes); }
  void SetClearToSend(bool cts) { clearToSend_ = cts; }
  void DropLine() { dropPending_ = true; }

  const std::string& Received() const { return received_; }
  const std::vector<sim::Micros>& ReceiveTimes() const { return receiveTimes_; }

  void Receive(std::uint8_t byte, sim::Micros now) override {
    received_.push_back(static_cast<char>(byte));
    receiveTimes_.push_back(now);
    if (onReceive) onReceive(*this, byte);
  }
  void Advance(sim::Micros now) override {
    while (!actions_.empty() && actions_.begin()->first <= now) {
      Action action = std::move(actions_.begin()->second);
      actions_.erase(actions_.begin());
      action(*this);
    }
  }
  std::optional<sim::Micros> NextWakeUp() const override {
    if (actions_.empty()) return std::nullopt;
    return actions_.begin()->first;
  }
  bool HasOutput() const override { return sent_ < output_.size(); }
  std::uint8_t TakeOutput() override { return static_cast<std::uint8_t>(output_[sent_++]); }
  bool ClearToSend() const override { return clearToSend_; }
  bool TakeLineDrop() override { return std::exchange(dropPending_, false); }

  std::function<void(ScriptedPeer&, std::uint8_t)> onReceive;

 private:
  std::multimap<sim::Micros, Action> actions_;
  std::string output_;
  std::size_t sent_ = 0;
  bool clearToSend_ = true;
  bool dropPending_ = false;
  std::string received_;
  std::vector<sim::Micros> receiveTimes_;
};

// Microseconds that n bytes take on the line, back to back.
inline sim::Micros LineTime(std::int64_t bytes) {
  return (bytes * 10'000'000 + 115199) / 115200;
}

}  // namespace serial_test
