#include "sim/simulated_modem.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace sim {
namespace {

// Talks to the modem's core directly: no line, no loop.
class ModemCore : public ::testing::Test {
 protected:
  std::string Say(const std::string& bytes, Micros at = 0) {
    for (const char c : bytes)
      modem->Receive(static_cast<std::uint8_t>(c), at);
    return Heard();
  }
  std::string Heard() {
    std::string out;
    while (modem->HasOutput())
      out.push_back(static_cast<char>(modem->TakeOutput()));
    return out;
  }
  void Reset(ModemOptions options) { modem.emplace(std::move(options)); }

  std::optional<SimulatedModem> modem;
};

struct CommandCase {
  const char* name;
  const char* sent;
  const char* answer;
};

class CommandMode : public ModemCore, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandMode, EchoesAndAnswers) {
  Reset(ModemOptions{.productName = "Tessary 336", .modelCode = "xx518200", .countryIndex = 16});
  EXPECT_EQ(Say(GetParam().sent), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandMode,
    ::testing::Values(
        CommandCase{"At", "AT\r", "AT\r\r\nOK\r\n"},
        CommandCase{"LowerCaseCommand", "at\r", "at\r\r\nOK\r\n"},
        CommandCase{"Model", "ATI0\r", "ATI0\r\r\nxx518200\r\n\r\nOK\r\n"},
        CommandCase{"Product", "ATI3\r", "ATI3\r\r\nTessary 336\r\n\r\nOK\r\n"},
        CommandCase{"CountryWithBackspace", "ATY\bY14\r", "ATY\bY14\r\r\n016\r\n\r\nOK\r\n"},
        CommandCase{"Nvram", "AT&F1S0=0&W&F2S0=0&W1YZ\r", "AT&F1S0=0&W&F2S0=0&W1YZ\r\r\nOK\r\n"},
        CommandCase{"Unknown", "ATQ9\r", "ATQ9\r\r\nERROR\r\n"},
        CommandCase{"NotACommand", "hello\r", "hello\r"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ModemCore, RepliesInLowerCaseWithoutEcho) {
  Reset({.echo = false, .lowerCaseReplies = true});
  EXPECT_EQ(Say("ATI3\r"), "\r\ntessary 336\r\n\r\nok\r\n");
}

TEST_F(ModemCore, ASilentModemSaysNothingButStillListens) {
  Reset({.silent = true});
  EXPECT_EQ(Say("ATGBOOT5\r"), "");
  EXPECT_EQ(modem->CurrentMode(), SimulatedModem::Mode::Boot);
}

TEST_F(ModemCore, BootCodeStartsGoodCodeAndReportsDamagedCode) {
  Reset({.waitsInBootCode = true});
  EXPECT_EQ(Say("AT\r"), "AT\r\r\nBoot>");
  EXPECT_EQ(Say("ATGM\r"), "ATGM\r\r\nStarting Modem Code\r\n");
  EXPECT_EQ(modem->CurrentMode(), SimulatedModem::Mode::Command);

  Reset({.code = CodeState::Missing});
  EXPECT_EQ(Say("ATGM\r"), "ATGM\r\r\nModem Code Missing\r\n\r\nBoot>");
  EXPECT_EQ(modem->CurrentMode(), SimulatedModem::Mode::Boot);
}

TEST_F(ModemCore, HexReceptionEndsWithAVerdictAndKeepsTheImage) {
  Reset({.waitsInBootCode = true});
  EXPECT_EQ(Say("AT{A}\r"), "AT{A}\r\r\nProg HEX\r\n");
  EXPECT_EQ(Say(":0300300002337A1E\r\n:00000001FF\r\n"), "\r\nProgram was successful\r\n\r\nBoot>");
  ASSERT_EQ(modem->Images().size(), 1u);
  EXPECT_EQ(modem->Images()[0].hexBytes, ":0300300002337A1E\r\n:00000001FF\r\n");
  EXPECT_EQ(modem->Code(), CodeState::Good);
  EXPECT_FALSE(modem->NextWakeUp());
}

TEST_F(ModemCore, RecordsThatStopEndTheReceptionAfterTheTimeOut) {
  Reset({.waitsInBootCode = true, .rxDataTimeout = 1'000'000});
  Say("AT{A}\r");
  Say(":0300300002337A1E\r\n", 200'000);
  ASSERT_EQ(modem->NextWakeUp(), 1'200'000);
  modem->Advance(1'199'999);
  EXPECT_EQ(Heard(), "");
  modem->Advance(1'200'000);
  EXPECT_EQ(Heard(), "\r\nNo RX data timeout\r\n\r\nBoot>");
  EXPECT_EQ(modem->Code(), CodeState::Corrupt);  // part of the new code was written
}

TEST_F(ModemCore, FaultsStrikeAfterTheirCountOfHexBytes) {
  Reset({.waitsInBootCode = true, .dropLineAfterHexBytes = 3, .holdCtsAfterHexBytes = 5});
  Say("AT{A}\r");
  Say(":03");
  EXPECT_TRUE(modem->ClearToSend());
  EXPECT_TRUE(modem->TakeLineDrop());
  EXPECT_FALSE(modem->TakeLineDrop());
  Say("00");
  EXPECT_FALSE(modem->ClearToSend());
}

}  // namespace
}  // namespace sim
