#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/event_loop.h"

namespace platform {

// A window timer component: while enabled it calls OnTimer every Interval milliseconds.
// Switching it on (from off) restarts the interval; switching it on again while on changes
// nothing.
class Timer {
 public:
  explicit Timer(EventLoop& loop, std::uint32_t intervalMs = 1000, bool enabled = true);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return id_.has_value(); }
  void SetEnabled(bool enabled);
  std::uint32_t Interval() const { return intervalMs_; }
  void SetInterval(std::uint32_t intervalMs);

  std::function<void()> OnTimer;

 private:
  void Start();
  void Stop();

  EventLoop& loop_;
  std::uint32_t intervalMs_;
  std::optional<EventLoop::TimerId> id_;
};

}  // namespace platform
