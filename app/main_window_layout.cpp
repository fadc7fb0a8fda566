#include "app/main_window.h"

namespace app {
namespace {

using platform::Color;
using platform::Font;

Font ColouredFont(Color color) {
  return Font{.color = color};
}

}  // namespace

TForm1::TForm1(platform::Application& app, ProgramState& state,
               platform::SerialPortFactory& serialPorts, std::ostream* logMirror)
    : Form(app, nullptr, "Form1"),
      File1("File1", "E&xit"),
      About1("About1", "&About"),
      Panel1(this, "Panel1"),
      Label5(&Panel1, "Label5"),
      Label6(&Panel1, "Label6"),
      Label7(&Panel1, "Label7"),
      Label1(&Panel1, "Label1"),
      Label2(&Panel1, "Label2"),
      Label3(&Panel1, "Label3"),
      Label4(&Panel1, "Label4"),
      Edit1(&Panel1, "Edit1"),
      Edit2(&Panel1, "Edit2"),
      Edit3(&Panel1, "Edit3"),
      Edit4(&Panel1, "Edit4"),
      CheckBox1(&Panel1, "CheckBox1"),
      CheckBox2(&Panel1, "CheckBox2"),
      CheckBox3(&Panel1, "CheckBox3"),
      CheckBox4(&Panel1, "CheckBox4"),
      ProgressPanel(this, ""),
      Label9(&ProgressPanel, "Label9"),
      Gauge1(&ProgressPanel, "Gauge1"),
      LogPanel(this, ""),
      Label10(&LogPanel, "Label10"),
      Memo1(&LogPanel, "Memo1"),
      Button4(this, "Button4"),
      Button2(this, "Button2"),
      Button1(this, "Button1"),
      MediaPlayer1(this, "MediaPlayer1", app.Sound()),
      Timer1(app.Loop(), 200, true),
      ApdComPort1(app.Loop(), serialPorts),
      ApdProtocol1(app.Loop(), ApdComPort1),
      Log(Memo1, logMirror, state.Package.Settings.LanguageIndex),
      state_(state) {
  LayOut();
  ConnectHandlers();
}

void TForm1::LayOut() {
  SetCaption("Orvell Tessary Software Upgrade");
  SetClientSize(492, 418);
  SetBorderStyle(platform::BorderStyle::Single);
  SetBorderIcons(true, true, false);
  SetCentered(true);
  MainMenu1.Add(File1);
  MainMenu1.Add(About1);
  SetMenu(&MainMenu1);

  // Labels without a size take the size of their caption.
  Panel1.SetBounds(8, 8, 475, 149);
  Label5.SetBounds(8, 16, 0, 0);
  Label5.SetCaption("Port");
  Label5.SetFont(ColouredFont(Color::Navy));
  Label6.SetBounds(72, 16, 0, 0);
  Label6.SetCaption("Modem Type Installed");
  Label6.SetFont(ColouredFont(Color::Maroon));
  Label7.SetBounds(420, 20, 0, 0);
  Label7.SetCaption("Flash");
  Label7.SetFont(ColouredFont(Color::Purple));

  platform::Label* const portLabels[] = {&Label1, &Label2, &Label3, &Label4};
  constexpr int rowTops[] = {44, 68, 92, 116};
  constexpr int editTops[] = {40, 64, 88, 112};
  constexpr int checkBoxTops[] = {40, 64, 88, 116};
  for (std::uint8_t n = 1; n <= 4; ++n) {
    platform::Label& label = *portLabels[n - 1];
    label.SetBounds(8, rowTops[n - 1], 0, 0);
    label.SetCaption("COM" + std::to_string(n));
    label.SetFont(ColouredFont(Color::Navy));
    platform::Edit& edit = PortEdit(n);
    edit.SetBounds(66, editTops[n - 1], 331, 21);
    edit.SetEnabled(false);
    edit.SetFont(ColouredFont(Color::Maroon));
    platform::CheckBox& checkBox = PortCheckBox(n);
    checkBox.SetBounds(428, checkBoxTops[n - 1], 17, 17);
    checkBox.SetEnabled(false);
  }

  ProgressPanel.SetBounds(8, 164, 475, 49);
  Label9.SetBounds(8, 18, 0, 0);
  Label9.SetCaption("Flash Progress:");
  Label9.SetVisible(false);
  Gauge1.SetBounds(90, 14, 371, 22);
  Gauge1.SetVisible(false);
  Gauge1.SetForeColor(Color::Aqua);
  Gauge1.SetColor(Color::ButtonFace);

  LogPanel.SetBounds(8, 220, 475, 161);
  Label10.SetBounds(184, 14, 0, 0);
  Label10.SetCaption("System events:");
  Label10.SetFont(Font{.pixelHeight = 13, .bold = true, .color = Color::Blue});
  Memo1.SetBounds(8, 44, 457, 105);
  Memo1.SetReadOnly(true);
  Memo1.SetVerticalScrollBar(true);
  Memo1.SetWordWrap(false);

  Button4.SetBounds(119, 388, 75, 25);
  Button4.SetCaption("&Start Over");
  Button4.SetEnabled(false);
  Button2.SetBounds(206, 388, 75, 25);
  Button2.SetCaption("&FLASH!");
  Button2.SetEnabled(false);
  Button2.SetFont(Font{.bold = true, .color = Color::Black});
  Button1.SetBounds(293, 388, 75, 25);
  Button1.SetCaption("&Quit");
  Button1.SetCancel(true);

  MediaPlayer1.SetBounds(28, 386, 29, 30);
  MediaPlayer1.SetVisible(false);

  ApdComPort1.SetComNumber(1);
  ApdComPort1.SetBaud(115200);
  ApdProtocol1.SetProtocolType(platform::ProtocolType::Ascii);
  ApdProtocol1.SetFileMask("*.*");
}

void TForm1::ConnectHandlers() {
  OnShow = [this] { FormShow(); };
  File1.OnClick = [this] { File1Click(); };
  About1.OnClick = [this] { About1Click(); };
  for (std::uint8_t n = 1; n <= 4; ++n) {
    PortCheckBox(n).OnClick = [this, n] { CheckBoxClick(n); };
  }
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  Button4.OnClick = [this] { Button4Click(); };
  ApdComPort1.OnTriggerAvail = [this](std::size_t count) { ApdComPort1TriggerAvail(count); };
  ApdComPort1.OnTriggerData = [this](std::uint16_t handle) { ApdComPort1TriggerData(handle); };
  ApdProtocol1.OnProtocolFinish = [this](std::int32_t code) { ApdProtocol1ProtocolFinish(code); };
  ApdProtocol1.OnProtocolError = [this](std::int32_t code) { ApdProtocol1ProtocolError(code); };
  ApdProtocol1.OnProtocolStatus = [this](std::int32_t options) {
    ApdProtocol1ProtocolStatus(options);
  };
}

}  // namespace app
