#pragma once

#include <cstdint>
#include <optional>

namespace sim {

// Time on the line, in microseconds.
using Micros = std::int64_t;

// The device at the far end of a serial line: bytes in, bytes out, with a clock of its own.
// Whatever carries the bytes (an in-process virtual line, a pseudo-terminal) calls Receive for
// every byte that has fully arrived and Advance when NextWakeUp is due, and after each call
// looks again at the output, at CTS and at whether the device dropped the line.
class LinePeer {
 public:
  virtual ~LinePeer() = default;

  virtual void Receive(std::uint8_t byte, Micros now) = 0;
  virtual void Advance(Micros now) = 0;
  // When the device next wants Advance, if ever.
  virtual std::optional<Micros> NextWakeUp() const = 0;

  virtual bool HasOutput() const = 0;
  virtual std::uint8_t TakeOutput() = 0;

  // CTS as the device drives it: while false the host must not start another byte.
  virtual bool ClearToSend() const = 0;

  // True once each time the device has just dropped the line; the open port then fails.
  virtual bool TakeLineDrop() = 0;
};

}  // namespace sim
