#include "upgrade_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace realtime {
namespace {

// The modem vanishes in the middle of the transfer, as an unplugged adapter does.
TEST_F(RealTimeUpgrade, VanishedDeviceDuringTheTransferEndsWithComplete) {
  const std::string mainHex = GenerateIntelHex(0x10000, 12'000, 9);
  StartModem(2, {"--drop-line-after", "8000"});
  StartUtility(PackMainOnly(mainHex));

  ASSERT_TRUE(WaitForLine(kFlashPrompt, seconds(60))) << Diagnostics();
  PressKeys("alt+f");
  ASSERT_TRUE(WaitForLine("Complete.", seconds(60))) << Diagnostics();
  const auto lines = LogLines();
  EXPECT_NE(
      std::find(lines.begin(), lines.end(), "Flash file upload did not complete successfully."),
      lines.end())
      << Diagnostics();

  PressKeys("alt+q");
  EXPECT_EQ(utility_->Wait(seconds(20)), 0) << Diagnostics();
}

}  // namespace
}  // namespace realtime
