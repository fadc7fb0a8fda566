#pragma once

#include <cstdint>
#include <memory>
#include <ostream>

#include "app/program_state.h"
#include "app/search_window.h"
#include "modem/modem_state.h"
#include "platform/application.h"
#include "platform/ascii_protocol.h"
#include "platform/com_port.h"
#include "platform/serial_device.h"
#include "platform/timer.h"
#include "platform/widgets.h"
#include "text/event_log.h"

namespace app {

// The main window: the port table, the progress gauge, the event log, the three buttons, the
// menu, the step timer and the two serial components. Its handlers connect the user and the
// serial components to the step machine.
class TForm1 : public platform::Form {
 public:
  TForm1(platform::Application& app, ProgramState& state, platform::SerialPortFactory& serialPorts,
         std::ostream* logMirror);

  platform::MainMenu MainMenu1;
  platform::MenuItem File1;
  platform::MenuItem About1;

  platform::Panel Panel1;
  platform::Label Label5;
  platform::Label Label6;
  platform::Label Label7;
  platform::Label Label1;
  platform::Label Label2;
  platform::Label Label3;
  platform::Label Label4;
  platform::Edit Edit1;
  platform::Edit Edit2;
  platform::Edit Edit3;
  platform::Edit Edit4;
  platform::CheckBox CheckBox1;
  platform::CheckBox CheckBox2;
  platform::CheckBox CheckBox3;
  platform::CheckBox CheckBox4;

  platform::Panel ProgressPanel;
  platform::Label Label9;
  platform::Gauge Gauge1;

  platform::Panel LogPanel;
  platform::Label Label10;
  platform::Memo Memo1;

  platform::Button Button4;
  platform::Button Button2;
  platform::Button Button1;
  platform::MediaPlayer MediaPlayer1;

  platform::Timer Timer1;
  platform::ComPort ApdComPort1;
  platform::AsciiProtocol ApdProtocol1;

  // Appends to Memo1 in the package's language.
  text::EventLog Log;

  // The search window while discovery runs; empty otherwise.
  std::unique_ptr<TForm2> Form2;

  // The row of COM n (1..4); raises ERangeError for any other n.
  platform::Edit& PortEdit(std::uint8_t portNumber);
  platform::CheckBox& PortCheckBox(std::uint8_t portNumber);

  // For the operations that work on this window's port table (discovery fills the flags, the
  // flash passes read the chosen port).
  std::uint8_t& SelectedPortRef() { return SelectedPort; }
  modem::PortFlags& PortFlagsRef() { return Ports; }

  void FormShow();
  void Button1Click();
  void File1Click();
  void About1Click();
  void CheckBoxClick(std::uint8_t portNumber);
  void UpdateFlashButton();
  void Button2Click();
  void Button4Click();
  void ApdProtocol1ProtocolFinish(std::int32_t errorCode);
  void ApdProtocol1ProtocolError(std::int32_t errorCode);
  void ApdProtocol1ProtocolStatus(std::int32_t options);
  void ApdComPort1TriggerAvail(std::size_t count);
  void ApdComPort1TriggerData(std::uint16_t triggerHandle);

  void CreateSearchWindow();
  void DestroySearchWindow() { Form2.reset(); }

 private:
  void LayOut();
  void ConnectHandlers();
  void ResetDiscovery();
  void EndTransfer(text::MessageId outcome);

  ProgramState& state_;

  std::uint8_t SelectedPort = 0;
  modem::PortFlags Ports;
};

}  // namespace app
