#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_harness.h"

namespace app::testing {
namespace {

using testing::PrintTo;

const std::string Heading = "Tessary 56K flash utility initialized...";
const std::string DebugActive = "Debug mode is active.";
const std::string PressFlash =
    "Press the FLASH! button to begin flashing the currently selected modem.";
const std::string EnsureCorrect =
    "Ensure that the correct modem is selected, and press the FLASH! button.";
const std::string NoModems = "No modems found to FLASH.";
const std::string EnsureInstalled =
    "Ensure that you have your modem installed and press the \"Start Over\" button.";
const std::string FlashingBoot = "Flashing boot code...";
const std::string FlashingMain = "Flashing main code...";
const std::string Sent = "Flash file upload sent successfully.";
const std::string Incomplete = "Flash file upload did not complete successfully.";
const std::string Rewriting = "Rewriting NVRAM templates 0 and 1...";
const std::string Resetting = "Resetting modem...";
const std::string Failure = "Failure...";
const std::string Complete = "Complete.";

using Steps = std::vector<std::uint16_t>;

Scenario BootAndMain() {
  Scenario scenario;
  scenario.bootLength = 9387;
  scenario.bootModel = "xx518200";
  return scenario;
}

Scenario With(Scenario scenario, std::initializer_list<std::string> failing) {
  scenario.failing.insert(failing);
  return scenario;
}

struct Path {
  std::string name;
  Scenario scenario;
  std::vector<std::string> parameters;
  Steps steps;
  std::vector<std::string> log;
  std::string hexLeft;  // the HEX files still there at the end: "", "boot" or "main"
};

class StepMachinePaths : public ::testing::TestWithParam<Path> {};

TEST_P(StepMachinePaths, VisitTheStepsAndWriteTheLogLines) {
  const Path& path = GetParam();
  Harness h(path.scenario, path.parameters);
  h.RunUpgrade();

  EXPECT_EQ(h.steps, path.steps);
  EXPECT_EQ(h.Log(), path.log);
  std::string hexLeft;
  if (std::filesystem::exists(h.Operations().HexFile(true))) hexLeft += "boot";
  if (std::filesystem::exists(h.Operations().HexFile(false))) hexLeft += "main";
  EXPECT_EQ(hexLeft, path.hexLeft);
}

const Steps MainPass = {52, 54, 55, 60, 70, 90, 99};
const Steps BootPass = {22, 24, 25, 30, 40, 50};

Steps Join(std::initializer_list<Steps> parts) {
  Steps joined;
  for (const Steps& part : parts)
    joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

const Steps Choice = {0, 1, 2, 3, 4, 5, 20, 21};

INSTANTIATE_TEST_SUITE_P(
    Graph, StepMachinePaths,
    ::testing::Values(Path{"NoModem",
                           Scenario{.modems = {}},
                           {},
                           {0, 1, 2, 3, 4, 5, 99},
                           {Heading, NoModems, EnsureInstalled, Complete},
                           ""},
                      Path{"MainOnly",
                           {},
                           {},
                           Join({Choice, MainPass}),
                           {Heading, PressFlash, Sent, Resetting, Complete},
                           ""},
                      Path{"TwoModems",
                           Scenario{.modems = {2, 4}},
                           {},
                           Join({Choice, MainPass}),
                           {Heading, EnsureCorrect, Sent, Resetting, Complete},
                           ""},
                      Path{"BootAndMain",
                           BootAndMain(),
                           {},
                           Join({Choice, BootPass, MainPass}),
                           {Heading, PressFlash, Sent, Sent, Resetting, Complete},
                           ""},
                      Path{"BootWithoutModelButIgnoreModel",
                           Scenario{.bootLength = 9387, .ignoreModel = true},
                           {},
                           Join({Choice, BootPass, MainPass}),
                           {Heading, PressFlash, Sent, Sent, Resetting, Complete},
                           ""},
                      Path{"BootWithoutModel",
                           Scenario{.bootLength = 9387},
                           {},
                           Join({Choice, MainPass}),
                           {Heading, PressFlash, Sent, Resetting, Complete},
                           ""},
                      Path{"BootOnly",
                           Scenario{.bootLength = 9387, .mainLength = 0, .bootModel = "xx518200"},
                           {},
                           Join({Choice, BootPass, {99}}),
                           {Heading, PressFlash, Sent, Complete},
                           ""},
                      Path{"ProgramFileUnreadableForBoot",
                           With(BootAndMain(), {"ExtractBootArchive@22"}),
                           {},
                           Join({Choice, {22, 99}}),
                           {Heading, PressFlash, Complete},
                           ""},
                      Path{"BootArchiveUnusable",
                           With(BootAndMain(), {"ExpandBootArchive@24"}),
                           {},
                           Join({Choice, {22, 24, 99}}),
                           {Heading, PressFlash, Complete},
                           ""},
                      Path{"NoFlashModeForBoot",
                           With(BootAndMain(), {"EnterFlashMode@25"}),
                           {},
                           Join({Choice, {22, 24, 25, 99}}),
                           {Heading, PressFlash, Complete},
                           ""},
                      Path{"BootImageForAnotherProduct",
                           With(BootAndMain(), {"CheckBootProduct@25"}),
                           {},
                           Join({Choice, {22, 24, 25, 50}, MainPass}),
                           {Heading, PressFlash, Sent, Resetting, Complete},
                           ""},
                      Path{"NoProgrammingModeForBoot",
                           With(BootAndMain(), {"EnterProgramming@25"}),
                           {},
                           Join({Choice, {22, 24, 25, 99}}),
                           {Heading, PressFlash, Complete},
                           "boot"},
                      Path{"BootTransferFailed",
                           With(BootAndMain(), {"StartHexTransfer@30"}),
                           {},
                           Join({Choice, BootPass, MainPass}),
                           {Heading, PressFlash, Incomplete, Sent, Resetting, Complete},
                           ""},
                      Path{"BadBootVerdict",
                           With(BootAndMain(), {"AwaitProgrammingVerdict@40"}),
                           {},
                           Join({Choice, {22, 24, 25, 30, 40, 95, 99}}),
                           {Heading, PressFlash, Sent, Complete},
                           ""},
                      Path{"ProgramFileUnreadableForMain",
                           With({}, {"ExtractMainArchive@52"}),
                           {},
                           Join({Choice, {52, 99}}),
                           {Heading, PressFlash, Complete},
                           ""},
                      Path{"MainArchiveUnusable",
                           With({}, {"ExpandMainArchive@54"}),
                           {},
                           Join({Choice, {52, 54, 99}}),
                           {Heading, PressFlash, Complete},
                           ""},
                      Path{"NoFlashModeForMain",
                           With({}, {"EnterFlashMode@55"}),
                           {},
                           Join({Choice, {52, 54, 55, 99}}),
                           {Heading, PressFlash, Complete},
                           "main"},
                      Path{"MainImageForAnotherProduct",
                           With({}, {"CheckMainProduct@55"}),
                           {},
                           Join({Choice, {52, 54, 55, 99}}),
                           {Heading, PressFlash, Complete},
                           ""},
                      Path{"NoProgrammingModeForMain",
                           With({}, {"EnterProgramming@55"}),
                           {},
                           Join({Choice, {52, 54, 55, 99}}),
                           {Heading, PressFlash, Complete},
                           "main"},
                      Path{"MainTransferFailed",
                           With({}, {"StartHexTransfer@60"}),
                           {},
                           Join({Choice, MainPass}),
                           {Heading, PressFlash, Incomplete, Resetting, Complete},
                           ""},
                      Path{"BadMainVerdictChangesNothing",
                           With({}, {"AwaitProgrammingVerdict@70"}),
                           {},
                           Join({Choice, MainPass}),
                           {Heading, PressFlash, Sent, Resetting, Complete},
                           ""},
                      Path{"PortForCountryCheckWillNotOpen",
                           With({}, {"CheckCountry@21"}),
                           {},
                           Join({Choice, {99}}),
                           {Heading, PressFlash, Complete},
                           ""},
                      Path{"CountryRejectedEndsTheProgram",
                           With({}, {"CountryRejected@21"}),
                           {},
                           Choice,
                           {Heading, PressFlash},
                           ""},
                      Path{"DamagedCodeSkipsTheCountryCheck",
                           With(Scenario{.damaged = {2}}, {"CountryRejected@21"}),
                           {},
                           Join({Choice, MainPass}),
                           {Heading, PressFlash, Sent, Resetting, Complete},
                           ""},
                      Path{"DebugNoModem",
                           Scenario{.modems = {}},
                           {"/ud"},
                           {0, 1, 2, 3, 4, 5, 99},
                           {Heading, DebugActive, NoModems, EnsureInstalled, Complete},
                           ""},
                      Path{"DebugBootAndMain",
                           BootAndMain(),
                           {"/ud"},
                           Join({Choice, BootPass, MainPass}),
                           {Heading, DebugActive, PressFlash, FlashingBoot, Sent, FlashingMain,
                            Sent, Rewriting, Resetting, Complete},
                           ""},
                      Path{
                          "DebugBadBootVerdict",
                          With(BootAndMain(), {"AwaitProgrammingVerdict@40"}),
                          {"/ud"},
                          Join({Choice, {22, 24, 25, 30, 40, 95, 99}}),
                          {Heading, DebugActive, PressFlash, FlashingBoot, Sent, Failure, Complete},
                          ""}),
    [](const ::testing::TestParamInfo<Path>& info) { return info.param.name; });

TEST(StepMachine, CountryRejectionEndsTheProgramWithoutFlashing) {
  Harness h(With({}, {"CountryRejected@21"}));
  h.RunUpgrade();
  EXPECT_TRUE(h.loop.Terminated());
  EXPECT_EQ(h.Operations().Calls().back(), "RejectUtility()");
}

struct CallsCase {
  std::string name;
  Scenario scenario;
  std::vector<std::string> parameters;
  std::vector<std::string> calls;  // from the first call of step 0 on, discovery left out
};

class StepMachineCalls : public ::testing::TestWithParam<CallsCase> {};

TEST_P(StepMachineCalls, CallTheOperationsInOrder) {
  const CallsCase& c = GetParam();
  Harness h(c.scenario, c.parameters);
  h.RunUpgrade();
  std::vector<std::string> calls = h.Operations().Calls();
  std::erase_if(calls, [](const std::string& call) { return call.starts_with("ProbePort"); });
  EXPECT_EQ(calls, c.calls);
}

const std::vector<std::string> StartUpCalls = {
    "DeleteTemporaryFiles()", "ReadPackageTrailer()", "DecodePackageTrailer()",
    "ApplyPackageSettings()", "Pause(500)",           "DeleteTemporaryFiles()"};

std::vector<std::string> Calls(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> joined;
  for (const auto& part : parts)
    joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

const std::vector<std::string> MainPassCalls = {"ExtractMainArchive()",
                                                "ExpandMainArchive()",
                                                "EnterFlashMode()",
                                                "CheckMainProduct()",
                                                "EnterProgramming()",
                                                "StartHexTransfer()",
                                                "AwaitProgrammingVerdict(5000)",
                                                "RewriteNvramTemplates()"};

INSTANTIATE_TEST_SUITE_P(
    Operations, StepMachineCalls,
    ::testing::Values(
        CallsCase{"MainOnly", {}, {}, Calls({StartUpCalls, {"CheckCountry()"}, MainPassCalls})},
        CallsCase{"DebugDumpsThePackage",
                  {},
                  {"/ud"},
                  Calls({{"DeleteTemporaryFiles()", "ReadPackageTrailer()",
                          "DecodePackageTrailer()", "ApplyPackageSettings()", "LogPackageInfo()",
                          "Pause(500)", "DeleteTemporaryFiles()", "CheckCountry()"},
                         MainPassCalls})},
        CallsCase{
            "DamagedCode", Scenario{.damaged = {2}}, {}, Calls({StartUpCalls, MainPassCalls})},
        CallsCase{"BootPass",
                  BootAndMain(),
                  {},
                  Calls({StartUpCalls,
                         {"CheckCountry()", "ExtractBootArchive()", "ExpandBootArchive()",
                          "EnterFlashMode()", "CheckBootProduct()", "EnterProgramming()",
                          "StartHexTransfer()", "AwaitProgrammingVerdict(1000)", "Pause(1000)"},
                         MainPassCalls})},
        CallsCase{"BootImageForAnotherProduct",
                  With(BootAndMain(), {"CheckBootProduct@25"}),
                  {},
                  Calls({StartUpCalls,
                         {"CheckCountry()", "ExtractBootArchive()", "ExpandBootArchive()",
                          "EnterFlashMode()", "CheckBootProduct()", "Pause(500)",
                          "SendCommand(ATGM\r)", "Pause(2000)"},
                         MainPassCalls})}),
    [](const ::testing::TestParamInfo<CallsCase>& info) { return info.param.name; });

TEST(StepMachine, HeadingShowsTheProductNameOfThePackage) {
  Harness h(Scenario{.productName = "Tessary \xC9lan"});
  h.Start();
  h.Settle();
  EXPECT_EQ(h.Log().front(), "Tessary \u00C9lan flash utility initialized...");
}

TEST(StepMachine, FlashesTheTickedPort) {
  Harness h(Scenario{.modems = {1, 3}});
  h.Start();
  h.Settle();
  h.Form1().CheckBox1.Click();
  h.Form1().Button2.Click();
  h.Settle();
  EXPECT_EQ(h.Form1().SelectedPortRef(), 1);
  EXPECT_EQ(h.Log().back(), Complete);
}

TEST(StepMachine, StepsOutsideTheGraphDoNothing) {
  for (const std::uint16_t step : {6, 23, 98, 100, 65535}) {
    Harness h;
    h.State().Step.CurrentStep = step;
    h.loop.RunUntil([&] { return h.steps.size() == 3; }, 10 * Second);
    EXPECT_EQ(h.State().Step.CurrentStep, step);
    EXPECT_TRUE(h.Form1().Timer1.Enabled());
    EXPECT_TRUE(h.Operations().Calls().empty());
  }
}

}  // namespace
}  // namespace app::testing
