#include "app/program.h"

namespace app {

Program::Program(platform::EventLoop& loop, platform::SerialPortFactory& serialPorts,
                 platform::SoundOutput& sound, std::vector<std::string> commandLine,
                 std::ostream* logMirror, const OperationsFactory& makeOperations)
    : application_(loop, sound) {
  application_.SetTitle(ApplicationTitle);
  // As the first form it becomes the main form; its timer runs from here on.
  form1_ = std::make_unique<TForm1>(application_, state_, serialPorts, logMirror);
  operations_ = makeOperations(*form1_, state_);
  stepMachine_ =
      std::make_unique<StepMachine>(*form1_, state_, *operations_, std::move(commandLine));
}

Program::~Program() = default;

void Program::Run() {
  form1_->Show();
  application_.Run();
}

}  // namespace app
