#include "app/real_operations.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "sim/simulated_ports.h"
#include "tests/scenario/upgrade_rig.h"
#include "text/message_catalogue.h"

namespace app {
namespace {

// A few data records and the end record.
std::string HexImage() {
  return ":10000000000102030405060708090A0B0C0D0E0F78\r\n"
         ":10001000101112131415161718191A1B1C1D1E1F68\r\n"
         ":00000001FF\r\n";
}

// A packaged utility for the product "Tessary 336", main image only, approved for the given
// countries.
scenario::PackagedUtility Utility(std::initializer_list<const char*> countries = {"0"}) {
  scenario::PackageRecipe recipe{
      .mainHex = HexImage(),
      .trailerOptions = {"--product", "Tessary 336", "--main-model", "xx518200"}};
  for (const char* country : countries)
    recipe.trailerOptions.insert(recipe.trailerOptions.end(), {"--country", country});
  return scenario::PackagedUtility(recipe);
}

TEST(RealOperations, UpgradeAModemFromStartUpToComplete) {
  const scenario::PackagedUtility utility = Utility();
  scenario::UpgradeRun run(utility.File());
  sim::SimulatedModem& modem = run.Ports().AddModem(2);
  run.PlayUser(text::LanguageEnglish);
  run.Run();

  const std::vector<std::string>& log = run.Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "Tessary 336 flash utility initialized...");
  EXPECT_EQ(log.back(), "Complete.");
  EXPECT_EQ(run.Form1().Edit2.Text(), "Tessary 336 modem found.");
  ASSERT_EQ(modem.Images().size(), 1u);
  EXPECT_EQ(modem.Images()[0].hexBytes, HexImage());
  EXPECT_EQ(modem.NvramRewrites(), 1);
  EXPECT_EQ(run.MirroredLines(), log);
}

TEST(RealOperations, RejectAModemOfAnotherCountry) {
  const scenario::PackagedUtility utility = Utility({"0", "1"});  // US/Canada and Japan
  scenario::UpgradeRun run(utility.File());
  sim::SimulatedModem& modem = run.Ports().AddModem(2, sim::ModemOptions{.countryIndex = 16});
  run.PlayUser(text::LanguageEnglish);
  run.Run();

  EXPECT_EQ(run.BoxTexts(), std::vector<std::string>{"Incorrect flash utility for modem."});
  EXPECT_EQ(run.Sound().Playbacks().size(), 1u);
  EXPECT_TRUE(modem.Images().empty());
  EXPECT_NE(run.Log().back(), "Complete.");
}

}  // namespace
}  // namespace app
