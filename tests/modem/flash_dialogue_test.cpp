#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/simulated_modem.h"
#include "tests/modem/dialogue_fixture.h"
#include "tests/serial/scripted_peer.h"

namespace modem_test {
namespace {

using Lines = std::vector<std::string>;

// An Intel-HEX text of `records` data records of 16 bytes and the end record.
std::string HexImage(int records) {
  std::string text;
  char line[64];
  for (int r = 0; r < records; ++r) {
    const int address = r * 16;
    int sum = 16 + (address >> 8) + (address & 0xFF);
    text += ":10";
    std::snprintf(line, sizeof line, "%04X00", address);
    text += line;
    for (int i = 0; i < 16; ++i) {
      const int value = (r * 31 + i * 7) & 0xFF;
      sum += value;
      std::snprintf(line, sizeof line, "%02X", value);
      text += line;
    }
    std::snprintf(line, sizeof line, "%02X\r\n", (-sum) & 0xFF);
    text += line;
  }
  return text + ":00000001FF\r\n";
}

class FlashDialogue : public DialogueTest {
 protected:
  ~FlashDialogue() override { std::filesystem::remove(hexPath); }

  sim::SimulatedModem& Modem(sim::ModemOptions options = {}) {
    return com.AddModem(selectedPort, std::move(options));
  }

  // Flash mode and programming mode, as steps 25 and 55 ask for them.
  void IntoProgramming() {
    ASSERT_TRUE(dialogue.EnterFlashMode());
    ASSERT_TRUE(dialogue.EnterProgramming());
    memo.Clear();
  }

