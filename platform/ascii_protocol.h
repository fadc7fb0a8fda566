#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/com_port.h"
#include "platform/event_loop.h"

namespace platform {

enum class ProtocolType { Ascii = 9 };

// The file transfer protocol component in its plain-ASCII mode: sends a file's bytes unchanged
// and in order, paced only by the line and its flow control, and reports status, finish or
// error through the event loop. Exactly one of finish and error per transfer.
class AsciiProtocol {
 public:
  static constexpr std::int32_t DefaultTransmitTimeoutTicks = 1092;  // 55 ms ticks, ~60 s
  static constexpr std::int32_t DefaultStatusIntervalTicks = 18;

  AsciiProtocol(EventLoop& loop, ComPort& port);
  ~AsciiProtocol();
  AsciiProtocol(const AsciiProtocol&) = delete;
  AsciiProtocol& operator=(const AsciiProtocol&) = delete;

  ProtocolType GetProtocolType() const;
  void SetProtocolType(ProtocolType type);
  const std::string& FileMask() const;
  void SetFileMask(const std::string& mask);
  std::int32_t TransmitTimeout() const;
  void SetTransmitTimeout(std::int32_t ticks);
  std::int32_t StatusInterval() const;
  void SetStatusInterval(std::int32_t ticks);

  // Starts sending the file named by FileMask; returns at once. A file that cannot be read
  // ends the transfer with OnProtocolError.
  void StartTransmit();
  bool InProgress() const;
  // Bytes sent since the last status event (what the status handler adds to the gauge).
  std::uint16_t BlockLength() const;

  std::function<void(std::int32_t options)> OnProtocolStatus;
  std::function<void(std::int32_t errorCode)> OnProtocolFinish;
  std::function<void(std::int32_t errorCode)> OnProtocolError;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
