#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app_harness.h"
#include "scripted_device.h"

namespace app::testing {
namespace {

using testing::PrintTo;

struct TickCase {
  std::string name;
  std::vector<std::uint8_t> clicks;  // boxes the user clicks at the choice, in order
  std::string ticked;
  bool flashEnabled;
};

class CheckBoxes : public ::testing::TestWithParam<TickCase> {};

TEST_P(CheckBoxes, KeepAtMostOneTickedAndFlashFollows) {
  const TickCase& c = GetParam();
  Harness h(Scenario{.modems = {1, 2, 3, 4}});
  h.Start();
  h.Settle();
  for (const std::uint8_t n : c.clicks)
    h.Form1().PortCheckBox(n).Click();
  std::string ticked;
  for (std::uint8_t n = 1; n <= 4; ++n)
    ticked += h.Form1().PortCheckBox(n).Checked() ? '1' : '0';
  EXPECT_EQ(ticked, c.ticked);
  EXPECT_EQ(h.Form1().Button2.Enabled(), c.flashEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, CheckBoxes,
    ::testing::Values(TickCase{"DiscoveryLeavesTheLastPortTicked", {}, "0001", true},
                      TickCase{"TickingOneUnticksTheOthers", {1}, "1000", true},
                      TickCase{"TickingInTurn", {1, 3}, "0010", true},
                      TickCase{"UntickingTheOnlyOne", {4}, "0000", false},
                      TickCase{"TickingAfterUnticking", {4, 2}, "0100", true}),
    [](const ::testing::TestParamInfo<TickCase>& info) { return info.param.name; });

TEST(UpdateFlashButton, NeedsATickedBoxAndAStepAboveFour) {
  struct Case {
    std::uint16_t step;
    bool ticked;
    bool enabled;
  };
  for (const Case c : {Case{0, true, false}, Case{4, true, false}, Case{5, true, true},
                       Case{20, true, true}, Case{20, false, false}, Case{99, false, false}}) {
    Harness h;
    h.State().Step.CurrentStep = c.step;
    h.Form1().CheckBox3.SetChecked(c.ticked);
    h.Form1().UpdateFlashButton();
    EXPECT_EQ(h.Form1().Button2.Enabled(), c.enabled) << "step " << c.step;
  }
}

// Opens the window's port on COM2, where the test holds the far end of the line.
ScriptedDevice& OpenPortOnCom2(Harness& h) {
  auto device = std::make_unique<ScriptedDevice>();
  ScriptedDevice& line = *device;
  h.serialPorts.planted[2] = std::move(device);
  h.Form1().ApdComPort1.SetComNumber(2);
  h.Form1().ApdComPort1.SetOpen(true);
  return line;
}

TEST(Escape, PressesQuitWhereQuitIsEnabled) {
  struct Case {
    std::string moment;
    bool ends;
  };
  for (const Case& c : {Case{"choice", true}, Case{"transfer", false}, Case{"end", true}}) {
    Harness h;
    OpenPortOnCom2(h);
    const auto pressEscape = [&h] { h.Form1().KeyPress(platform::Form::Key::Escape); };
    h.Operations().OnCall = [&](const std::string& call) {
      if (c.moment == "transfer" && call == "StartHexTransfer()") {
        h.user.At(h.loop.Now() + Second / 2, pressEscape);
      }
    };
    h.Start();
    h.Settle();
    if (c.moment == "choice") pressEscape();
    h.Form1().Button2.Click();
    h.Settle();
    if (c.moment == "end") pressEscape();

    EXPECT_EQ(h.loop.Terminated(), c.ends) << c.moment;
    if (c.ends) {
      EXPECT_FALSE(h.Form1().ApdComPort1.Open()) << c.moment;
    }
  }
}

TEST(EndingTheProgram, QuitClosesThePortExitLeavesItToTheEnd) {
  struct Case {
    std::string name;
    bool portOpenAfter;
  };
  for (const Case& c : {Case{"Quit", false}, Case{"Exit", true}}) {
    Harness h;
    h.Form1().Timer1.SetEnabled(false);
    OpenPortOnCom2(h);
    if (c.name == "Quit") {
      h.Form1().Button1.Click();
    } else {
      h.Form1().File1.Click();
    }
    EXPECT_TRUE(h.loop.Terminated()) << c.name;
    EXPECT_EQ(h.Form1().ApdComPort1.Open(), c.portOpenAfter) << c.name;
  }
}

TEST(AboutBox, OpensModallyAndGoesWithOk) {
  Harness h;
  h.Form1().Timer1.SetEnabled(false);
  std::string caption;
  int pictureWidth = 0;
  int pictureHeight = 0;
  h.user.WhenModal([&](platform::Form& box) {
    auto& about = dynamic_cast<TAboutBox&>(box);
    caption = about.Caption();
    pictureWidth = about.ProgramIcon.PixelWidth();
    pictureHeight = about.ProgramIcon.PixelHeight();
    platform::ScriptedUser::AnswerOk(box);
  });
  h.user.At(Second, [&] { h.Form1().About1.Click(); });
  h.loop.RunUntil([] { return false; }, 10 * Second);

  EXPECT_EQ(caption, "About");
  EXPECT_EQ(pictureWidth, 55);
  EXPECT_EQ(pictureHeight, 81);
  EXPECT_EQ(h.program.App().Forms().size(), 1u);
  EXPECT_FALSE(h.loop.Terminated());
}

struct EchoCase {
  std::string name;
  bool debugMode;
  std::string received;
  std::vector<std::string> log;
};

class DebugEcho : public ::testing::TestWithParam<EchoCase> {};

const std::string Replies = "\r\nProg HEX\r\nOK\r\nProgram was successful\r\n";

// The modem's lines during a transfer go to the log but stay in the port's input, where the
// verdict wait after the transfer reads them.
TEST_P(DebugEcho, CopiesLinesOfMoreThanFourCharacters) {
  const EchoCase& c = GetParam();
  Harness h;
  TForm1& form = h.Form1();
  form.Timer1.SetEnabled(false);
  ScriptedDevice& line = OpenPortOnCom2(h);
  h.State().Step.DebugMode = c.debugMode;
  h.State().Modem.EchoTriggerHandle = form.ApdComPort1.AddDataTrigger("\r", false);

  line.Deliver(c.received);
  h.loop.ProcessMessages(0);

  EXPECT_EQ(h.Log(), c.log);
  EXPECT_EQ(form.ApdComPort1.PeekInput(), c.received);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DebugEcho,
    ::testing::Values(EchoCase{"Debug", true, Replies, {"Prog HEX", "Program was successful"}},
                      EchoCase{"Normal", false, Replies, {}},
                      // Nothing from the line may steer the terminal that follows the log.
                      EchoCase{
                          "ControlCharacters", true, "\x1B[2JATY\bY14\x07\x7F\r", {"[2JATYY14"}}),
    [](const ::testing::TestParamInfo<EchoCase>& info) { return info.param.name; });

TEST(DebugEcho, EndsWithTheTransfer) {
  Harness h({}, {"/ud"});
  TForm1& form = h.Form1();
  form.Timer1.SetEnabled(false);
  ScriptedDevice& line = OpenPortOnCom2(h);
  h.State().Step.DebugMode = true;
  h.State().Modem.EchoTriggerHandle = form.ApdComPort1.AddDataTrigger("\r", false);
  h.State().Step.TransferPass = 2;

  form.ApdProtocol1.OnProtocolFinish(0);
  line.Deliver("\r\nProgram was successful\r\n");
  h.loop.ProcessMessages(0);

  EXPECT_EQ(h.Log(), (std::vector<std::string>{"Flash file upload sent successfully."}));
  EXPECT_EQ(h.State().Step.CurrentStep, 70);
}

}  // namespace
}  // namespace app::testing
