#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "sim/simulated_modem.h"
#include "tests/modem/dialogue_fixture.h"
#include "tests/serial/scripted_peer.h"

namespace modem_test {
namespace {

using Lines = std::vector<std::string>;

struct Flags {
  int devicePresent;
  int modemFound;
  int codeDamaged;
};

struct ProbeCase {
  const char* name;
  std::optional<sim::ModemOptions> modem;  // none: the port does not exist
  Lines log;
  std::string row;
  Flags flags;
};

sim::ModemOptions Options(void (*change)(sim::ModemOptions&)) {
  sim::ModemOptions options;
  change(options);
  return options;
}

class ProbePortOutcomes : public DialogueTest, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(ProbePortOutcomes, FillRowFlagsAndLogAndMoveOn) {
  const ProbeCase& c = GetParam();
  if (c.modem) com.AddModem(2, *c.modem);
  dialogue.ProbePort(2);

  EXPECT_EQ(Log(), c.log);
  EXPECT_EQ(edits[1].Text(), c.row);
  EXPECT_EQ(ports.DevicePresent[2], c.flags.devicePresent);
  EXPECT_EQ(ports.ModemFound[2], c.flags.modemFound);
  EXPECT_EQ(ports.CodeDamaged[2], c.flags.codeDamaged);
  EXPECT_EQ(state.ModemCount, c.flags.modemFound);
  EXPECT_EQ(boxes[1].Checked(), c.flags.modemFound == 1);
  EXPECT_EQ(currentStep, 3);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_FALSE(port.Open());
}

const std::string Found = "Tessary 336 modem found.";
const std::string NotA = "Modem is not a Tessary 336.";
const std::string NoModem = "No modem found.";
const std::string InFlashMode = "Modem is in flash mode... resetting COM2.";

INSTANTIATE_TEST_SUITE_P(
    Rows, ProbePortOutcomes,
    ::testing::Values(
        ProbeCase{"PortMissing", std::nullopt, {}, NoModem, {0, 0, 0}},
        ProbeCase{"NoDevice",
                  Options([](sim::ModemOptions& o) { o.silent = true; }),
                  {"No device present on COM2."},
                  NoModem,
                  {0, 0, 0}},
        ProbeCase{"CommandModeProduct",
                  sim::ModemOptions{},
                  {"Device present on COM2."},
                  Found,
                  {1, 1, 0}},
        ProbeCase{"LowerCaseWithoutEcho",
                  Options([](sim::ModemOptions& o) {
                    o.lowerCaseReplies = true;
                    o.echo = false;
                  }),
                  {"Device present on COM2."},
                  Found,
                  {1, 1, 0}},
        ProbeCase{"AnotherProduct",
                  Options([](sim::ModemOptions& o) { o.productName = "Corvane 56K"; }),
                  {"Device present on COM2."},
                  NotA,
                  {0, 0, 0}},
        ProbeCase{"BootCodeWithGoodCode",
                  Options([](sim::ModemOptions& o) { o.waitsInBootCode = true; }),
                  {InFlashMode},
                  Found,
                  {1, 1, 0}},
        ProbeCase{"BootCodeWithCorruptCode",
                  Options([](sim::ModemOptions& o) { o.code = sim::CodeState::Corrupt; }),
                  {InFlashMode, "Modem code is corrupt on COM"},
                  Found,
                  {1, 1, 1}},
        ProbeCase{"BootCodeWithMissingCode",
                  Options([](sim::ModemOptions& o) { o.code = sim::CodeState::Missing; }),
                  {InFlashMode, "Modem code is missing on COM"},
                  Found,
                  {1, 1, 1}}),
    [](const ::testing::TestParamInfo<ProbeCase>& info) { return info.param.name; });

// A boot code that answers the presence probe and then only what the test scripts.
class ScriptedBootCode : public DialogueTest {
 protected:
  void Answer(std::string toGm) {
    peer.onReceive = [toGm, line = std::string()](serial_test::ScriptedPeer& p,
                                                  std::uint8_t byte) mutable {
      if (byte != '\r') {
        line.push_back(static_cast<char>(byte));
        return;
      }
      if (line == "AT") p.Send("\r\nBoot>");
      if (line == "ATGM") p.Send(toGm);
      line.clear();
    };
    com.Plug(2, peer);
    dialogue.ProbePort(2);
  }
  serial_test::ScriptedPeer peer;
};

TEST_F(ScriptedBootCode, DamagedCodeThatDoesNotSayWhoItIsIsNotOffered) {
  Answer("\r\nCorrupt\r\n");
  EXPECT_EQ(Log(), (Lines{InFlashMode, "Modem code is corrupt on COM"}));
  EXPECT_EQ(edits[1].Text(), NotA);
  EXPECT_EQ(ports.DevicePresent[2], 0);
  EXPECT_EQ(ports.ModemFound[2], 0);
  EXPECT_EQ(ports.CodeDamaged[2], 1);
  EXPECT_EQ(peer.Received(), "AT\rATGM\rATI3\r");
}

TEST_F(ScriptedBootCode, SilenceAfterAtgmLeavesTheRowEmptyAndAsksNothingMore) {
  Answer("");
  EXPECT_EQ(Log(), (Lines{InFlashMode}));
  EXPECT_EQ(edits[1].Text(), "");
  EXPECT_EQ(ports.DevicePresent[2], 0);
  EXPECT_EQ(peer.Received(), "AT\rATGM\r");
  EXPECT_EQ(currentStep, 3);
}

TEST_F(DialogueTest, TwoModemsFoundLeaveTheLaterBoxTickedAndCountTwo) {
  com.AddModem(2);
  com.AddModem(4);
  // The window's click handlers keep one box ticked.
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    boxes[i].OnClick = [this, i] {
      if (!boxes[i].Checked()) return;
      for (std::size_t j = 0; j < boxes.size(); ++j) {
        if (j != i) boxes[j].SetChecked(false);
      }
    };
  }
  for (std::uint8_t n = 1; n <= 4; ++n)
    dialogue.ProbePort(n);
  EXPECT_EQ(state.ModemCount, 2);
  EXPECT_EQ(edits[1].Text(), Found);
  EXPECT_EQ(edits[3].Text(), Found);
  EXPECT_FALSE(boxes[1].Checked());
  EXPECT_TRUE(boxes[3].Checked());
  EXPECT_EQ(Log(), (Lines{"Device present on COM2.", "Device present on COM4."}));
  EXPECT_EQ(currentStep, 5);
}

TEST_F(DialogueTest, ASilentPortTakesTheWholePresenceTimeOut) {
  com.AddModem(1, Options([](sim::ModemOptions& o) { o.silent = true; }));
  dialogue.ProbePort(1);
  // 300 ms before opening, 36 ticks of waiting (rounded up to the tick), 100 ms after.
  EXPECT_GE(loop.Now(), 300'000 + 36 * TickMicros + 100'000);
  EXPECT_LE(loop.Now(), 300'000 + 37 * TickMicros + 100'000);
}

}  // namespace
}  // namespace modem_test
