#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <queue>
#include <stdexcept>
#include <vector>

#include "platform/event_loop.h"

namespace platform {

// Raised when the virtual loop is asked to wait for ever with nothing scheduled: in real time
// the program would hang there, so a test must fail instead.
class VirtualLoopStalled : public std::logic_error {
 public:
  VirtualLoopStalled() : std::logic_error("virtual event loop waits for ever: nothing scheduled") {}
};

// A discrete-event loop on a virtual clock in microseconds. Waiting jumps the clock to the next
// event instead of sleeping, so a five-second pause costs nothing.
class VirtualEventLoop : public EventLoop {
 public:
  using Micros = std::int64_t;

  explicit VirtualEventLoop(Micros start = 0) : now_(start) {}

  std::uint32_t TickCount() const override {
    return static_cast<std::uint32_t>(now_ / 1000) & 0x7FFFFFFFu;
  }
  void ProcessMessages(std::uint32_t maxWaitMs = 0) override;
  void Run() override;
  void Terminate() override { terminated_ = true; }
  bool Terminated() const override { return terminated_; }
  void Post(std::function<void()> fn) override { ScheduleAt(now_, std::move(fn)); }
  TimerId AddTimer(std::uint32_t intervalMs, std::function<void()> onFire) override;
  void RemoveTimer(TimerId id) override;

  Micros Now() const { return now_; }

  // Simulation hooks: work that happens at a virtual time (line bytes, a scripted user).
  void ScheduleAt(Micros when, std::function<void()> fn);
  void ScheduleAfter(Micros delay, std::function<void()> fn) {
    ScheduleAt(now_ + delay, std::move(fn));
  }

  // Runs until done() holds (checked after every dispatch) or the clock passes limit.
  // Returns whether done() held.
  bool RunUntil(const std::function<bool()>& done, Micros limit);

 private:
  struct Event {
    Micros when;
    std::uint64_t sequence;
    TimerId timer;  // 0 for a one-shot event
    std::function<void()> fn;
  };
  struct Later {
    bool operator()(const Event& a, const Event& b) const {
      return a.when != b.when ? a.when > b.when : a.sequence > b.sequence;
    }
  };
  struct TimerEntry {
    Micros interval;
    std::uint64_t queuedSequence;  // the one queued event of this timer that may still fire
    std::function<void()> fn;
  };

  bool DispatchDue();
  bool IsLive(const Event& event) const;
  void DropDeadEvents();
  void ScheduleTimer(TimerId id, Micros when);

  Micros now_;
  bool terminated_ = false;
  std::uint64_t nextSequence_ = 1;
  TimerId nextTimer_ = 1;
  std::priority_queue<Event, std::vector<Event>, Later> queue_;
  std::map<TimerId, TimerEntry> timers_;
};

}  // namespace platform
