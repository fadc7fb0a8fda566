#include "app_harness.h"

#include <stdlib.h>

#include "platform/exceptions.h"

namespace app::testing {

std::unique_ptr<platform::SerialDevice> TestSerialPorts::Open(std::uint8_t comNumber) {
  const auto it = planted.find(comNumber);
  if (it == planted.end() || !it->second) {
    throw platform::Exception("COM" + std::to_string(comNumber) + " does not exist");
  }
  return std::move(it->second);
}

ScopedFolder::ScopedFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "app_test_XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a test folder");
  path_ = pattern;
}

ScopedFolder::~ScopedFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

namespace {

std::vector<std::string> CommandLine(std::vector<std::string> parameters) {
  parameters.insert(parameters.begin(), "/opt/tessary/tessary-flash");
  return parameters;
}

}  // namespace

Harness::Harness(Scenario scenario_, std::vector<std::string> parameters)
    : scenario(std::move(scenario_)),
      program(loop, serialPorts, sound, CommandLine(std::move(parameters)), &mirror,
              [this](TForm1& form, ProgramState& state) {
                auto fake =
                    std::make_unique<FakeOperations>(form, state, loop, scenario, folder.Path());
                operations = fake.get();
                return fake;
              }),
      user(loop, program.App()) {
  platform::Timer& timer = Form1().Timer1;
  timer.OnTimer = [this, stepMachine = timer.OnTimer] {
    steps.push_back(State().Step.CurrentStep);
    stepMachine();
  };
}

void Harness::Settle() {
  loop.RunUntil([this] { return loop.Terminated(); }, loop.Now() + 600 * Second);
}

void Harness::RunUntilStep(std::uint16_t step) {
  const std::size_t ticks = steps.size();
  loop.RunUntil([&] { return steps.size() > ticks && State().Step.CurrentStep == step; },
                loop.Now() + 600 * Second);
}

void Harness::RunUpgrade() {
  Start();
  Settle();
  if (State().Step.CurrentStep != 20) return;
  Form1().Button2.Click();
  Settle();
}

std::string Harness::Controls() {
  TForm1& form = Form1();
  const auto flag = [](bool on) { return on ? '1' : '0'; };
  std::string enabledBoxes;
  std::string tickedBoxes;
  for (std::uint8_t n = 1; n <= 4; ++n) {
    enabledBoxes += flag(form.PortCheckBox(n).Enabled());
    tickedBoxes += flag(form.PortCheckBox(n).Checked());
  }
  return std::string("quit=") + flag(form.Button1.Enabled()) +
         " flash=" + flag(form.Button2.Enabled()) + " startOver=" + flag(form.Button4.Enabled()) +
         " boxes=" + enabledBoxes + " ticked=" + tickedBoxes +
         " progress=" + flag(form.Label9.Visible()) + flag(form.Gauge1.Visible()) +
         " search=" + flag(form.Form2 != nullptr);
}

}  // namespace app::testing
