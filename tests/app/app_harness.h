#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "fake_operations.h"
#include "platform/serial_device.h"
#include "platform/virtual/recorded_sound.h"
#include "platform/virtual/scripted_user.h"
#include "platform/virtual/virtual_event_loop.h"

namespace app::testing {

inline constexpr platform::VirtualEventLoop::Micros Second = 1'000'000;

// A table row prints as its name in test output.
template <typename Row>
requires requires(const Row& row) {
  row.name;
}
void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

// COM ports for a test: the devices it plants, and for every other port a failed open, as for
// a port that does not exist.
class TestSerialPorts : public platform::SerialPortFactory {
 public:
  std::unique_ptr<platform::SerialDevice> Open(std::uint8_t comNumber) override;
  std::map<std::uint8_t, std::unique_ptr<platform::SerialDevice>> planted;
};

// A folder of the test's own, removed with everything in it.
class ScopedFolder {
 public:
  ScopedFolder();
  ~ScopedFolder();
  ScopedFolder(const ScopedFolder&) = delete;
  ScopedFolder& operator=(const ScopedFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// One run of the program on the virtual backend with fake operations, and a user before it.
class Harness {
 public:
  explicit Harness(Scenario scenario = {}, std::vector<std::string> parameters = {});

  TForm1& Form1() { return program.Form1(); }
  ProgramState& State() { return program.State(); }
  FakeOperations& Operations() { return *operations; }
  const std::vector<std::string>& Log() { return Form1().Memo1.Lines(); }

  // Shows the main window: its timer then runs step 0.
  void Start() { Form1().Show(); }
  // Runs until the machine waits with its timer off and nothing else is due, or the program
  // has ended.
  void Settle();
  // Runs until a tick has left the machine at `step`.
  void RunUntilStep(std::uint16_t step);
  // From start-up to the choice, FLASH!, and on to the end.
  void RunUpgrade();

  // The control states that tell the phases apart, as one line: Quit, FLASH!, Start Over, the
  // enabled and the ticked boxes, the progress display, and the search window.
  std::string Controls();

  Scenario scenario;
  ScopedFolder folder;
  platform::VirtualEventLoop loop;
  TestSerialPorts serialPorts;
  platform::RecordedSound sound;
  std::ostringstream mirror;
  FakeOperations* operations = nullptr;
  Program program;
  platform::ScriptedUser user;
  std::vector<std::uint16_t> steps;  // CurrentStep at every tick
};

}  // namespace app::testing
