#include "platform/virtual/virtual_event_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/timer.h"

namespace platform {
namespace {

TEST(VirtualEventLoop, WaitJumpsToTheNextEventOrTheDeadline) {
  VirtualEventLoop loop;
  bool fired = false;
  loop.ScheduleAfter(300'000, [&] { fired = true; });

  loop.ProcessMessages(100);
  EXPECT_FALSE(fired);
  EXPECT_EQ(loop.TickCount(), 100u);

  loop.ProcessMessages(1000);
  EXPECT_TRUE(fired);
  EXPECT_EQ(loop.TickCount(), 300u);
}

TEST(VirtualEventLoop, ZeroWaitDispatchesOnlyWhatIsDue) {
  VirtualEventLoop loop;
  int runs = 0;
  loop.Post([&] { ++runs; });
  loop.ScheduleAfter(1000, [&] { ++runs; });
  loop.ProcessMessages(0);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(loop.Now(), 0);
}

TEST(VirtualEventLoop, TickCountIsMaskedTo31Bits) {
  VirtualEventLoop loop((VirtualEventLoop::Micros{1} << 31) * 1000 + 5'000);
  EXPECT_EQ(loop.TickCount(), 5u);
}

TEST(VirtualEventLoop, TimerRestartsItsIntervalWhenSwitchedOnAgain) {
  VirtualEventLoop loop;
  std::vector<std::int64_t> fireTimes;
  Timer timer(loop, 200);
  timer.OnTimer = [&] { fireTimes.push_back(loop.Now() / 1000); };

  loop.RunUntil([&] { return fireTimes.size() == 1; }, 1'000'000);
  loop.ScheduleAfter(50'000, [&] {
    timer.SetEnabled(false);
    timer.SetEnabled(true);
  });
  loop.RunUntil([&] { return fireTimes.size() == 2; }, 1'000'000);
  EXPECT_EQ(fireTimes, (std::vector<std::int64_t>{200, 450}));
}

TEST(VirtualEventLoop, SwitchingAnEnabledTimerOnKeepsItsPhase) {
  VirtualEventLoop loop;
  std::vector<std::int64_t> fireTimes;
  Timer timer(loop, 200);
  timer.OnTimer = [&] { fireTimes.push_back(loop.Now() / 1000); };
  loop.ScheduleAfter(50'000, [&] { timer.SetEnabled(true); });
  loop.RunUntil([&] { return fireTimes.size() == 2; }, 1'000'000);
  EXPECT_EQ(fireTimes, (std::vector<std::int64_t>{200, 400}));
}

TEST(VirtualEventLoop, TimerSwitchedOffInItsHandlerDoesNotFireAgain) {
  VirtualEventLoop loop;
  int fires = 0;
  Timer timer(loop, 200);
  timer.OnTimer = [&] {
    ++fires;
    timer.SetEnabled(false);
  };
  loop.ScheduleAfter(5'000'000, [] {});
  loop.RunUntil([] { return false; }, 5'000'000);
  EXPECT_EQ(fires, 1);
}

TEST(VirtualEventLoop, ExceptionLeavingAHandlerGoesToTheHandlerAndTheLoopGoesOn) {
  VirtualEventLoop loop;
  std::vector<std::string> shown;
  loop.SetExceptionHandler([&](const std::exception& e) { shown.push_back(e.what()); });
  bool later = false;
  loop.Post([] { throw ERangeError(); });
  loop.Post([] { throw EAbort(); });
  loop.Post([&] { later = true; });
  loop.ProcessMessages(0);
  EXPECT_EQ(shown, std::vector<std::string>{"Range check error"});
  EXPECT_TRUE(later);
}

TEST(VirtualEventLoop, WaitingForEverWithNothingScheduledFailsInsteadOfHanging) {
  VirtualEventLoop loop;
  EXPECT_THROW(loop.ProcessMessages(EventLoop::WaitForever), VirtualLoopStalled);
}

}  // namespace
}  // namespace platform
