#pragma once

#include <memory>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/upgrade_operations.h"
#include "modem/modem_dialogue.h"
#include "package/firmware_package.h"

namespace app {

// The step machine's operations done by the firmware package and the modem dialogue, working
// on the main window's controls and the program's state.
class RealOperations : public UpgradeOperations {
 public:
  RealOperations(TForm1& form, ProgramState& state);

  void DeleteTemporaryFiles() override { package_.DeleteTemporaryFiles(); }
  bool ReadPackageTrailer() override { return package_.ReadPackageTrailer(); }
  void DecodePackageTrailer() override { package_.DecodePackageTrailer(); }
  void ApplyPackageSettings() override { package_.ApplyPackageSettings(); }
  void LogPackageInfo() override { package_.LogPackageInfo(); }
  void ExtractBootArchive() override { package_.ExtractBootArchive(); }
  void ExpandBootArchive() override { package_.ExpandBootArchive(); }
  void ExtractMainArchive() override { package_.ExtractMainArchive(); }
  void ExpandMainArchive() override { package_.ExpandMainArchive(); }
  void RejectUtility() override { package_.RejectUtility(); }

  void Pause(std::uint16_t milliseconds) override { modem_.Line().Pause(milliseconds); }
  void ProbePort(std::uint8_t portNumber) override { modem_.ProbePort(portNumber); }
  bool CheckCountry() override { return modem_.CheckCountry(); }
  bool EnterFlashMode() override { return modem_.EnterFlashMode(); }
  bool CheckBootProduct() override { return modem_.CheckBootProduct(); }
  bool CheckMainProduct() override { return modem_.CheckMainProduct(); }
  bool EnterProgramming() override { return modem_.EnterProgramming(); }
  void SendCommand(std::string_view command) override { modem_.Line().SendCommand(command); }
  void StartHexTransfer() override { modem_.StartHexTransfer(); }
  void AwaitProgrammingVerdict(std::uint16_t delayMs) override {
    modem_.AwaitProgrammingVerdict(delayMs);
  }
  void RewriteNvramTemplates() override { modem_.RewriteNvramTemplates(); }

 private:
  package::FirmwarePackage package_;
  modem::ModemDialogue modem_;
};

std::unique_ptr<UpgradeOperations> MakeRealOperations(TForm1& form, ProgramState& state);

}  // namespace app
