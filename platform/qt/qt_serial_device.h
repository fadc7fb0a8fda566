#pragma once

#include <QSerialPort>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/qt/qt_event_loop.h"
#include "platform/serial_device.h"

namespace platform {

// A serial line on a tty through Qt SerialPort: 115200 8N1 with RTS/CTS, DTR and RTS raised.
class QtSerialDevice final : public SerialDevice {
 public:
  // Throws platform::Exception when the device does not exist, is busy or refuses the settings.
  QtSerialDevice(QtEventLoop& loop, const std::string& path);
  ~QtSerialDevice() override;

  void SetEvents(Events events) override { events_ = std::move(events); }
  std::size_t Read(std::span<std::uint8_t> buffer) override;
  std::size_t Write(std::span<const std::uint8_t> bytes) override;
  std::size_t PendingOutput() const override;
  void HoldInput(bool hold) override;
  bool Failed() const override { return failed_; }

  // Most bytes Write keeps queued before it refuses more: what the line holds now.
  static constexpr std::size_t OutputLimit = 4096;

 private:
  void OnError(QSerialPort::SerialPortError error);
  void RaiseLater(std::function<void()> Events::*event, bool& posted);

  QtEventLoop& loop_;
  QSerialPort port_;
  Events events_;
  bool failed_ = false;
  bool readyReadPosted_ = false;
  bool bytesWrittenPosted_ = false;
  bool failedPosted_ = false;
  std::shared_ptr<char> alive_ = std::make_shared<char>();
};

// Opens COM1..COM4 at the device paths it was given.
class QtSerialPortFactory final : public SerialPortFactory {
 public:
  QtSerialPortFactory(QtEventLoop& loop, std::array<std::string, 4> devicePaths)
      : loop_(loop), devicePaths_(std::move(devicePaths)) {}
  std::unique_ptr<SerialDevice> Open(std::uint8_t comNumber) override;

 private:
  QtEventLoop& loop_;
  std::array<std::string, 4> devicePaths_;
};

}  // namespace platform
