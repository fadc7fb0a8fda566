#pragma once

#include <cstdint>
#include <string_view>

namespace app {

// The work of the package and modem subsystems as the step machine calls it. Each operation
// writes its own log lines; those that "ask for a step" set CurrentStep themselves.
class UpgradeOperations {
 public:
  virtual ~UpgradeOperations() = default;

  // Firmware package.
  virtual void DeleteTemporaryFiles() = 0;
  virtual bool ReadPackageTrailer() = 0;
  virtual void DecodePackageTrailer() = 0;
  virtual void ApplyPackageSettings() = 0;
  virtual void LogPackageInfo() = 0;
  virtual void ExtractBootArchive() = 0;  // asks for step 24, or 99
  virtual void ExpandBootArchive() = 0;   // asks for step 25, or 99
  virtual void ExtractMainArchive() = 0;  // asks for step 54, or 99
  virtual void ExpandMainArchive() = 0;   // asks for step 55, or 99
  // Alert, fatal box, main window closed: the program ends.
  virtual void RejectUtility() = 0;

  // Modem line and dialogue.
  virtual void Pause(std::uint16_t milliseconds) = 0;
  // Fills port n's row and flags, then asks for step n + 1, switches Timer1 on and closes
  // the port.
  virtual void ProbePort(std::uint8_t portNumber) = 0;
  // Sets CountryRejected; false when the port could not be opened (the upgrade ends).
  virtual bool CheckCountry() = 0;
  virtual bool EnterFlashMode() = 0;
  virtual bool CheckBootProduct() = 0;
  virtual bool CheckMainProduct() = 0;
  virtual bool EnterProgramming() = 0;
  virtual void SendCommand(std::string_view command) = 0;
  // Returns with the transfer running; its end arrives as a protocol event.
  virtual void StartHexTransfer() = 0;
  // Logs the verdict, waits delayMs and restarts the modem code (sets ModemCodeVerdict).
  virtual void AwaitProgrammingVerdict(std::uint16_t delayMs) = 0;
  virtual void RewriteNvramTemplates() = 0;
};

}  // namespace app
