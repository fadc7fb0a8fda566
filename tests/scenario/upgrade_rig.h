#pragma once

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/virtual/recorded_sound.h"
#include "platform/virtual/scripted_user.h"
#include "platform/virtual/virtual_event_loop.h"
#include "sim/simulated_ports.h"
#include "tests/package/package_sandbox.h"

// Whole upgrades on the virtual backend: a utility packaged by the packager, run as the real
// program with its real operations against simulated modems, a user clicking its window.
namespace scenario {

// What goes into a package: the HEX files' contents and the packager's trailer options
// (--product, --main-model, --country, --language, ...).
struct PackageRecipe {
  std::string mainHex;
  std::optional<std::string> bootHex = std::nullopt;
  std::vector<std::string> trailerOptions = {};
};

// A folder of its own (working directory and drive C:) holding a packaged utility. Its
// temporary files land in Work() and DriveC(); the inputs and the package lie beside them.
class PackagedUtility {
 public:
  explicit PackagedUtility(const PackageRecipe& recipe);

  const std::string& File() const { return file_; }
  // The files a run has left in the working directory and in drive C:.
  std::vector<std::string> FilesLeft() const;

  package_test::Sandbox sandbox;

 private:
  std::string file_;
};

// One run of a packaged utility: the program from start-up until its window closes.
class UpgradeRun {
 public:
  explicit UpgradeRun(const std::string& programFile, std::vector<std::string> parameters = {});

  // A user with one modem in mind, reading the log in the package's language: FLASH! when
  // asked, OK on every box (its text kept in BoxTexts), and after each end Start Over while
  // startOvers last, then Quit.
  void PlayUser(std::uint8_t languageIndex, int startOvers = 0);
  // Dispatches events until the main window is closed.
  void Run() { program_.Run(); }

  platform::VirtualEventLoop& Loop() { return loop_; }
  sim::SimulatedPorts& Ports() { return ports_; }
  const platform::RecordedSound& Sound() const { return sound_; }
  app::TForm1& Form1() { return program_.Form1(); }
  platform::ScriptedUser& User() { return user_; }

  const std::vector<std::string>& Log() { return Form1().Memo1.Lines(); }
  // Every line the log has shown, also those that Start Over cleared from the window.
  std::vector<std::string> MirroredLines() const;
  const std::vector<std::string>& BoxTexts() const { return boxTexts_; }

 private:
  void PressFlashWhenAsked();
  void AnswerBoxes();
  void AfterEachEnd(int startOvers);

  platform::VirtualEventLoop loop_;
  sim::SimulatedPorts ports_{loop_};
  platform::RecordedSound sound_;
  std::ostringstream mirror_;
  app::Program program_;
  platform::ScriptedUser user_;
  std::uint8_t languageIndex_ = 1;
  std::vector<std::string> boxTexts_;
};

}  // namespace scenario
