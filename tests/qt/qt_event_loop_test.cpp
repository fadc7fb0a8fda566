#include "platform/qt/qt_event_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "qt_app_fixture.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class QtEventLoopTest : public QtAppTest {
 protected:
  QtEventLoop loop;
};

// Qt may wake a wait for its own housekeeping, but an idle loop must sleep, not spin.
TEST_F(QtEventLoopTest, IdleWaitsSleepInsteadOfSpinning) {
  int waits = 0;
  const auto start = Clock::now();
  while (Clock::now() - start < milliseconds(300)) {
    loop.ProcessMessages(100);
    ++waits;
  }
  EXPECT_LE(waits, 10);
}

TEST_F(QtEventLoopTest, WaitEndsAtTheFirstEventBeforeTheDeadline) {
  bool fired = false;
  const auto id = loop.AddTimer(30, [&] { fired = true; });
  const auto start = Clock::now();
  while (!fired)
    loop.ProcessMessages(60'000);
  EXPECT_LT(Clock::now() - start, milliseconds(30'000));
  loop.RemoveTimer(id);
}

TEST_F(QtEventLoopTest, PostedWorkRunsInOrderAfterWhatWasQueued) {
  std::string order;
  loop.Post([&] {
    order += 'a';
    loop.Post([&] { order += 'c'; });
  });
  loop.Post([&] { order += 'b'; });
  loop.ProcessMessages(0);
  while (order.size() < 3)
    loop.ProcessMessages(1000);
  EXPECT_EQ(order, "abc");
}

TEST_F(QtEventLoopTest, WaitForeverReturnsAfterADispatch) {
  bool ran = false;
  loop.Post([&] { ran = true; });
  loop.ProcessMessages(EventLoop::WaitForever);
  EXPECT_TRUE(ran);
}

TEST_F(QtEventLoopTest, TimerRepeatsUntilItRemovesItself) {
  int fires = 0;
  EventLoop::TimerId id = 0;
  id = loop.AddTimer(5, [&] {
    if (++fires == 3) loop.RemoveTimer(id);
  });
  bool later = false;
  loop.AddTimer(100, [&] { later = true; });
  while (!later)
    loop.ProcessMessages(EventLoop::WaitForever);
  EXPECT_EQ(fires, 3);
}

// A modal box pumps the loop from inside a callback: timers and posted work go on there.
TEST_F(QtEventLoopTest, NestedLoopInsideACallbackKeepsDispatching) {
  int ticks = 0;
  const auto ticker = loop.AddTimer(5, [&] { ++ticks; });
  bool nestedDone = false;
  loop.Post([&] {
    bool closed = false;
    loop.AddTimer(50, [&] { closed = true; });
    while (!closed)
      loop.ProcessMessages(EventLoop::WaitForever);
    nestedDone = true;
  });
  while (!nestedDone)
    loop.ProcessMessages(EventLoop::WaitForever);
  EXPECT_GE(ticks, 2);
  loop.RemoveTimer(ticker);
}

TEST_F(QtEventLoopTest, TerminateEndsRun) {
  loop.AddTimer(10, [&] { loop.Terminate(); });
  EXPECT_FALSE(loop.Terminated());
  loop.Run();
  EXPECT_TRUE(loop.Terminated());
}

TEST_F(QtEventLoopTest, ExceptionFromACallbackReachesTheHandlerAndTheLoopGoesOn) {
  std::vector<std::string> errors;
  loop.SetExceptionHandler([&](const std::exception& e) { errors.push_back(e.what()); });
  bool after = false;
  loop.Post([] { throw std::runtime_error("boom"); });
  loop.Post([&] { after = true; });
  while (!after)
    loop.ProcessMessages(1000);
  EXPECT_EQ(errors, std::vector<std::string>{"boom"});
}

TEST_F(QtEventLoopTest, TickCountIsMillisecondsIn31Bits) {
  const std::uint32_t before = loop.TickCount();
  std::this_thread::sleep_for(milliseconds(20));
  const std::uint32_t after = loop.TickCount();
  EXPECT_LE(after, 0x7FFFFFFFu);
  EXPECT_GE((after - before) & 0x7FFFFFFFu, 20u);
}

}  // namespace
}  // namespace platform
