#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/event_loop.h"
#include "platform/serial_device.h"

namespace platform {

// The serial port component: one object that can be pointed at COM1..COM4, with 8192-byte
// input and output buffers between the program and the device, hardware flow control, and data
// triggers. All events come through the event loop.
class ComPort {
 public:
  static constexpr std::size_t InSize = 8192;
  static constexpr std::size_t OutSize = 8192;
  static constexpr std::size_t BufferFull = 7372;   // input level at which the peer is held
  static constexpr std::size_t BufferResume = 818;  // input level at which it may send again

  ComPort(EventLoop& loop, SerialPortFactory& factory);
  ~ComPort();
  ComPort(const ComPort&) = delete;
  ComPort& operator=(const ComPort&) = delete;

  // On an open port: close, record, reopen on the new port. Same number: nothing happens.
  std::uint8_t ComNumber() const;
  void SetComNumber(std::uint8_t comNumber);
  std::uint32_t Baud() const;
  void SetBaud(std::uint32_t baud);

  // Setting the value it has does nothing. Opening throws platform::Exception when the port
  // does not exist or is busy.
  bool Open() const;
  void SetOpen(bool open);

  // Queues bytes for the line, opening the port first when it is closed (AutoOpen). Throws
  // platform::Exception when the output buffer cannot take them all.
  void PutString(std::string_view bytes);

  // Received bytes waiting in the input buffer; GetChar takes one out (opens when closed).
  std::size_t InBuffUsed();
  bool CharReady();
  std::uint8_t GetChar();
  // Copies what is in the input buffer without taking it out.
  std::string PeekInput() const;
  // While OnTriggerAvail runs: a copy of the bytes it reports, left in the input buffer, so
  // that an echo of them does not take them away from the next reply wait.
  std::string PeekAvail() const;

  std::size_t OutBuffUsed() const;  // queued here and in the device, not yet on the line
  std::size_t OutBuffFree() const;
  // Drops what is queued here and not yet taken by the device.
  void FlushOutBuffer();

  // Data triggers: each arrival of text raises OnTriggerData with the handle (never 0), right
  // after the OnTriggerAvail that reports the byte completing it. Throws platform::Exception
  // for an empty text or one longer than MaxTriggerLength.
  static constexpr std::size_t MaxTriggerLength = 21;
  std::uint16_t AddDataTrigger(std::string_view text, bool ignoreCase);
  void RemoveTrigger(std::uint16_t handle);

  // While held (a reply wait runs), no trigger events are raised; bytes stay in the buffer.
  // Released, the bytes still in the buffer that no event has reported yet are reported; bytes
  // taken out meanwhile are never reported.
  void HoldEvents(bool hold);
  bool EventsHeld() const;

  std::function<void(std::size_t count)> OnTriggerAvail;
  std::function<void(std::uint16_t handle)> OnTriggerData;
  // The device failed while open (vanished, broke). The port then stays open but dead: what is
  // sent is lost and nothing arrives, until the program closes it. Taken by the transfer
  // protocol linked to the port.
  std::function<void()> OnPortError;

  // For the transfer protocol: raised whenever bytes have left the line (room became free).
  std::function<void()> OnOutputSpace;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
