#include "modem/modem_dialogue.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "text/cp1252.h"

namespace modem {

void ModemDialogue::ProbePort(std::uint8_t portNumber) {
  const std::uint8_t n = platform::RangeChecked<std::uint8_t>(portNumber, 1, 4);
  platform::ComPort& port = ctx_.ApdComPort1;
  platform::Edit& row = RowEdit(n);
  const std::string& productName = ctx_.Settings.ProductName;
  port.SetComNumber(n);
  line_.Pause(300);
  try {
    port.SetOpen(true);
    line_.SendCommand("AT\r");
    switch (line_.WaitForReply("OK^Boot>", 36)) {
      case 0:
        LogForPort(text::msgNoDevice, n);
        row.SetText(ctx_.log.Text(text::msgNoModemFound));
        ctx_.Ports.DevicePresent[n] = 0;
        break;
      case 1:
        LogForPort(text::msgDevicePresent, n);
        ctx_.Ports.DevicePresent[n] = 1;
        break;
      case 2:
        LogForPort(text::msgInFlashMode, n);
        line_.Pause(100);
        line_.SendCommand("ATGM\r");
        switch (line_.WaitForReply("Starting Modem Code^Corrupt^Missing", 72)) {
          case 1:
            ctx_.Ports.DevicePresent[n] = 1;
            line_.Pause(800);  // while the modem code starts
            break;
          case 2:
            ctx_.Ports.DevicePresent[n] = 1;
            ctx_.Ports.CodeDamaged[n] = 1;
            ctx_.log.Add(text::msgCodeCorruptOnPort);
            break;
          case 3:
            ctx_.Ports.DevicePresent[n] = 1;
            ctx_.Ports.CodeDamaged[n] = 1;
            ctx_.log.Add(text::msgCodeMissingOnPort);
            break;
        }
        break;
    }
    line_.Pause(100);
    if (ctx_.Ports.DevicePresent[n] == 1) {
      line_.SendCommand("ATI3\r");
      if (line_.WaitForReply(productName + "^Boot>", 36) == 0) {
        row.SetText(ctx_.log.Text(text::msgModemIsNotA) + text::ToUtf8(productName) + ".");
        ctx_.Ports.DevicePresent[n] = 0;
      } else {
        row.SetText(text::ToUtf8(productName) + ctx_.log.Text(text::msgModemFound));
        ctx_.State.ModemCount = platform::CheckedAdd<std::uint8_t>(ctx_.State.ModemCount, 1);
        ctx_.CheckBoxes.at(n)->SetChecked(true);
        ctx_.Ports.ModemFound[n] = 1;
      }
    }
  } catch (const platform::Exception&) {
    row.SetText(ctx_.log.Text(text::msgNoModemFound));
  }
  ctx_.CurrentStep = static_cast<std::uint16_t>(n + 1);
  ctx_.Timer1.SetEnabled(true);
  port.SetOpen(false);
}

}  // namespace modem
