#include "upgrade_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace realtime {
namespace {

// Discovery meets every kind of port; FLASH! then upgrades the one modem found.
TEST_F(RealTimeUpgrade, DiscoveryOnFourPortsThenAMainOnlyUpgrade) {
  const std::string mainHex = GenerateIntelHex(0x10000, 12'000, 5);
  StartModem(2, {});
  StartModem(3, {"--silent"});
  StartModem(4, {"--product", "Other 2400"});
  StartUtility(PackMainOnly(mainHex));

  ASSERT_TRUE(WaitForLine(kFlashPrompt, seconds(60))) << Diagnostics();
  PressKeys("alt+f");
  ASSERT_TRUE(WaitForLine("Complete.", seconds(120))) << Diagnostics();

  const std::vector<std::string> expected = {
      "Tessary 336 flash utility initialized...",
      "Device present on COM2.",
      "No device present on COM3.",
      "Device present on COM4.",
      kFlashPrompt,
      "Flash data integrity check passed..  (2)",
      "Entering FLASH mode on COM2.",
      "Modem needs flash update #1..  (2)",
      "Programming FLASHROM on COM2.",
      "Flash file upload sent successfully.",
      "Checking modem integrity...",
      "Modem responded correctly -- starting modem code.",
      "Resetting modem...",
      "Complete.",
  };
  EXPECT_EQ(LogLines(), expected) << Diagnostics();

  PressKeys("alt+q");
  EXPECT_EQ(utility_->Wait(seconds(20)), 0) << Diagnostics();

  EXPECT_TRUE(ReadFile(Capture(2)) == mainHex) << "the modem did not receive the image unchanged";
  const std::string commands = ReadFile(CommandLog(2));
  for (const char* command :
       {"ATI3", "ATY14", "ATGBOOT5", "ATI0", "AT{A}", "ATGM", "AT&F1S0=0&W&F2S0=0&W1YZ"}) {
    EXPECT_NE(commands.find(std::string(command) + "\n"), std::string::npos) << command;
  }
  EXPECT_EQ(ReadFile(Capture(4)), "");
}

}  // namespace
}  // namespace realtime
