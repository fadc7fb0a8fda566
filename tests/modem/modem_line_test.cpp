#include "modem/modem_line.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com_port.h"
#include "platform/timer.h"
#include "platform/virtual/virtual_event_loop.h"
#include "sim/simulated_ports.h"
#include "tests/serial/scripted_peer.h"

namespace modem_test {
namespace {

using serial_test::ScriptedPeer;

class ModemLineTest : public ::testing::Test {
 protected:
  // Has the peer send the bytes one millisecond after the start.
  void PeerSends(std::string bytes) {
    peer.At(1'000, [bytes](ScriptedPeer& p) { p.Send(bytes); });
  }
  void Start() {
    com.Plug(1, peer);
    port.SetOpen(true);
  }
  void RunUntilIdle() {
    loop.RunUntil([] { return false; }, loop.Now() + 100'000);
  }

  platform::VirtualEventLoop loop;
  ScriptedPeer peer;
  sim::SimulatedPorts com{loop};
  platform::ComPort port{loop, com};
  modem::ModemLine line{loop, port};
};

struct MatchCase {
  const char* name;
  const char* replyList;
  const char* received;
  std::int32_t expected;
};

class WaitForReplyMatches : public ModemLineTest,
                            public ::testing::WithParamInterface<MatchCase> {};

TEST_P(WaitForReplyMatches, FindsTheAlternativeThatArrived) {
  PeerSends(GetParam().received);
  Start();
  EXPECT_EQ(line.WaitForReply(GetParam().replyList, 36), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaitForReplyMatches,
    ::testing::Values(MatchCase{"EchoThenLowerCaseAnswer", "OK^Boot>", "AT\r\r\nok\r\n", 1},
                      MatchCase{"SecondAlternative", "OK^Boot>", "\r\nBoot>", 2},
                      MatchCase{"TrailingSeparatorAddsNothing", "OK^Boot>^", "\r\nBoot>", 2},
                      MatchCase{"TieGoesToTheFirstWritten", "XOK^OK", "XOK", 1},
                      MatchCase{"TieGoesToTheFirstWrittenEitherWay", "OK^XOK", "XOK", 1},
                      MatchCase{"RepeatedPrefix", "001", "0001", 1},
                      MatchCase{"RepeatedPrefixAfterALongerRun", "ABABC", "ABABABC", 1},
                      MatchCase{"ModelCodeInOtherCase", "ERROR^xx518200", "\r\nXX518200\r\n", 2},
                      MatchCase{"EmptyAlternativeKeepsItsNumber", "^OK", "OK", 2},
                      MatchCase{"OnlyLettersAreFolded", "[OK]", "{OK}", 0},
                      MatchCase{"NothingFitting", "OK^Boot>", "ERROR", 0}),
    [](const ::testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

TEST_F(ModemLineTest, AnEmptyListYieldsNothingAtOnce) {
  PeerSends("OK");
  Start();
  RunUntilIdle();
  EXPECT_EQ(line.WaitForReply("", 36), 0);
  EXPECT_EQ(line.WaitForReply("^", 36), 0);
  EXPECT_EQ(port.InBuffUsed(), 2u);  // nothing was read
}

TEST_F(ModemLineTest, SilenceTimesOutAfterTheTicksRoundedToTheTick) {
  Start();
  // Starting 30 ms into a tick: the wait ends when the tick after start + 36 begins.
  loop.ProcessMessages(30);
  EXPECT_EQ(line.WaitForReply("OK", 36), 0);
  EXPECT_EQ(loop.Now(), 37 * 55'000);
}

TEST_F(ModemLineTest, TheTimeOutSurvivesAWrapOfTheMillisecondCount) {
  platform::VirtualEventLoop late((std::int64_t{1} << 31) * 1000 - 1'000'000);
  ScriptedPeer silent;
  sim::SimulatedPorts lateCom{late};
  lateCom.Plug(1, silent);
  platform::ComPort latePort{late, lateCom};
  modem::ModemLine lateLine{late, latePort};
  const std::int64_t start = late.Now();
  EXPECT_EQ(lateLine.WaitForReply("OK", 36), 0);
  EXPECT_GE(late.Now() - start, 36 * 55'000);
  EXPECT_LE(late.Now() - start, 37 * 55'000);
}

TEST_F(ModemLineTest, BytesReceivedBeforeTheWaitTakePartAndThoseAfterTheMatchStay) {
  PeerSends("\r\nOK\r\nBoot>");
  Start();
  RunUntilIdle();
  EXPECT_EQ(line.WaitForReply("OK", 36), 1);
  EXPECT_EQ(port.PeekInput(), "\r\nBoot>");
  EXPECT_EQ(line.WaitForReply("Boot>", 36), 1);
}

TEST_F(ModemLineTest, AnswerArrivingLaterEndsTheWaitWhenItArrives) {
  peer.At(500'000, [](ScriptedPeer& p) { p.Send("OK"); });
  Start();
  EXPECT_EQ(line.WaitForReply("OK", 36), 1);
  EXPECT_EQ(loop.Now(), 500'000 + serial_test::LineTime(2));
}

TEST_F(ModemLineTest, DataEventsWaitUntilTheReplyWaitIsOverAndSkipWhatItRead) {
  PeerSends("OK\rrest");
  Start();
  std::string reported;
  port.OnTriggerAvail = [&](std::size_t) { reported += port.PeekAvail(); };
  EXPECT_EQ(line.WaitForReply("OK", 36), 1);
  EXPECT_EQ(reported, "");
  RunUntilIdle();
  EXPECT_EQ(reported, "\rrest");
}

TEST_F(ModemLineTest, AClosingApplicationEndsTheWait) {
  peer.At(100'000, [this](ScriptedPeer&) { loop.Terminate(); });
  Start();
  EXPECT_EQ(line.WaitForReply("OK", 100), 0);
  EXPECT_LT(loop.Now(), 200'000);
}

TEST_F(ModemLineTest, AClosedPortIsOpenedByTheWait) {
  PeerSends("OK");
  com.Plug(1, peer);
  EXPECT_EQ(line.WaitForReply("OK", 36), 1);
  EXPECT_TRUE(port.Open());
}

TEST_F(ModemLineTest, PauseLastsAtLeastItsTimeAndDispatchesEventsMeanwhile) {
  platform::Timer repaint(loop, 100);
  int repaints = 0;
  repaint.OnTimer = [&] { ++repaints; };
  line.Pause(0);
  EXPECT_EQ(loop.Now(), 0);
  line.Pause(300);
  EXPECT_EQ(loop.Now(), 300'000);
  EXPECT_EQ(repaints, 3);
}

}  // namespace
}  // namespace modem_test
