#include "platform/timer.h"

namespace platform {

Timer::Timer(EventLoop& loop, std::uint32_t intervalMs, bool enabled)
    : loop_(loop), intervalMs_(intervalMs) {
  if (enabled) Start();
}

Timer::~Timer() {
  Stop();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (enabled) {
    Start();
  } else {
    Stop();
  }
}

void Timer::SetInterval(std::uint32_t intervalMs) {
  if (intervalMs == intervalMs_) return;
  intervalMs_ = intervalMs;
  if (Enabled()) {
    Stop();
    Start();
  }
}

void Timer::Start() {
  id_ = loop_.AddTimer(intervalMs_, [this] {
    if (OnTimer) OnTimer();
  });
}

void Timer::Stop() {
  if (!id_) return;
  loop_.RemoveTimer(*id_);
  id_.reset();
}

}  // namespace platform
