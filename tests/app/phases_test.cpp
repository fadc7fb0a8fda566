#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_harness.h"
#include "platform/application.h"

namespace app::testing {
namespace {

using testing::PrintTo;

using platform::Form;

Scenario BootAndMain(std::initializer_list<std::string> failing = {}) {
  Scenario scenario{.modems = {2, 4}, .bootLength = 9387, .bootModel = "xx518200"};
  scenario.failing.insert(failing);
  return scenario;
}

struct PhaseCase {
  std::string name;
  Scenario scenario;
  std::string moment;  // "choice", "end", or the call (and its occurrence) that is looked at
  int occurrence;
  std::string controls;
};

class WindowPhases : public ::testing::TestWithParam<PhaseCase> {};

TEST_P(WindowPhases, SetTheControls) {
  const PhaseCase& c = GetParam();
  Harness h(c.scenario);
  std::string seen;
  int occurrences = 0;
  h.Operations().OnCall = [&](const std::string& call) {
    if (call == c.moment && ++occurrences == c.occurrence) seen = h.Controls();
  };
  h.Start();
  h.Settle();
  if (c.moment == "choice") seen = h.Controls();
  h.Form1().Button2.Click();
  h.Settle();
  if (c.moment == "end") seen = h.Controls();
  EXPECT_EQ(seen, c.controls);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowPhases,
    ::testing::Values(
        // Discovery ticks the box of a modem it finds, but offers nothing yet.
        PhaseCase{"Discovery", BootAndMain(), "ProbePort(3)", 1,
                  "quit=1 flash=0 startOver=0 boxes=0000 ticked=0100 progress=00 search=1"},
        PhaseCase{"Choice", BootAndMain(), "choice", 0,
                  "quit=1 flash=1 startOver=1 boxes=0101 ticked=0001 progress=00 search=0"},
        PhaseCase{"FlashingBeforeProgrammingMode", BootAndMain(), "EnterFlashMode()", 1,
                  "quit=0 flash=0 startOver=0 boxes=0000 ticked=0001 progress=00 search=0"},
        PhaseCase{"FlashingDuringTransfer", BootAndMain(), "StartHexTransfer()", 1,
                  "quit=0 flash=0 startOver=0 boxes=0000 ticked=0001 progress=11 search=0"},
        PhaseCase{"FinishedTransferGivesQuitBack", BootAndMain(), "AwaitProgrammingVerdict(1000)",
                  1, "quit=1 flash=0 startOver=0 boxes=0000 ticked=0001 progress=11 search=0"},
        PhaseCase{"FailedTransferKeepsQuitDisabled", BootAndMain({"StartHexTransfer@30"}),
                  "AwaitProgrammingVerdict(1000)", 1,
                  "quit=0 flash=0 startOver=0 boxes=0000 ticked=0001 progress=11 search=0"},
        PhaseCase{"MainPassTakesQuitAgain", BootAndMain(), "EnterFlashMode()", 2,
                  "quit=0 flash=0 startOver=0 boxes=0000 ticked=0001 progress=11 search=0"},
        PhaseCase{"EndAfterUpgrade", BootAndMain(), "end", 0,
                  "quit=1 flash=0 startOver=1 boxes=0000 ticked=0001 progress=00 search=0"},
        PhaseCase{"EndAfterFailure", BootAndMain({"EnterProgramming@25"}), "end", 0,
                  "quit=1 flash=0 startOver=1 boxes=0000 ticked=0001 progress=00 search=0"},
        PhaseCase{"EndWithoutModem", Scenario{.modems = {}}, "end", 0,
                  "quit=1 flash=0 startOver=1 boxes=0000 ticked=0000 progress=00 search=0"}),
    [](const ::testing::TestParamInfo<PhaseCase>& info) { return info.param.name; });

TEST(WindowPhases, GaugeStartsAgainFromZeroForTheMainPass) {
  Harness h(BootAndMain());
  std::vector<std::int64_t> progress;
  h.Operations().OnCall = [&](const std::string& call) {
    if (call == "StartHexTransfer()") h.Form1().Gauge1.SetProgress(7);
    if (call == "ExtractMainArchive()") progress.push_back(h.Form1().Gauge1.Progress());
  };
  h.RunUpgrade();
  progress.push_back(h.Form1().Gauge1.Progress());
  EXPECT_EQ(progress, (std::vector<std::int64_t>{0, 0}));
}

// A resting machine and how to get there.
struct RestCase {
  std::string name;
  Scenario scenario;
  bool flash;            // press FLASH! at the choice
  std::uint16_t stopAt;  // with flash false: stop when a tick leaves this step (0: rest)
  std::vector<std::string> newRunLog;
};

class StartOver : public ::testing::TestWithParam<RestCase> {};

TEST_P(StartOver, ClearsTheRunAndDiscoversAgain) {
  const RestCase& c = GetParam();
  Harness h(c.scenario);
  h.Start();
  if (c.stopAt != 0) {
    h.RunUntilStep(c.stopAt);
  } else {
    h.Settle();
  }
  if (c.flash) {
    h.Form1().Button2.Click();
    h.Settle();
  }
  const std::string mirroredBefore = h.mirror.str();
  h.State().Modem.CountryRejected = 1;

  h.Form1().Button4.Click();

  EXPECT_EQ(h.State().Step.CurrentStep, 0);
  EXPECT_TRUE(h.Form1().Timer1.Enabled());
  EXPECT_TRUE(h.Log().empty());
  EXPECT_EQ(h.mirror.str(), mirroredBefore);
  for (std::uint8_t n = 1; n <= 4; ++n)
    EXPECT_EQ(h.Form1().PortEdit(n).Text(), "");
  EXPECT_EQ(h.Controls(), "quit=1 flash=0 startOver=0 boxes=0000 ticked=0000 progress=00 search=0");
  EXPECT_EQ(h.State().Modem.ModemCount, 0);
  EXPECT_EQ(h.State().Modem.CountryRejected, 0);
  EXPECT_EQ(h.Form1().SelectedPortRef(), 0);
  const modem::PortFlags& flags = h.Form1().PortFlagsRef();
  for (std::uint8_t n = 1; n <= 4; ++n) {
    EXPECT_EQ(flags.DevicePresent[n] + flags.ModemFound[n] + flags.CodeDamaged[n], 0);
  }

  // The new run opens one search window of its own.
  h.RunUntilStep(1);
  EXPECT_EQ(h.program.App().Forms().size(), 2u);
  h.Settle();
  EXPECT_EQ(h.Log(), c.newRunLog);
}

const std::string Heading = "Tessary 56K flash utility initialized...";
const std::string PressFlash =
    "Press the FLASH! button to begin flashing the currently selected modem.";

INSTANTIATE_TEST_SUITE_P(
    RestingSteps, StartOver,
    ::testing::Values(
        RestCase{"AtTheChoice", {}, false, 0, {Heading, PressFlash}},
        RestCase{"BeforeStep20Ran", {}, false, 20, {Heading, PressFlash}},
        RestCase{"AfterAnUpgrade", {}, true, 0, {Heading, PressFlash}},
        RestCase{"AfterAFailure",
                 Scenario{.failing = {"EnterFlashMode@55"}},
                 true,
                 0,
                 {Heading, PressFlash}},
        RestCase{"AfterNoModem",
                 Scenario{.modems = {}},
                 false,
                 0,
                 {Heading, "No modems found to FLASH.",
                  "Ensure that you have your modem installed and press the \"Start Over\" button.",
                  "Complete."}}),
    [](const ::testing::TestParamInfo<RestCase>& info) { return info.param.name; });

TEST(StartOver, AfterDebugStartKeepsDebugMode) {
  Harness h({}, {"/ud"});
  h.RunUpgrade();
  h.Form1().Button4.Click();
  h.Settle();
  EXPECT_TRUE(h.State().Step.DebugMode);
  EXPECT_EQ(h.Log()[1], "Debug mode is active.");
}

TEST(FlashBeforeStep20, ClosesTheSearchWindowAndFlashes) {
  Harness h;
  h.Start();
  h.RunUntilStep(20);
  ASSERT_NE(h.Form1().Form2, nullptr);

  h.Form1().Button2.Click();
  EXPECT_EQ(h.Form1().Form2, nullptr);
  h.Settle();

  EXPECT_EQ(h.program.App().Forms().size(), 1u);
  EXPECT_EQ(h.steps,
            (std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 21, 52, 54, 55, 60, 70, 90, 99}));
  EXPECT_EQ(h.Log().back(), "Complete.");
}

TEST(UntickedBeforeStep21, GoesBackToTheChoice) {
  Harness h;
  h.Start();
  h.Settle();
  h.Form1().Button2.Click();
  h.Form1().CheckBox2.Click();  // the user unticks before the next tick
  h.Settle();

  EXPECT_EQ(h.State().Step.CurrentStep, 20);
  EXPECT_FALSE(h.Form1().Timer1.Enabled());
  EXPECT_EQ(h.Controls(), "quit=1 flash=0 startOver=1 boxes=0100 ticked=0000 progress=00 search=0");
  EXPECT_EQ(h.Form1().SelectedPortRef(), 0);
  EXPECT_EQ(h.Log(), (std::vector<std::string>{Heading, PressFlash}));
  EXPECT_EQ(h.Operations().Calls().back(), "ProbePort(4)");

  // The choice works as before.
  h.Form1().CheckBox2.Click();
  h.Form1().Button2.Click();
  h.Settle();
  EXPECT_EQ(h.Form1().SelectedPortRef(), 2);
  EXPECT_EQ(h.Log().back(), "Complete.");
}

struct FaultCase {
  std::string name;
  std::string throwing;  // "Operation@step"
  std::uint16_t step;
};

class ExceptionInAStep : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ExceptionInAStep, ShowsTheErrorBoxAndStopsThere) {
  const FaultCase& c = GetParam();
  Harness h(Scenario{.throwing = {c.throwing}});
  std::string boxText;
  std::string boxCaption;
  platform::MessageIcon boxIcon = platform::MessageIcon::None;
  h.user.WhenModal([&](Form& box) {
    const auto& messageBox = dynamic_cast<platform::MessageBoxForm&>(box);
    boxText = messageBox.Text();
    boxCaption = messageBox.Caption();
    boxIcon = messageBox.Icon();
    platform::ScriptedUser::AnswerOk(box);
  });
  h.RunUpgrade();

  EXPECT_EQ(boxText, "File access denied");
  EXPECT_EQ(boxCaption, "Orvell Tessary Flash Utility");
  EXPECT_EQ(boxIcon, platform::MessageIcon::Error);
  EXPECT_EQ(h.State().Step.CurrentStep, c.step);
  EXPECT_FALSE(h.Form1().Timer1.Enabled());
  EXPECT_FALSE(h.loop.Terminated());

  // Exit still ends the program.
  h.Form1().File1.Click();
  EXPECT_TRUE(h.loop.Terminated());
}

INSTANTIATE_TEST_SUITE_P(Steps, ExceptionInAStep,
                         ::testing::Values(FaultCase{"StartUp", "DecodePackageTrailer@0", 0},
                                           FaultCase{"Expansion", "ExpandMainArchive@54", 54},
                                           FaultCase{"Dialogue", "CheckMainProduct@55", 55}),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace app::testing
