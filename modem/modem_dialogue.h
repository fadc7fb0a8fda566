#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "modem/modem_context.h"
#include "modem/modem_line.h"
#include "text/message_catalogue.h"

namespace modem {

// The dialogues with the modem: discovery of one port, the product and country checks, and
// the flash programming dialogue with the boot code. Each writes its own log lines.
class ModemDialogue {
 public:
  explicit ModemDialogue(const ModemContext& context)
      : ctx_(context), line_(context.loop, context.ApdComPort1) {}

  ModemLine& Line() { return line_; }

  // Fills COM n's row and flags; then asks for step n + 1, switches Timer1 on and closes the
  // port, whatever was found.
  void ProbePort(std::uint8_t portNumber);

  bool CheckBootProduct();
  bool CheckMainProduct();
  // Sets CountryRejected. False, with msgCannotOpenPort logged and CountryRejected 0, when the
  // port could not be opened: the upgrade then ends.
  bool CheckCountry();

  bool EnterFlashMode();
  bool EnterProgramming();
  void StartHexTransfer();
  void AwaitProgrammingVerdict(std::uint16_t delayMs);
  void StartModemCode();
  void RewriteNvramTemplates();

 private:
  bool CheckProduct(const std::string& modelCode, std::string_view passMark);
  std::uint8_t SelectedPort() const;
  platform::Edit& RowEdit(std::uint8_t portNumber) const;
  // The message followed by the port number and a full stop.
  void LogForPort(text::MessageId id, std::uint8_t portNumber);
  void LeftBootCode();

  ModemContext ctx_;
  ModemLine line_;
};

}  // namespace modem
