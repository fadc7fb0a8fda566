#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "sim/simulated_modem.h"
#include "tests/modem/dialogue_fixture.h"

namespace modem_test {
namespace {

using Lines = std::vector<std::string>;

class ProductCheck : public DialogueTest {
 protected:
  sim::SimulatedModem& BootCodeModem(std::string modelCode = "xx518200") {
    sim::ModemOptions options;
    options.waitsInBootCode = true;
    options.modelCode = std::move(modelCode);
    sim::SimulatedModem& modem = com.AddModem(1, options);
    port.SetOpen(true);
    return modem;
  }
};

TEST_F(ProductCheck, IgnoringTheModelPassesWithoutAskingOrLogging) {
  sim::SimulatedModem& modem = BootCodeModem("other");
  packageInfo.IgnoreModel = true;
  EXPECT_TRUE(dialogue.CheckBootProduct());
  EXPECT_TRUE(dialogue.CheckMainProduct());
  EXPECT_TRUE(Log().empty());
  EXPECT_TRUE(modem.Commands().empty());
  EXPECT_EQ(loop.Now(), 0);
}

TEST_F(ProductCheck, TheModelCodeInTheAnswerPasses) {
  BootCodeModem("XX518200");
  EXPECT_TRUE(dialogue.CheckBootProduct());
  EXPECT_EQ(Log(), (Lines{"Modem needs flash update #1..  (1)"}));
}

TEST_F(ProductCheck, AnotherModelCodeFailsOnTheMainPass) {
  BootCodeModem("xx518300");
  EXPECT_FALSE(dialogue.CheckMainProduct());
  EXPECT_EQ(Log(), (Lines{"This application does not work with this modem product code..  (2)"}));
}

TEST_F(ProductCheck, AnEmptyModelCodeCanOnlyFail) {
  sim::ModemOptions commandMode;  // answers ATI0 with its code, never "ERROR" alone
  com.AddModem(1, commandMode);
  settings.MainModel.clear();
  EXPECT_FALSE(dialogue.CheckMainProduct());
  EXPECT_EQ(Log().size(), 1u);
  // 200 + 500 ms of pauses, then the whole wait of 27 ticks.
  EXPECT_GE(loop.Now(), 700'000 + 27 * TickMicros);
}

TEST_F(ProductCheck, ASilentModemFailsAfterTheTimeOut) {
  sim::ModemOptions silent;
  silent.silent = true;
  com.AddModem(1, silent);
  EXPECT_FALSE(dialogue.CheckBootProduct());
  EXPECT_EQ(Log(), (Lines{"This application does not work with this modem product code..  (1)"}));
  EXPECT_LE(loop.Now(), 700'000 + 28 * TickMicros + 100'000);
}

struct CountryCase {
  const char* name;
  std::vector<int> allowed;
  std::optional<int> modemCountry;  // none: a silent modem
  int queries;
  std::uint8_t rejected;
};

class CountryCheck : public DialogueTest, public ::testing::WithParamInterface<CountryCase> {};

TEST_P(CountryCheck, AsksEachAllowedCountryUntilOneAnswers) {
  const CountryCase& c = GetParam();
  for (const int index : c.allowed)
    packageInfo.Countries[static_cast<std::size_t>(index)] = true;
  sim::ModemOptions options;
  options.silent = !c.modemCountry;
  options.countryIndex = c.modemCountry.value_or(0);
  const sim::SimulatedModem& modem = com.AddModem(1, options);
  state.CountryRejected = 1 - c.rejected;

  EXPECT_TRUE(dialogue.CheckCountry());
  EXPECT_EQ(state.CountryRejected, c.rejected);
  // The backspace edits each query into one ATY14.
  EXPECT_EQ(modem.Commands(), Lines(static_cast<std::size_t>(c.queries), "ATY14"));
  EXPECT_TRUE(Log().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountryCheck,
    ::testing::Values(CountryCase{"UsCanadaOnlyAcceptsASilentModem", {0}, std::nullopt, 1, 0},
                      CountryCase{"SecondAllowedCountryAnswers", {0, 16}, 16, 2, 0},
                      CountryCase{"NeitherAllowedCountryAnswers", {0, 16}, 5, 2, 1},
                      CountryCase{"FirstAllowedCountryAnswersAtOnce", {3, 16}, 3, 1, 0},
                      CountryCase{"CodeIsPaddedToThreeDigits", {7}, 7, 1, 0},
                      CountryCase{"OnlyCountriesFrom25OnAreNeverAsked", {30}, 30, 0, 1},
                      CountryCase{"Country24IsTheLastAsked", {24, 25}, 25, 1, 1}),
    [](const ::testing::TestParamInfo<CountryCase>& info) { return info.param.name; });

TEST_F(DialogueTest, CountryCheckOnAPortThatCannotBeOpenedEndsTheUpgrade) {
  packageInfo.Countries[0] = true;
  packageInfo.Countries[16] = true;
  selectedPort = 3;
  state.CountryRejected = 1;
  EXPECT_FALSE(dialogue.CheckCountry());
  EXPECT_EQ(state.CountryRejected, 0);
  EXPECT_EQ(Log(), (Lines{"Could not open COM port -- aborting."}));
}

TEST_F(DialogueTest, CountryCheckListensTwelveTicksForEachQuery) {
  packageInfo.Countries[0] = true;
  packageInfo.Countries[16] = true;
  com.AddModem(1, sim::ModemOptions{.countryIndex = 5});
  dialogue.CheckCountry();
  // 200 ms, then per query three 50 ms pauses, the three pieces and the wait.
  const std::int64_t perQueryAtMost = 150'000 + 10'000 + 13 * TickMicros;
  EXPECT_GE(loop.Now(), 200'000 + 2 * (150'000 + 12 * TickMicros));
  EXPECT_LE(loop.Now(), 200'000 + 2 * perQueryAtMost);
}

}  // namespace
}  // namespace modem_test
