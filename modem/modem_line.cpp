#include "modem/modem_line.h"

#include <algorithm>

#include "platform/reply_matcher.h"

namespace modem {

namespace {

constexpr std::uint32_t TickMask = 0x7FFFFFFFu;

// Holds the port's data events back for as long as a reply wait runs.
class HeldEvents {
 public:
  explicit HeldEvents(platform::ComPort& port) : port_(port), wasHeld_(port.EventsHeld()) {
    port_.HoldEvents(true);
  }
  ~HeldEvents() { port_.HoldEvents(wasHeld_); }
  HeldEvents(const HeldEvents&) = delete;
  HeldEvents& operator=(const HeldEvents&) = delete;

 private:
  platform::ComPort& port_;
  bool wasHeld_;
};

}  // namespace

void ModemLine::SendCommand(std::string_view command) {
  port_.PutString(command);
}

std::int32_t ModemLine::WaitForReply(std::string_view replyList, std::int32_t timeoutTicks) {
  platform::ReplyMatcher matcher(replyList);
  if (matcher.Empty()) return 0;
  const HeldEvents held(port_);
  const std::uint32_t startMs = loop_.TickCount();
  // Timed out once the tick number passes start tick + time-out; counted from the start so
  // that a wrap of the millisecond count changes nothing.
  const std::int64_t endMs = (std::int64_t{startMs / TickMs} + timeoutTicks + 1) * TickMs;
  for (;;) {
    while (port_.CharReady()) {
      if (const std::int32_t arrived = matcher.Feed(port_.GetChar())) return arrived;
    }
    if (loop_.Terminated()) return 0;
    const std::int64_t nowMs = startMs + ((loop_.TickCount() - startMs) & TickMask);
    if (nowMs >= endMs) return 0;
    loop_.ProcessMessages(
        static_cast<std::uint32_t>(std::min<std::int64_t>(endMs - nowMs, TickMask)));
  }
}

void ModemLine::Pause(std::uint16_t milliseconds) {
  const std::uint32_t startMs = loop_.TickCount();
  for (;;) {
    const std::uint32_t elapsed = (loop_.TickCount() - startMs) & TickMask;
    if (elapsed >= milliseconds) return;
    loop_.ProcessMessages(milliseconds - elapsed);
  }
}

}  // namespace modem
