#include "modem/modem_dialogue.h"
#include "platform/exceptions.h"

namespace modem {

bool ModemDialogue::EnterFlashMode() {
  const std::uint8_t p = SelectedPort();
  platform::ComPort& port = ctx_.ApdComPort1;
  port.SetComNumber(p);
  line_.Pause(500);
  try {
    port.SetOpen(true);
    if (ctx_.Ports.CodeDamaged[p] == 1) {
      LogForPort(text::msgEnteringFlashMode, p);  // it waits in its boot code already
      return true;
    }
    line_.Pause(500);
    line_.SendCommand("ATGBOOT5\r");
    line_.Pause(100);
    line_.SendCommand("\r");
    if (line_.WaitForReply("ERROR^Boot>", 100) == 2) {
      LogForPort(text::msgEnteringFlashMode, p);
      return true;
    }
    ctx_.log.Add(text::msgNoFlashCapability);
    port.SetOpen(false);
    return false;
  } catch (const platform::Exception&) {
    ctx_.log.Add(text::msgCannotOpenPort);
    return false;
  }
}

bool ModemDialogue::EnterProgramming() {
  const std::uint8_t p = SelectedPort();
  line_.Pause(500);
  line_.SendCommand("AT{A}\r");
  switch (line_.WaitForReply("ERROR^Prog HEX", 36)) {
    case 2:
      LogForPort(text::msgProgrammingFlashrom, p);
      return true;
    case 1:
      ctx_.log.Add(text::msgNoFlashCapability);
      break;
    default:
      ctx_.log.Add(text::msgNotRespondingAbort);
      RowEdit(p).SetText(ctx_.log.Text(text::msgNoModemFound));
      break;
  }
  ctx_.ApdComPort1.SetOpen(false);
  return false;
}

void ModemDialogue::StartHexTransfer() {
  if (ctx_.DebugMode) ctx_.State.EchoTriggerHandle = ctx_.ApdComPort1.AddDataTrigger("\r", false);
  ctx_.Gauge1.SetMaxValue(ctx_.Pass.HexFileSize);
  line_.Pause(300);
  ctx_.ApdProtocol1.SetProtocolType(platform::ProtocolType::Ascii);
  ctx_.ApdProtocol1.SetFileMask(ctx_.Pass.HexFileName);
  ctx_.ApdProtocol1.StartTransmit();
}

void ModemDialogue::AwaitProgrammingVerdict(std::uint16_t delayMs) {
  // Silence counts as success: the modem's answer to ATGM decides.
  if (line_.WaitForReply("Program was successful^No RX data timeout", 36) == 2) {
    ctx_.log.Add(text::msgProgrammingFailed);
  } else {
    ctx_.log.Add(text::msgCheckingIntegrity);
  }
  line_.Pause(delayMs);
  StartModemCode();
}

void ModemDialogue::StartModemCode() {
  line_.Pause(1000);
  line_.SendCommand("ATGM\r");
  switch (line_.WaitForReply("OK^Starting^Corrupt", 72)) {
    case 0:
      ctx_.log.Add(text::msgNotResponding);
      ctx_.State.ModemCodeVerdict = 0;
      break;
    case 1:
      ctx_.log.Add(text::msgCommandMode);
      ctx_.State.ModemCodeVerdict = 0;
      LeftBootCode();
      break;
    case 2:
      line_.Pause(800);
      ctx_.log.Add(text::msgStartingModemCode);
      ctx_.State.ModemCodeVerdict = 1;
      LeftBootCode();
      break;
    case 3:
      ctx_.log.Add(text::msgCodeCorrupt);
      ctx_.State.ModemCodeVerdict = 1;
      break;
  }
}

// A modem found with damaged code runs its code again: the next pass must switch it into its
// boot code instead of taking it to wait there still.
void ModemDialogue::LeftBootCode() {
  ctx_.Ports.CodeDamaged[SelectedPort()] = 0;
}

void ModemDialogue::RewriteNvramTemplates() {
  line_.Pause(200);
  try {
    ctx_.ApdComPort1.SetOpen(true);
    line_.Pause(500);
    line_.SendCommand("AT&F1S0=0&W&F2S0=0&W1YZ\r");
    line_.Pause(500);
  } catch (const platform::Exception&) {
    ctx_.log.Add(text::msgCannotOpenPort);
  }
}

}  // namespace modem
