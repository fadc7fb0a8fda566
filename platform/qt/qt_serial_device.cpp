#include "platform/qt/qt_serial_device.h"

#include <QString>

#include <algorithm>

#include "platform/exceptions.h"

namespace platform {
namespace {

// While input is held, Qt takes no more bytes off the tty than it already has; the kernel's
// buffer then fills and its RTS/CTS handshake stops the peer.
constexpr qint64 kHeldReadBuffer = 1;
// Otherwise Qt buffers no more than this before it waits for the port to take bytes out.
constexpr qint64 kReadBuffer = 4096;

}  // namespace

QtSerialDevice::QtSerialDevice(QtEventLoop& loop, const std::string& path) : loop_(loop) {
  port_.setPortName(QString::fromStdString(path));
  port_.setReadBufferSize(kReadBuffer);
  if (!port_.open(QIODevice::ReadWrite)) {
    throw Exception("Cannot open " + path + ": " + port_.errorString().toStdString());
  }
  const bool configured =
      port_.setBaudRate(QSerialPort::Baud115200) && port_.setDataBits(QSerialPort::Data8) &&
      port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop);
  if (!configured) {
    const std::string reason = port_.errorString().toStdString();
    port_.close();
    throw Exception("Cannot configure " + path + ": " + reason);
  }
  // A pseudo-terminal has no modem lines; refusing to raise them is harmless there. RTS must be
  // raised before the handshake takes it over.
  port_.setDataTerminalReady(true);
  port_.setRequestToSend(true);
  port_.setFlowControl(QSerialPort::HardwareControl);
  port_.clearError();

  QObject::connect(&port_, &QSerialPort::readyRead,
                   [this] { RaiseLater(&Events::readyRead, readyReadPosted_); });
  QObject::connect(&port_, &QSerialPort::bytesWritten,
                   [this] { RaiseLater(&Events::bytesWritten, bytesWrittenPosted_); });
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError error) { OnError(error); });
}

QtSerialDevice::~QtSerialDevice() {
  QObject::disconnect(&port_, nullptr, nullptr, nullptr);
  port_.close();
}

std::size_t QtSerialDevice::Read(std::span<std::uint8_t> buffer) {
  if (failed_ && port_.bytesAvailable() == 0) return 0;
  const qint64 got =
      port_.read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

std::size_t QtSerialDevice::Write(std::span<const std::uint8_t> bytes) {
  if (failed_ || !port_.isOpen()) return 0;
  const std::size_t room = OutputLimit - std::min(OutputLimit, PendingOutput());
  const std::size_t count = std::min(room, bytes.size());
  if (count == 0) return 0;
  const qint64 taken =
      port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(count));
  return taken > 0 ? static_cast<std::size_t>(taken) : 0;
}

std::size_t QtSerialDevice::PendingOutput() const {
  return static_cast<std::size_t>(port_.bytesToWrite());
}

void QtSerialDevice::HoldInput(bool hold) {
  if (failed_) return;
  port_.setReadBufferSize(hold ? kHeldReadBuffer : kReadBuffer);
}

void QtSerialDevice::OnError(QSerialPort::SerialPortError error) {
  const bool lineIsDead = error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                          error == QSerialPort::WriteError;
  if (!lineIsDead || failed_) return;
  failed_ = true;
  RaiseLater(&Events::failed, failedPosted_);
}

// Qt is still inside its own notification for the port when it signals, and the owner may well
// close the port (and destroy this device) in its handler; so the handler runs from the loop,
// once per burst of signals, and not at all once the device is gone.
void QtSerialDevice::RaiseLater(std::function<void()> Events::*event, bool& posted) {
  if (posted) return;
  posted = true;
  loop_.Post([this, event, &posted, alive = std::weak_ptr<char>(alive_)] {
    if (alive.expired()) return;
    posted = false;
    if (event == &Events::failed) port_.close();
    const std::function<void()> handler = events_.*event;
    if (handler) handler();
  });
}

std::unique_ptr<SerialDevice> QtSerialPortFactory::Open(std::uint8_t comNumber) {
  if (comNumber < 1 || comNumber > devicePaths_.size()) {
    throw Exception("COM" + std::to_string(comNumber) + " does not exist");
  }
  return std::make_unique<QtSerialDevice>(loop_, devicePaths_[comNumber - 1]);
}

}  // namespace platform
