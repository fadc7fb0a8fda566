#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/event_loop.h"

namespace platform {

// The event loop on Qt's own dispatcher, in real time. Needs a QCoreApplication (or
// QApplication) for its whole life; the loop never calls exec(): Run and every nested wait pump
// Qt's events through ProcessMessages, which sleeps in the dispatcher while nothing is due.
class QtEventLoop final : public EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;
  QtEventLoop(const QtEventLoop&) = delete;
  QtEventLoop& operator=(const QtEventLoop&) = delete;

  std::uint32_t TickCount() const override;
  void ProcessMessages(std::uint32_t maxWaitMs = 0) override;
  void Run() override;
  void Terminate() override { terminated_ = true; }
  bool Terminated() const override { return terminated_; }
  void Post(std::function<void()> fn) override;
  TimerId AddTimer(std::uint32_t intervalMs, std::function<void()> onFire) override;
  void RemoveTimer(TimerId id) override;

  // For events that reach the program from Qt itself (a click, a device signal): runs fn as a
  // dispatched callback, so that an exception ends up with the loop's handler.
  void Deliver(const std::function<void()>& fn) { Dispatch(fn); }

 private:
  class Receiver;

  void FireTimer(int qtTimerId);

  std::unique_ptr<Receiver> receiver_;
  bool terminated_ = false;
  TimerId nextTimer_ = 1;
  std::map<TimerId, int> qtTimerIds_;
  std::map<int, std::function<void()>> timerCallbacks_;  // by Qt's timer id
};

}  // namespace platform
