#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/serial_device.h"
#include "platform/virtual/virtual_event_loop.h"
#include "sim/line_peer.h"

namespace sim {

// A serial line in virtual time between one port and a LinePeer: 115200 bit/s, 8N1 (ten bits
// a byte) in each direction, RTS/CTS flow control both ways. The peer runs on its own clock
// whether or not a port is connected; what it sends while none is goes nowhere.
class VirtualLine {
 public:
  static constexpr std::int64_t BitRate = 115200;
  static constexpr std::int64_t BitsPerByte = 10;
  // Bytes the host side's transmitter holds besides the one on the wire (a UART's FIFO).
  static constexpr std::size_t TransmitFifo = 16;

  VirtualLine(platform::VirtualEventLoop& loop, LinePeer& peer);
  ~VirtualLine();
  VirtualLine(const VirtualLine&) = delete;
  VirtualLine& operator=(const VirtualLine&) = delete;

  // The port's end of the line; throws platform::Exception while another end is connected.
  // The end may be destroyed from within its own events.
  std::unique_ptr<platform::SerialDevice> Connect(const std::string& portName);

 private:
  class End;

  // Times the bytes of one direction: back to back they follow each other without a gap or a
  // drift, however long the stream.
  struct ByteClock {
    Micros anchor = 0;
    std::int64_t count = 0;
    Micros lastEnd = -1;
    Micros NextEnd(Micros now);
  };

  void Disconnect();
  void Fail();
  void AfterPeer();
  void StartTransmit();
  void TransmitDone();
  void StartReceive();
  void ReceiveDone();
  void ScheduleWakeUp();
  std::size_t HostRead(std::span<std::uint8_t> buffer);
  std::size_t HostWrite(std::span<const std::uint8_t> bytes);
  void SetHostHolds(bool hold);
  void At(Micros when, std::function<void()> fn);

  platform::VirtualEventLoop& loop_;
  LinePeer& peer_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  End* end_ = nullptr;
  std::uint64_t connection_ = 0;  // events of an earlier connection are dropped

  // Host to peer.
  std::deque<std::uint8_t> transmitQueue_;
  bool transmitting_ = false;
  std::uint8_t transmitByte_ = 0;
  ByteClock transmitClock_;

  // Peer to host.
  bool receiving_ = false;
  std::uint8_t receiveByte_ = 0;
  ByteClock receiveClock_;
  std::deque<std::uint8_t> hostInput_;
  bool hostHolds_ = false;

  std::optional<Micros> wakeUpAt_;
};

}  // namespace sim
