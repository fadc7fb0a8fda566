#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/real_operations.h"
#include "app/step_machine.h"
#include "app/upgrade_operations.h"
#include "platform/application.h"
#include "platform/event_loop.h"
#include "platform/serial_device.h"
#include "platform/sound_output.h"

namespace app {

inline constexpr const char* ApplicationTitle = "Orvell Tessary Flash Utility";

// Makes the operations the step machine calls, working on this program's window and state.
using OperationsFactory =
    std::function<std::unique_ptr<UpgradeOperations>(TForm1& form, ProgramState& state)>;

// One run of the utility: the application object, the program's state and its main window,
// created once per run of main (and once per test).
class Program {
 public:
  // commandLine: word 0 is the program file's full path, then the parameters. Every log line
  // is also written to logMirror when it is given. Tests may put other operations in place of
  // the package and the modem dialogue.
  Program(platform::EventLoop& loop, platform::SerialPortFactory& serialPorts,
          platform::SoundOutput& sound, std::vector<std::string> commandLine,
          std::ostream* logMirror, const OperationsFactory& makeOperations = MakeRealOperations);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Shows the main window and dispatches events until it is closed.
  void Run();

  platform::Application& App() { return application_; }
  ProgramState& State() { return state_; }
  TForm1& Form1() { return *form1_; }

 private:
  platform::Application application_;
  ProgramState state_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<UpgradeOperations> operations_;
  std::unique_ptr<StepMachine> stepMachine_;
};

}  // namespace app
