#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "modem/modem_dialogue.h"
#include "package/package_state.h"
#include "platform/ascii_protocol.h"
#include "platform/com_port.h"
#include "platform/timer.h"
#include "platform/virtual/virtual_event_loop.h"
#include "platform/widgets.h"
#include "sim/simulated_ports.h"
#include "text/event_log.h"

namespace modem_test {

constexpr std::int64_t TickMicros = 55'000;

// The window's part of the dialogue, without the window: virtual line, port, protocol, log,
// port rows and program state, all on one virtual clock.
class DialogueTest : public ::testing::Test {
 protected:
  DialogueTest() {
    settings.ProductName = "Tessary 336";
    settings.BootModel = "xx518200";
    settings.MainModel = "xx518200";
  }

  modem::ModemContext Context() {
    return modem::ModemContext{
        .loop = loop,
        .ApdComPort1 = port,
        .ApdProtocol1 = protocol,
        .Timer1 = timer,
        .log = log,
        .Edits = {nullptr, &edits[0], &edits[1], &edits[2], &edits[3]},
        .CheckBoxes = {nullptr, &boxes[0], &boxes[1], &boxes[2], &boxes[3]},
        .Gauge1 = gauge,
        .CurrentStep = currentStep,
        .SelectedPort = selectedPort,
        .Ports = ports,
        .State = state,
        .DebugMode = debugMode,
        .PackageInfo = packageInfo,
        .Settings = settings,
        .Pass = pass,
    };
  }

  const std::vector<std::string>& Log() const { return memo.Lines(); }
  void RunFor(std::int64_t micros) {
    loop.RunUntil([] { return false; }, loop.Now() + micros);
  }

  platform::VirtualEventLoop loop;
  sim::SimulatedPorts com{loop};
  platform::ComPort port{loop, com};
  platform::AsciiProtocol protocol{loop, port};
  platform::Timer timer{loop, 200, false};
  platform::Memo memo{nullptr, "Memo1"};
  std::uint8_t languageIndex = 1;
  text::EventLog log{memo, nullptr, languageIndex};
  std::array<platform::Edit, 4> edits{
      platform::Edit{nullptr, "Edit1"}, platform::Edit{nullptr, "Edit2"},
      platform::Edit{nullptr, "Edit3"}, platform::Edit{nullptr, "Edit4"}};
  std::array<platform::CheckBox, 4> boxes{
      platform::CheckBox{nullptr, "CheckBox1"}, platform::CheckBox{nullptr, "CheckBox2"},
      platform::CheckBox{nullptr, "CheckBox3"}, platform::CheckBox{nullptr, "CheckBox4"}};
  platform::Gauge gauge{nullptr, "Gauge1"};
  std::uint16_t currentStep = 0;
  std::uint8_t selectedPort = 1;
  modem::PortFlags ports;
  modem::ModemState state;
  bool debugMode = false;
  package::PackageInfo packageInfo;
  package::PackageSettings settings;
  package::PassFiles pass;
  modem::ModemDialogue dialogue{Context()};
};

}  // namespace modem_test
