#include "platform/com_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/virtual/virtual_event_loop.h"
#include "sim/simulated_ports.h"
#include "tests/serial/scripted_peer.h"

namespace serial_test {
namespace {

using platform::ComPort;

class ComPortTest : public ::testing::Test {
 protected:
  std::string ReadAll() {
    std::string bytes;
    while (port.CharReady())
      bytes.push_back(static_cast<char>(port.GetChar()));
    return bytes;
  }
  void RunFor(sim::Micros span) {
    const sim::Micros until = loop.Now() + span;
    loop.RunUntil([] { return false; }, until);
  }

  platform::VirtualEventLoop loop;
  ScriptedPeer peer;
  ScriptedPeer second;
  sim::SimulatedPorts ports{loop};
  ComPort port{loop, ports};
};

TEST_F(ComPortTest, OpeningAnAbsentPortFailsAndLeavesItClosed) {
  port.SetComNumber(3);
  EXPECT_THROW(port.SetOpen(true), platform::Exception);
  EXPECT_FALSE(port.Open());
  EXPECT_THROW(port.PutString("AT\r"), platform::Exception);  // AutoOpen tries, and fails
}

TEST_F(ComPortTest, ABusyPortCannotBeOpenedTwice) {
  ports.Plug(1, peer);
  ComPort other(loop, ports);
  port.SetOpen(true);
  EXPECT_THROW(other.SetOpen(true), platform::Exception);
  port.SetOpen(false);
  EXPECT_NO_THROW(other.SetOpen(true));
}

TEST_F(ComPortTest, BytesCrossTheLineInOrderAtTenBitsAByte) {
  peer.onReceive = [](ScriptedPeer& p, std::uint8_t byte) {
    if (byte == '\r') p.Send("\r\nOK\r\n");
  };
  ports.Plug(1, peer);
  port.PutString("AT\r");  // opens the closed port
  EXPECT_TRUE(port.Open());
  RunFor(10'000);
  EXPECT_EQ(peer.Received(), "AT\r");
  EXPECT_EQ(peer.ReceiveTimes(), (std::vector<sim::Micros>{87, 174, 261}));
  EXPECT_EQ(ReadAll(), "\r\nOK\r\n");
  EXPECT_EQ(port.OutBuffUsed(), 0u);
}

TEST_F(ComPortTest, SettingWhatItAlreadyHasLeavesAnOpenPortUntouched) {
  peer.At(0, [](ScriptedPeer& p) { p.Send("OK"); });
  ports.Plug(1, peer);
  port.SetOpen(true);
  RunFor(1'000);
  port.SetComNumber(1);
  port.SetOpen(true);
  EXPECT_EQ(ReadAll(), "OK");
}

TEST_F(ComPortTest, ChangingThePortOfAnOpenPortReopensItThere) {
  second.At(0, [](ScriptedPeer& p) { p.Send("two"); });
  peer.At(0, [](ScriptedPeer& p) { p.Send("one"); });
  ports.Plug(1, peer);
  ports.Plug(2, second);
  port.SetOpen(true);
  RunFor(1'000);
  port.SetComNumber(2);
  EXPECT_TRUE(port.Open());
  EXPECT_EQ(port.InBuffUsed(), 0u);  // what COM1 sent went with it
  port.PutString("x");
  RunFor(1'000);
  EXPECT_EQ(second.Received(), "x");
  EXPECT_EQ(peer.Received(), "");
}

TEST_F(ComPortTest, ChangingThePortOfAClosedPortOnlyRecordsIt) {
  port.SetComNumber(4);
  EXPECT_FALSE(port.Open());
  EXPECT_EQ(port.ComNumber(), 4);
}

TEST_F(ComPortTest, AFullInputBufferHoldsThePeerUntilItDrainsAndLosesNothing) {
  std::string sent;
  for (int i = 0; i < 10'000; ++i)
    sent.push_back(static_cast<char>('a' + i % 26));
  peer.At(0, [&](ScriptedPeer& p) { p.Send(sent); });
  ports.Plug(1, peer);
  port.SetOpen(true);
  RunFor(LineTime(10'000) + 100'000);
  EXPECT_EQ(port.InBuffUsed(), ComPort::BufferFull);

  std::string got;
  while (port.InBuffUsed() > ComPort::BufferResume + 1)
    got.push_back(port.GetChar());
  RunFor(LineTime(100));
  EXPECT_EQ(port.InBuffUsed(), ComPort::BufferResume + 1);  // still held
  got.push_back(port.GetChar());                            // down to the mark: released
  RunFor(LineTime(10'000));
  got += ReadAll();
  EXPECT_EQ(got, sent);
}

TEST_F(ComPortTest, LowCtsHoldsTheOutputAndItGoesOnWhenCtsComesBack) {
  peer.SetClearToSend(false);
  peer.At(50'000, [](ScriptedPeer& p) { p.SetClearToSend(true); });
  ports.Plug(1, peer);
  port.PutString("ATI3\r");
  RunFor(40'000);
  EXPECT_EQ(peer.Received(), "");
  EXPECT_EQ(port.OutBuffUsed(), 5u);
  RunFor(20'000);
  EXPECT_EQ(peer.Received(), "ATI3\r");
  EXPECT_EQ(peer.ReceiveTimes().front(), 50'000 + 87);
}

TEST_F(ComPortTest, OutputThatDoesNotFitIsRefusedWhole) {
  peer.SetClearToSend(false);
  ports.Plug(1, peer);
  port.PutString(std::string(ComPort::OutSize - 1, 'x'));
  EXPECT_EQ(port.OutBuffFree(), 1u);
  EXPECT_THROW(port.PutString("ab"), platform::Exception);
  EXPECT_NO_THROW(port.PutString("a"));
  EXPECT_EQ(port.OutBuffUsed(), ComPort::OutSize);
}

TEST_F(ComPortTest, TakingFromAnEmptyBufferFails) {
  ports.Plug(1, peer);
  EXPECT_THROW(port.GetChar(), platform::Exception);
}

// Records the data events in the order they come.
struct EventRecorder {
  explicit EventRecorder(ComPort& port) {
    port.OnTriggerAvail = [this, &port](std::size_t count) {
      events.push_back("avail " + std::to_string(count) + " " + port.PeekAvail());
    };
    port.OnTriggerData = [this](std::uint16_t handle) {
      events.push_back("data " + std::to_string(handle));
    };
  }
  std::vector<std::string> events;
};

TEST_F(ComPortTest, TriggerEventsComeThroughTheLoopCutAtEachTrigger) {
  peer.At(0, [](ScriptedPeer& p) { p.Send("ab\rcd\ref"); });
  ports.Plug(1, peer);
  EventRecorder recorder(port);
  port.SetOpen(true);
  const std::uint16_t handle = port.AddDataTrigger("\r", false);
  RunFor(LineTime(8));
  const std::string h = std::to_string(handle);
  EXPECT_EQ(
      recorder.events,
      (std::vector<std::string>{"avail 1 a", "avail 1 b", "avail 1 \r", "data " + h, "avail 1 c",
                                "avail 1 d", "avail 1 \r", "data " + h, "avail 1 e", "avail 1 f"}));
  EXPECT_EQ(port.PeekInput(), "ab\rcd\ref");  // reporting took nothing out
}

TEST_F(ComPortTest, HeldEventsReportOnlyWhatIsLeftOnceReleased) {
  peer.At(0, [](ScriptedPeer& p) { p.Send("OK\rmore\r"); });
  ports.Plug(1, peer);
  EventRecorder recorder(port);
  port.SetOpen(true);
  const std::uint16_t handle = port.AddDataTrigger("\r", false);
  port.HoldEvents(true);
  RunFor(LineTime(8));
  EXPECT_TRUE(recorder.events.empty());
  for (int i = 0; i < 3; ++i)
    port.GetChar();  // a reply wait took "OK\r"
  port.HoldEvents(false);
  loop.ProcessMessages(0);
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"avail 5 more\r", "data " + std::to_string(handle)}));
}

TEST_F(ComPortTest, TriggerHandlesAreDistinctAndARemovedTriggerIsSilent) {
  peer.At(0, [](ScriptedPeer& p) { p.Send("x\r"); });
  ports.Plug(1, peer);
  EventRecorder recorder(port);
  const std::uint16_t first = port.AddDataTrigger("\r", false);
  const std::uint16_t second = port.AddDataTrigger("X", true);
  EXPECT_NE(first, 0);
  EXPECT_NE(second, first);
  port.RemoveTrigger(first);
  port.SetOpen(true);
  RunFor(LineTime(2));
  EXPECT_EQ(recorder.events, (std::vector<std::string>{
                                 "avail 1 x", "data " + std::to_string(second), "avail 1 \r"}));
  EXPECT_THROW(port.AddDataTrigger(std::string(22, 'x'), false), platform::Exception);
}

TEST_F(ComPortTest, ADroppedLineLeavesThePortOpenButDeadUntilItIsClosed) {
  peer.At(1'000, [](ScriptedPeer& p) { p.DropLine(); });
  ports.Plug(1, peer);
  int errors = 0;
  port.OnPortError = [&] { ++errors; };
  port.SetOpen(true);
  RunFor(2'000);
  EXPECT_EQ(errors, 1);

  // Like a handle to an unplugged adapter: still open, sends vanish, nothing arrives, and no
  // wait can fail on a reopen that would find no device.
  EXPECT_TRUE(port.Open());
  EXPECT_NO_THROW(port.PutString("ATGM\r"));
  RunFor(10'000);
  EXPECT_EQ(peer.Received(), "");
  EXPECT_FALSE(port.CharReady());

  port.SetOpen(false);
  EXPECT_NO_THROW(port.SetOpen(true));  // the line can be taken up again
}

}  // namespace
}  // namespace serial_test
