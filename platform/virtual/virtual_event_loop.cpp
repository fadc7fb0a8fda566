#include "platform/virtual/virtual_event_loop.h"

namespace platform {

EventLoop::TimerId VirtualEventLoop::AddTimer(std::uint32_t intervalMs,
                                              std::function<void()> onFire) {
  const TimerId id = nextTimer_++;
  // A zero interval would fire for ever at one instant.
  const Micros interval = std::max<Micros>(1, Micros{intervalMs} * 1000);
  timers_[id] = TimerEntry{interval, 0, std::move(onFire)};
  ScheduleTimer(id, now_ + interval);
  return id;
}

void VirtualEventLoop::RemoveTimer(TimerId id) {
  timers_.erase(id);
}

void VirtualEventLoop::ScheduleTimer(TimerId id, Micros when) {
  const std::uint64_t sequence = nextSequence_++;
  timers_.at(id).queuedSequence = sequence;
  queue_.push(Event{when, sequence, id, nullptr});
}

void VirtualEventLoop::ScheduleAt(Micros when, std::function<void()> fn) {
  queue_.push(Event{std::max(when, now_), nextSequence_++, 0, std::move(fn)});
}

bool VirtualEventLoop::IsLive(const Event& event) const {
  if (event.timer == 0) return true;
  const auto it = timers_.find(event.timer);
  return it != timers_.end() && it->second.queuedSequence == event.sequence;
}

void VirtualEventLoop::DropDeadEvents() {
  while (!queue_.empty() && !IsLive(queue_.top()))
    queue_.pop();
}

bool VirtualEventLoop::DispatchDue() {
  // Only what was queued before this call: work that posts more work cannot starve the caller.
  const std::uint64_t limit = nextSequence_;
  bool dispatched = false;
  for (;;) {
    DropDeadEvents();
    if (queue_.empty() || queue_.top().when > now_ || queue_.top().sequence >= limit) break;
    Event event = queue_.top();
    queue_.pop();
    if (event.timer != 0) {
      // Reschedule first, so that the handler may switch its own timer off.
      const TimerId id = event.timer;
      ScheduleTimer(id, now_ + timers_.at(id).interval);
      const std::function<void()> fn = timers_.at(id).fn;
      Dispatch(fn);
    } else {
      Dispatch(event.fn);
    }
    dispatched = true;
  }
  return dispatched;
}

void VirtualEventLoop::ProcessMessages(std::uint32_t maxWaitMs) {
  if (DispatchDue() || maxWaitMs == 0) return;
  DropDeadEvents();
  if (maxWaitMs == WaitForever) {
    if (queue_.empty()) throw VirtualLoopStalled();
    now_ = queue_.top().when;
  } else {
    const Micros deadline = now_ + Micros{maxWaitMs} * 1000;
    now_ = queue_.empty() ? deadline : std::min(deadline, queue_.top().when);
  }
  DispatchDue();
}

void VirtualEventLoop::Run() {
  while (!terminated_)
    ProcessMessages(WaitForever);
}

bool VirtualEventLoop::RunUntil(const std::function<bool()>& done, Micros limit) {
  while (!done()) {
    DropDeadEvents();
    if (queue_.empty() || queue_.top().when > limit) {
      now_ = std::max(now_, limit);
      return done();
    }
    ProcessMessages(WaitForever);
  }
  return true;
}

}  // namespace platform
