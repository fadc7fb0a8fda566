#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "package/package_state.h"
#include "platform/application.h"
#include "platform/widgets.h"
#include "text/event_log.h"

namespace package {

// What the package operations reach of the program: the step machine's variables, the main
// window's controls they touch, and the two window actions of a rejection.
struct PackageContext {
  text::EventLog& log;
  std::uint16_t& CurrentStep;
  const bool& DebugMode;
  const std::string& ProgramFileName;
  PackageState& state;
  platform::Application& app;                 // for the fatal box
  platform::Label& Label6;                    // port table heading, follows the language
  platform::MediaPlayer& MediaPlayer1;        // plays the alert sound
  std::function<void()> DestroySearchWindow;  // destroys Form2 if it still exists
  std::function<void()> CloseMainWindow;
};

}  // namespace package
