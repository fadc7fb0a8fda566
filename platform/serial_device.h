#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace platform {

// One opened serial line (115200 bit/s, 8N1, RTS/CTS), as the port component sees it.
// Nothing here blocks: reads take what has arrived, writes take what the line can hold now.
// Events are delivered on the event loop's thread.
class SerialDevice {
 public:
  struct Events {
    std::function<void()> readyRead;     // bytes are waiting to be read
    std::function<void()> bytesWritten;  // output room became free, or output drained
    std::function<void()> failed;        // the device vanished or broke; the line is dead
  };

  virtual ~SerialDevice() = default;

  virtual void SetEvents(Events events) = 0;

  // Copies up to buffer.size() received bytes out; returns how many.
  virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;

  // Accepts as many of the bytes as the line can take now; returns how many.
  virtual std::size_t Write(std::span<const std::uint8_t> bytes) = 0;

  // Bytes accepted by Write that have not left the line yet.
  virtual std::size_t PendingOutput() const = 0;

  // Lowers (true) or raises (false) the request-to-send line as seen by the peer, so that it
  // stops sending while the port's input buffer is nearly full.
  virtual void HoldInput(bool hold) = 0;

  virtual bool Failed() const = 0;
};

// Opens COM1..COM4. Throws platform::Exception when the port does not exist or is busy.
class SerialPortFactory {
 public:
  virtual ~SerialPortFactory() = default;
  virtual std::unique_ptr<SerialDevice> Open(std::uint8_t comNumber) = 0;
};

}  // namespace platform
