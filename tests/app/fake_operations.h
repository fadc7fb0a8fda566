#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/upgrade_operations.h"
#include "platform/virtual/virtual_event_loop.h"

namespace app::testing {

// What the package and the modems on the line do in one test.
struct Scenario {
  std::vector<std::uint8_t> modems = {2};  // ports where discovery finds a modem
  std::vector<std::uint8_t> damaged = {};  // of those, modems whose code is damaged
  std::int32_t bootLength = 0;
  std::int32_t mainLength = 269730;
  std::string bootModel = {};
  std::string productName = "Tessary 56K";  // code page 1252, as in the trailer
  bool ignoreModel = false;
  // "Operation@step" for each operation that fails at that step: a boolean operation returns
  // false, an extraction or expansion asks for step 99, a transfer ends with a protocol error,
  // a verdict leaves ModemCodeVerdict 0. "CountryRejected@21" rejects the modem.
  std::set<std::string> failing = {};
  // "Operation@step" for each operation that throws an input/output error there.
  std::set<std::string> throwing = {};
};

// The package and modem operations, played from a Scenario. Every call is recorded, with the
// step it came from; the HEX files are real files in a folder of the test's own.
class FakeOperations : public UpgradeOperations {
 public:
  FakeOperations(TForm1& form, ProgramState& state, platform::VirtualEventLoop& loop,
                 const Scenario& scenario, std::filesystem::path folder);

  void DeleteTemporaryFiles() override;
  bool ReadPackageTrailer() override;
  void DecodePackageTrailer() override;
  void ApplyPackageSettings() override;
  void LogPackageInfo() override;
  void ExtractBootArchive() override;
  void ExpandBootArchive() override;
  void ExtractMainArchive() override;
  void ExpandMainArchive() override;
  void RejectUtility() override;
  void Pause(std::uint16_t milliseconds) override;
  void ProbePort(std::uint8_t portNumber) override;
  bool CheckCountry() override;
  bool EnterFlashMode() override;
  bool CheckBootProduct() override;
  bool CheckMainProduct() override;
  bool EnterProgramming() override;
  void SendCommand(std::string_view command) override;
  void StartHexTransfer() override;
  void AwaitProgrammingVerdict(std::uint16_t delayMs) override;
  void RewriteNvramTemplates() override;

  // "Operation(argument)" per call, in order.
  const std::vector<std::string>& Calls() const { return calls_; }
  std::filesystem::path HexFile(bool boot) const {
    return folder_ / (boot ? "boot.hex" : "main.hex");
  }

  // Runs before each operation, with its record; lets a test act in the middle of a step.
  std::function<void(const std::string& call)> OnCall;

 private:
  // Records the call; true when the scenario fails it at the current step.
  bool Record(const std::string& name, const std::string& argument = {});
  void Extract(bool boot, std::uint16_t nextStep);
  void Expand(bool boot, std::uint16_t nextStep);

  TForm1& form_;
  ProgramState& state_;
  platform::VirtualEventLoop& loop_;
  const Scenario& scenario_;
  std::filesystem::path folder_;
  std::vector<std::string> calls_;
};

}  // namespace app::testing
