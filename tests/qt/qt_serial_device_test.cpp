#include "platform/qt/qt_serial_device.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/posix/pseudo_terminal.h"
#include "qt_app_fixture.h"

namespace platform {
namespace {

class QtSerialDeviceTest : public QtAppTest {
 protected:
  // Pumps the loop until done() holds; a bound on the rounds keeps a fault from hanging the test.
  template <typename Done>
  bool PumpUntil(Done done) {
    for (int round = 0; round < 200 && !done(); ++round)
      loop.ProcessMessages(50);
    return done();
  }

  std::string ReadMaster(std::size_t count) {
    std::string got;
    PumpUntil([&] {
      char buffer[256];
      const ssize_t n = read(pty.MasterFd(), buffer, sizeof buffer);
      if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
      return got.size() >= count;
    });
    return got;
  }

  void WriteMaster(const std::string& bytes) {
    ASSERT_EQ(write(pty.MasterFd(), bytes.data(), bytes.size()),
              static_cast<ssize_t>(bytes.size()));
  }

  std::string ReadDevice(SerialDevice& device, std::size_t count) {
    std::string got;
    PumpUntil([&] {
      std::uint8_t buffer[256];
      const std::size_t n = device.Read(buffer);
      got.append(reinterpret_cast<const char*>(buffer), n);
      return got.size() >= count;
    });
    return got;
  }

  QtEventLoop loop;
  PseudoTerminal pty;
};

TEST_F(QtSerialDeviceTest, OpensAt115200EightNoneOneWithHardwareHandshake) {
  QtSerialDevice device(loop, pty.SlavePath());
  termios settings{};
  ASSERT_EQ(tcgetattr(pty.SlaveFd(), &settings), 0);
  EXPECT_EQ(cfgetospeed(&settings), B115200);
  EXPECT_EQ(cfgetispeed(&settings), B115200);
  EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB), 0u);
  EXPECT_NE(settings.c_cflag & CRTSCTS, 0u);
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL), 0u);
}

TEST_F(QtSerialDeviceTest, CarriesBytesBothWaysUnchanged) {
  QtSerialDevice device(loop, pty.SlavePath());
  int readyReads = 0;
  SerialDevice::Events events;
  events.readyRead = [&] { ++readyReads; };
  device.SetEvents(events);

  const std::string command = "ATI0\r\x00\xff\n";
  const std::vector<std::uint8_t> bytes(command.begin(), command.end());
  EXPECT_EQ(device.Write(bytes), bytes.size());
  EXPECT_EQ(ReadMaster(bytes.size()), command);

  WriteMaster("OK\r\n");
  EXPECT_TRUE(PumpUntil([&] { return readyReads > 0; }));
  EXPECT_EQ(ReadDevice(device, 4), "OK\r\n");
}

TEST_F(QtSerialDeviceTest, WriteTakesNoMoreThanTheLineHolds) {
  QtSerialDevice device(loop, pty.SlavePath());
  const std::vector<std::uint8_t> big(3 * QtSerialDevice::OutputLimit, 'x');
  const std::size_t taken = device.Write(big);
  EXPECT_LE(taken, QtSerialDevice::OutputLimit);
  EXPECT_LE(device.PendingOutput(), QtSerialDevice::OutputLimit);
}

TEST_F(QtSerialDeviceTest, HeldInputStaysInTheTtyUntilReleased) {
  QtSerialDevice device(loop, pty.SlavePath());
  device.HoldInput(true);
  const std::string text(100, 'h');
  WriteMaster(text);
  for (int round = 0; round < 5; ++round)
    loop.ProcessMessages(20);
  int waiting = 0;
  ASSERT_EQ(ioctl(pty.SlaveFd(), FIONREAD, &waiting), 0);
  EXPECT_GE(waiting, 99);

  device.HoldInput(false);
  EXPECT_EQ(ReadDevice(device, text.size()), text);
}

TEST_F(QtSerialDeviceTest, MissingOrBusyPortFailsToOpen) {
  EXPECT_THROW(QtSerialDevice(loop, "/nonexistent/ttyS9"), Exception);
  QtSerialDevice first(loop, pty.SlavePath());
  EXPECT_THROW(QtSerialDevice(loop, pty.SlavePath()), Exception);
}

TEST_F(QtSerialDeviceTest, ReopensAfterClose) {
  { QtSerialDevice first(loop, pty.SlavePath()); }
  QtSerialDevice second(loop, pty.SlavePath());
  WriteMaster("x");
  EXPECT_EQ(ReadDevice(second, 1), "x");
}

TEST_F(QtSerialDeviceTest, VanishedDeviceReportsFailureInsteadOfHanging) {
  QtSerialDevice device(loop, pty.SlavePath());
  bool failedEvent = false;
  SerialDevice::Events events;
  events.failed = [&] { failedEvent = true; };
  device.SetEvents(events);
  pty.Close();
  EXPECT_TRUE(PumpUntil([&] { return failedEvent; }));
  EXPECT_TRUE(device.Failed());
  const std::vector<std::uint8_t> bytes{'A', 'T', '\r'};
  EXPECT_EQ(device.Write(bytes), 0u);
  std::uint8_t buffer[8];
  EXPECT_EQ(device.Read(buffer), 0u);
}

// The owner closes the port in its handlers (a dead line, an answer that ends a dialogue):
// nothing of the device may be touched afterwards.
TEST_F(QtSerialDeviceTest, OwnerMayDestroyTheDeviceInItsHandlers) {
  const struct {
    const char* name;
    std::function<void()> SerialDevice::Events::*event;
    std::function<void(PseudoTerminal&)> provoke;
  } cases[] = {
      {"data arrived", &SerialDevice::Events::readyRead,
       [](PseudoTerminal& line) { EXPECT_EQ(write(line.MasterFd(), "OK\r\n", 4), 4); }},
      {"device vanished", &SerialDevice::Events::failed,
       [](PseudoTerminal& line) { line.Close(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PseudoTerminal line;
    auto device = std::make_unique<QtSerialDevice>(loop, line.SlavePath());
    SerialDevice::Events events;
    events.*(c.event) = [&device] { device.reset(); };
    device->SetEvents(events);
    c.provoke(line);
    EXPECT_TRUE(PumpUntil([&] { return device == nullptr; }));
    for (int round = 0; round < 5; ++round)
      loop.ProcessMessages(10);
  }
}

TEST_F(QtSerialDeviceTest, FactoryOpensTheDevicePathOfEachComPort) {
  QtSerialPortFactory factory(loop, {"/nonexistent/a", pty.SlavePath(), "/nonexistent/c", ""});
  EXPECT_THROW(factory.Open(1), Exception);
  EXPECT_NE(factory.Open(2), nullptr);
  EXPECT_THROW(factory.Open(4), Exception);
  EXPECT_THROW(factory.Open(5), Exception);
}

}  // namespace
}  // namespace platform
