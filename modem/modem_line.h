#pragma once

#include <cstdint>
#include <string_view>

#include "platform/com_port.h"
#include "platform/event_loop.h"

namespace modem {

// Reply time-outs are counted in ticks of the system's millisecond count divided by 55.
inline constexpr std::uint32_t TickMs = 55;

// The three primitives every modem dialogue is made of, on the window's one serial port.
// Waiting never spins: both waits block in the event loop until the next event or their end.
class ModemLine {
 public:
  ModemLine(platform::EventLoop& loop, platform::ComPort& port) : loop_(loop), port_(port) {}

  // Queues the bytes as they stand (a command carries its own carriage return), opening the
  // port first when it is closed. Throws platform::Exception when it cannot be opened.
  void SendCommand(std::string_view command);

  // Reads received bytes until one of the reply list's alternatives has arrived (its number)
  // or the time-out in ticks has passed or the application is closing (0). Letters a-z match
  // either case; bytes after the match stay in the buffer. The port's data events are held
  // back meanwhile. An empty list yields 0 at once.
  std::int32_t WaitForReply(std::string_view replyList, std::int32_t timeoutTicks);

  // Returns after at least that many milliseconds, with events dispatched all along.
  void Pause(std::uint16_t milliseconds);

 private:
  platform::EventLoop& loop_;
  platform::ComPort& port_;
};

}  // namespace modem
