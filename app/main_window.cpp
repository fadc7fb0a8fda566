#include "app/main_window.h"

#include <string>

#include "app/about_box.h"
#include "platform/exceptions.h"
#include "text/cp1252.h"

namespace app {

platform::Edit& TForm1::PortEdit(std::uint8_t portNumber) {
  switch (portNumber) {
    case 1:
      return Edit1;
    case 2:
      return Edit2;
    case 3:
      return Edit3;
    case 4:
      return Edit4;
  }
  throw platform::ERangeError();
}

platform::CheckBox& TForm1::PortCheckBox(std::uint8_t portNumber) {
  switch (portNumber) {
    case 1:
      return CheckBox1;
    case 2:
      return CheckBox2;
    case 3:
      return CheckBox3;
    case 4:
      return CheckBox4;
  }
  throw platform::ERangeError();
}

void TForm1::ResetDiscovery() {
  state_.Step.CurrentStep = 0;
  state_.Modem.ModemCount = 0;
  SelectedPort = 0;
  Ports = modem::PortFlags{};
}

void TForm1::FormShow() {
  ResetDiscovery();
}

void TForm1::Button1Click() {
  ApdComPort1.SetOpen(false);
  Close();
}

void TForm1::File1Click() {
  Close();
}

void TForm1::About1Click() {
  TAboutBox aboutBox(App(), this);
  aboutBox.ShowModal();
}

void TForm1::CheckBoxClick(std::uint8_t portNumber) {
  if (PortCheckBox(portNumber).Checked()) {
    for (std::uint8_t other = 1; other <= 4; ++other) {
      if (other != portNumber) PortCheckBox(other).SetChecked(false);
    }
  }
  UpdateFlashButton();
}

void TForm1::UpdateFlashButton() {
  bool anyTicked = false;
  for (std::uint8_t n = 1; n <= 4; ++n)
    anyTicked = anyTicked || PortCheckBox(n).Checked();
  Button2.SetEnabled(anyTicked && state_.Step.CurrentStep > 4);
}

void TForm1::Button2Click() {
  // Pressed before step 20 ran: the search window must not stay up during flashing.
  DestroySearchWindow();
  state_.Step.CurrentStep = 21;
  Timer1.SetEnabled(true);
}

void TForm1::Button4Click() {
  // Pressed before step 20 ran: step 0 is about to open a new search window.
  DestroySearchWindow();
  ResetDiscovery();
  state_.Modem.CountryRejected = 0;
  Timer1.SetEnabled(true);
  for (std::uint8_t n = 1; n <= 4; ++n)
    PortEdit(n).SetText("");
  Memo1.Clear();
  Button2.SetEnabled(false);
  Button4.SetEnabled(false);
  for (std::uint8_t n = 1; n <= 4; ++n)
    PortCheckBox(n).SetChecked(false);
  for (std::uint8_t n = 1; n <= 4; ++n)
    PortCheckBox(n).SetEnabled(false);
}

void TForm1::CreateSearchWindow() {
  Form2 = std::make_unique<TForm2>(App(), this);
  Form2->Show();
}

void TForm1::EndTransfer(text::MessageId outcome) {
  if (state_.Step.DebugMode) {
    ApdComPort1.RemoveTrigger(static_cast<std::uint16_t>(state_.Modem.EchoTriggerHandle));
  }
  Log.Add(outcome);
  state_.Step.CurrentStep = state_.Step.TransferPass == 1 ? 40 : 70;
  Timer1.SetEnabled(true);
}

void TForm1::ApdProtocol1ProtocolFinish(std::int32_t) {
  EndTransfer(text::msgUploadSent);
  Button1.SetEnabled(true);
}

// The modem's own verdict, read by the next step, decides how the upgrade goes on.
void TForm1::ApdProtocol1ProtocolError(std::int32_t) {
  EndTransfer(text::msgUploadIncomplete);
}

void TForm1::ApdProtocol1ProtocolStatus(std::int32_t) {
  Gauge1.AddProgress(ApdProtocol1.BlockLength());
}

// The bytes reported are copied, not taken: the verdict wait after the transfer must still see
// what the modem said.
void TForm1::ApdComPort1TriggerAvail(std::size_t) {
  if (state_.Step.DebugMode) state_.Modem.DebugEcho += ApdComPort1.PeekAvail();
}

void TForm1::ApdComPort1TriggerData(std::uint16_t triggerHandle) {
  if (!state_.Step.DebugMode || triggerHandle != state_.Modem.EchoTriggerHandle) return;
  std::string& echo = state_.Modem.DebugEcho;
  if (echo.size() > 4) {
    // A log line holds one line of text: the modem's line ends and other control characters
    // are not part of it, and must not reach the terminal that follows the log.
    std::string line = echo;
    std::erase_if(line, [](char c) {
      const auto byte = static_cast<unsigned char>(c);
      return byte < 0x20 || byte == 0x7F;
    });
    Log.Add(text::ToUtf8(line));
  }
  echo.clear();
}

}  // namespace app
