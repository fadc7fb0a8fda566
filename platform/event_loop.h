#pragma once

#include <cstdint>
#include <exception>
#include <functional>

namespace platform {

// The program's one message loop. Everything the program does runs in callbacks that this
// loop dispatches on its single thread: timers, posted work, device events, clicks.
//
// Two backends: the Qt event loop (real time) and a discrete-event loop with a virtual clock
// (tests, simulation), where waiting advances the clock instead of sleeping.
class EventLoop {
 public:
  using TimerId = std::uint64_t;
  using ExceptionHandler = std::function<void(const std::exception&)>;

  // ProcessMessages(WaitForever) returns only after something was dispatched.
  static constexpr std::uint32_t WaitForever = UINT32_MAX;

  virtual ~EventLoop() = default;

  // Milliseconds since an arbitrary origin, masked to 31 bits.
  virtual std::uint32_t TickCount() const = 0;

  // Dispatches every event that is due. When none was due, blocks until the next event or for
  // at most maxWaitMs, whichever comes first, and dispatches what became due. Never spins.
  virtual void ProcessMessages(std::uint32_t maxWaitMs = 0) = 0;

  // Dispatches events until Terminate() is called.
  virtual void Run() = 0;
  virtual void Terminate() = 0;
  virtual bool Terminated() const = 0;

  // Runs fn later on the loop's thread, after the events already queued.
  virtual void Post(std::function<void()> fn) = 0;

  // A periodic timer: fires every intervalMs from now until removed.
  virtual TimerId AddTimer(std::uint32_t intervalMs, std::function<void()> onFire) = 0;
  virtual void RemoveTimer(TimerId id) = 0;

  // An exception that leaves a dispatched callback goes here (EAbort is dropped before);
  // without a handler it is written to standard error. The loop then goes on.
  void SetExceptionHandler(ExceptionHandler handler) { exceptionHandler_ = std::move(handler); }

 protected:
  // Backends call every callback through this, so that no exception escapes the loop.
  void Dispatch(const std::function<void()>& fn);

 private:
  ExceptionHandler exceptionHandler_;
};

}  // namespace platform