  // The transfer and its end event, handled as the window does: the verdict step follows.
  std::string Transfer(const std::string& hex) {
    std::ofstream(hexPath, std::ios::binary) << hex;
    pass.HexFileName = hexPath.string();
    pass.HexFileSize = static_cast<std::int32_t>(hex.size());
    std::string outcome;
    protocol.OnProtocolFinish = [&](std::int32_t) { outcome = "finish"; };
    protocol.OnProtocolError = [&](std::int32_t) { outcome = "error"; };
    dialogue.StartHexTransfer();
    loop.RunUntil([&] { return !outcome.empty(); }, loop.Now() + 600'000'000);
    RunFor(200'000);  // the step timer's interval before the verdict step
    return outcome;
  }

  std::filesystem::path hexPath = std::filesystem::temp_directory_path() /
                                  ("flash_dialogue_test_" + std::to_string(::getpid()) + ".hex");
};

TEST_F(FlashDialogue, FlashModeSwitchesTheModemIntoItsBootCode) {
  sim::SimulatedModem& modem = Modem();
  EXPECT_TRUE(dialogue.EnterFlashMode());
  EXPECT_EQ(Log(), (Lines{"Entering FLASH mode on COM1."}));
  EXPECT_TRUE(port.Open());
  EXPECT_EQ(modem.CurrentMode(), sim::SimulatedModem::Mode::Boot);
  EXPECT_EQ(modem.Commands(), (Lines{"ATGBOOT5", ""}));
}

TEST_F(FlashDialogue, DamagedCodeIsInFlashModeWithoutAWord) {
  selectedPort = 2;
  sim::SimulatedModem& modem = Modem({.code = sim::CodeState::Missing});
  ports.CodeDamaged[2] = 1;
  EXPECT_TRUE(dialogue.EnterFlashMode());
  EXPECT_EQ(Log(), (Lines{"Entering FLASH mode on COM2."}));
  EXPECT_TRUE(modem.Commands().empty());
  EXPECT_TRUE(port.Open());
}

struct RefusalCase {
  const char* name;
  sim::ModemOptions modem;
};

class FlashModeRefused : public FlashDialogue, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(FlashModeRefused, LogsNoFlashCapabilityAndClosesThePort) {
  Modem(GetParam().modem);
  EXPECT_FALSE(dialogue.EnterFlashMode());
  EXPECT_EQ(Log(), (Lines{"Modem does not support FLASH capability."}));
  EXPECT_FALSE(port.Open());
}

INSTANTIATE_TEST_SUITE_P(Cases, FlashModeRefused,
                         ::testing::Values(RefusalCase{"Error", {.flashCapable = false}},
                                           RefusalCase{"Silence", {.silent = true}}),
                         [](const auto& info) { return info.param.name; });

TEST_F(FlashDialogue, FlashModeOnAPortThatCannotBeOpened) {
  EXPECT_FALSE(dialogue.EnterFlashMode());
  EXPECT_EQ(Log(), (Lines{"Could not open COM port -- aborting."}));
}

TEST_F(FlashDialogue, ProgrammingModeAccepted) {
  Modem();
  ASSERT_TRUE(dialogue.EnterFlashMode());
  EXPECT_TRUE(dialogue.EnterProgramming());
  EXPECT_EQ(Log().back(), "Programming FLASHROM on COM1.");
  EXPECT_TRUE(port.Open());
}

TEST_F(FlashDialogue, ProgrammingModeRefused) {
  Modem({.programming = sim::ProgrammingAnswer::Refuse});
  ASSERT_TRUE(dialogue.EnterFlashMode());
  EXPECT_FALSE(dialogue.EnterProgramming());
  EXPECT_EQ(Log().back(), "Modem does not support FLASH capability.");
  EXPECT_FALSE(port.Open());
}

TEST_F(FlashDialogue, SilentBootCodeEmptiesTheRowOfTheSelectedPort) {
  selectedPort = 3;
  Modem({.programming = sim::ProgrammingAnswer::Silent});
  ASSERT_TRUE(dialogue.EnterFlashMode());
  EXPECT_FALSE(dialogue.EnterProgramming());
  EXPECT_EQ(Log().back(), "Modem not responding -- aborting.");
  EXPECT_EQ(edits[2].Text(), "No modem found.");
  EXPECT_FALSE(port.Open());
}

TEST_F(FlashDialogue, AGoodPassDeliversTheExactFileAndStartsTheNewCode) {
  const sim::SimulatedModem& modem = Modem();
  IntoProgramming();
  const std::string hex = HexImage(200);
  EXPECT_EQ(Transfer(hex), "finish");
  EXPECT_EQ(gauge.MaxValue(), static_cast<std::int64_t>(hex.size()));
  dialogue.AwaitProgrammingVerdict(5000);
  EXPECT_EQ(Log(), (Lines{"Checking modem integrity...",
                          "Modem responded correctly -- starting modem code."}));
  EXPECT_EQ(state.ModemCodeVerdict, 1);
  ASSERT_EQ(modem.Images().size(), 1u);
  EXPECT_TRUE(modem.Images()[0].hexBytes == hex);
  EXPECT_EQ(modem.Images()[0].badRecords, 0u);
  EXPECT_EQ(modem.CurrentMode(), sim::SimulatedModem::Mode::Command);
}

TEST_F(FlashDialogue, ADamagedRecordLeavesNoVerdictAndTheCodeCorrupt) {
  Modem();
  IntoProgramming();
  std::string hex = HexImage(20);
  hex[hex.find(":10", 100) + 9] ^= 1;  // one data digit of a record in the middle
  EXPECT_EQ(Transfer(hex), "finish");
  dialogue.AwaitProgrammingVerdict(1000);
  EXPECT_EQ(Log(), (Lines{"Checking modem integrity...", "Modem code is corrupt."}));
  EXPECT_EQ(state.ModemCodeVerdict, 1);
}

TEST_F(FlashDialogue, NoVerdictInTimeIsTakenForSuccess) {
  Modem({.verdictTimeout = true});
  IntoProgramming();
  EXPECT_EQ(Transfer(HexImage(20)), "finish");
  dialogue.AwaitProgrammingVerdict(1000);
  EXPECT_EQ(Log(), (Lines{"Checking modem integrity...",
                          "Modem responded correctly -- starting modem code."}));
}

TEST_F(FlashDialogue, ACtsStallEndsInAProtocolErrorAndTheBootCodeReportsTheTimeOut) {
  Modem({.holdCtsAfterHexBytes = 3000});
  IntoProgramming();
  const std::int64_t start = loop.Now();
  EXPECT_EQ(Transfer(HexImage(500)), "error");
  EXPECT_GE(loop.Now() - start, 1092 * TickMicros);
  dialogue.AwaitProgrammingVerdict(5000);
  // ATGM cannot get past the held CTS either.
  EXPECT_EQ(Log(), (Lines{"Flash programming was not successful.", "Modem is not responding..."}));
  EXPECT_EQ(state.ModemCodeVerdict, 0);
}

TEST_F(FlashDialogue, ALineDroppedMidTransferFailsAtOnceAndTheDialogueRunsOutOnTheDeadLine) {
  const sim::SimulatedModem& modem = Modem({.dropLineAfterHexBytes = 3000});
  IntoProgramming();
  const std::int64_t start = loop.Now();
  EXPECT_EQ(Transfer(HexImage(500)), "error");
  EXPECT_LT(loop.Now() - start, 2'000'000);
  dialogue.AwaitProgrammingVerdict(5000);
  EXPECT_EQ(Log(), (Lines{"Checking modem integrity...", "Modem is not responding..."}));
  EXPECT_EQ(state.ModemCodeVerdict, 0);
  EXPECT_EQ(modem.Images()[0].hexBytes.size(), 3000u);
}

TEST_F(FlashDialogue, DebugEchoCopiesTheModemsLinesWithoutTakingTheVerdictAway) {
  debugMode = true;
  Modem({.holdCtsAfterHexBytes = 3000});
  // The window's echo handlers.
  port.OnTriggerAvail = [&](std::size_t) { state.DebugEcho += port.PeekAvail(); };
  port.OnTriggerData = [&](std::uint16_t handle) {
    if (handle != state.EchoTriggerHandle) return;
    if (state.DebugEcho.size() > 4) log.Add(state.DebugEcho);
    state.DebugEcho.clear();
  };
  IntoProgramming();
  EXPECT_EQ(Transfer(HexImage(500)), "error");
  EXPECT_NE(state.EchoTriggerHandle, 0u);
  dialogue.AwaitProgrammingVerdict(5000);
  // The echo logged the boot code's line, and the verdict wait still read it.
  EXPECT_THAT(Log(), ::testing::Contains(::testing::HasSubstr("No RX data timeout")));
  ASSERT_GE(Log().size(), 2u);
  EXPECT_EQ(Lines(Log().end() - 2, Log().end()),
            (Lines{"Flash programming was not successful.", "Modem is not responding..."}));
}

TEST_F(FlashDialogue, AModemInCommandModeAnswersAtgmWithOk) {
  Modem();
  dialogue.StartModemCode();
  EXPECT_EQ(Log(), (Lines{"Modem is in command mode..."}));
  EXPECT_EQ(state.ModemCodeVerdict, 0);
}

TEST_F(FlashDialogue, NvramTemplatesAreRewrittenOnTheOpenPort) {
  const sim::SimulatedModem& modem = Modem();
  port.SetOpen(true);
  dialogue.RewriteNvramTemplates();
  EXPECT_EQ(modem.NvramRewrites(), 1);
  EXPECT_TRUE(Log().empty());
}

TEST_F(FlashDialogue, NvramRewriteOnAPortThatCannotBeOpened) {
  dialogue.RewriteNvramTemplates();
  EXPECT_EQ(Log(), (Lines{"Could not open COM port -- aborting."}));
}

}  // namespace
}  // namespace modem_test
