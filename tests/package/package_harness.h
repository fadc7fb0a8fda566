#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "package/firmware_package.h"
#include "package/package_context.h"
#include "platform/application.h"
#include "platform/virtual/recorded_sound.h"
#include "platform/virtual/virtual_event_loop.h"
#include "platform/widgets.h"
#include "text/event_log.h"

namespace package_test {

// The parts of the program the package operations reach, built from the real widget model on
// the virtual backend.
struct PackageHarness {
  explicit PackageHarness(std::string programFile, bool soundDevice = true)
      : ProgramFileName(std::move(programFile)), sound(soundDevice) {
    label6.SetCaption("Modem Type Installed");
  }

  package::FirmwarePackage Package() {
    return package::FirmwarePackage(
        package::PackageContext{log, CurrentStep, DebugMode, ProgramFileName, state, app, label6,
                                player, [this] { windowActions.push_back("DestroySearchWindow"); },
                                [this] { windowActions.push_back("CloseMainWindow"); }});
  }
  const std::vector<std::string>& Lines() const { return memo.Lines(); }

  std::uint16_t CurrentStep = 0;
  bool DebugMode = false;
  std::string ProgramFileName;
  package::PackageState state;
  std::vector<std::string> windowActions;

  platform::VirtualEventLoop loop;
  platform::RecordedSound sound;
  platform::Application app{loop, sound};
  platform::Form form1{app, nullptr, "Form1"};
  platform::Memo memo{&form1, "Memo1"};
  platform::Label label6{&form1, "Label6"};
  platform::MediaPlayer player{&form1, "MediaPlayer1", sound};
  text::EventLog log{memo, nullptr, state.Settings.LanguageIndex};
};

}  // namespace package_test
