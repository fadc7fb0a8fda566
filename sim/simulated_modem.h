#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/intel_hex_receiver.h"
#include "sim/line_peer.h"
#include "sim/modem_options.h"

namespace sim {

// A Tessary modem in software, as it answers on its serial line: the command mode of its
// modem code, and its boot code with the Intel-HEX receiver that takes a new image. It knows
// nothing of how its bytes travel (see LinePeer).
class SimulatedModem : public LinePeer {
 public:
  enum class Mode { Command, Boot, Hex };

  explicit SimulatedModem(ModemOptions options = {});

  void Receive(std::uint8_t byte, Micros now) override;
  void Advance(Micros now) override;
  std::optional<Micros> NextWakeUp() const override;
  bool HasOutput() const override { return !output_.empty(); }
  std::uint8_t TakeOutput() override;
  bool ClearToSend() const override { return clearToSend_; }
  bool TakeLineDrop() override;

  Mode CurrentMode() const { return mode_; }
  CodeState Code() const { return options_.code; }
  // Every command line it took, after backspace editing, in command mode and boot code.
  const std::vector<std::string>& Commands() const { return commands_; }
  // One entry per programming session ("AT{A}" accepted), the last one possibly running.
  const std::vector<ReceivedImage>& Images() const { return images_; }
  int NvramRewrites() const { return nvramRewrites_; }

 private:
  void CommandLine(std::string_view line);
  void BootLine(std::string_view line);
  void HexByte(std::uint8_t byte);
  void EndHex(std::string_view verdict);
  void Echo(std::uint8_t byte);
  void Reply(std::string_view text);
  void Prompt();
  void Send(std::string_view bytes, bool lowerCase);

  ModemOptions options_;
  Mode mode_;
  std::string line_;
  std::deque<std::uint8_t> output_;
  bool clearToSend_ = true;
  bool lineDropPending_ = false;
  std::vector<std::string> commands_;
  int nvramRewrites_ = 0;

  // The running HEX reception.
  std::optional<IntelHexReceiver> receiver_;
  bool lineEndsOfImage_ = false;  // right after the end record
  std::vector<ReceivedImage> images_;
  Micros lastRx_ = 0;  // when the last byte came in
};

}  // namespace sim
