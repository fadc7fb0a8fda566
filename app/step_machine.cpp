#include "app/step_machine.h"

#include "app/command_line.h"
#include "package/temporary_files.h"
#include "text/cp1252.h"

namespace app {

using namespace text;

StepMachine::StepMachine(TForm1& form, ProgramState& state, UpgradeOperations& operations,
                         std::vector<std::string> commandLine)
    : form_(form), state_(state), operations_(operations), commandLine_(std::move(commandLine)) {
  form_.Timer1.OnTimer = [this] { Timer1Timer(); };
}

StepMachine::~StepMachine() {
  form_.Timer1.OnTimer = nullptr;
}

void StepMachine::Timer1Timer() {
  switch (state_.Step.CurrentStep) {
    case 0:
      return StartUp();
    case 1:
    case 2:
    case 3:
    case 4:
      return ProbePort(static_cast<std::uint8_t>(state_.Step.CurrentStep));
    case 5:
      return SummariseDiscovery();
    case 20:
      return WaitForUser();
    case 21:
      return BeginFlashing();
    case 22:
      return RunPackageStep(&UpgradeOperations::ExtractBootArchive);
    case 24:
      return RunPackageStep(&UpgradeOperations::ExpandBootArchive);
    case 25:
      return PrepareBootPass();
    case 30:
      return StartTransfer(1);
    case 40:
      return JudgeBootPass();
    case 50:
      return EndBootPass();
    case 52:
      return RunPackageStep(&UpgradeOperations::ExtractMainArchive);
    case 54:
      return RunPackageStep(&UpgradeOperations::ExpandMainArchive);
    case 55:
      return PrepareMainPass();
    case 60:
      return StartTransfer(2);
    case 70:
      return JudgeMainPass();
    case 90:
      return Finish();
    case 95:
      return Fail();
    case 99:
      return End();
  }
}

void StepMachine::StartUp() {
  operations_.DeleteTemporaryFiles();
  form_.Timer1.SetEnabled(false);
  ReadCommandLine(commandLine_, state_.Step);
  operations_.ReadPackageTrailer();
  operations_.DecodePackageTrailer();
  operations_.ApplyPackageSettings();
  form_.Log.Add(ToUtf8(state_.Package.Settings.ProductName) +
                form_.Log.Text(msgUtilityInitialized));
  if (state_.Step.DebugMode) operations_.LogPackageInfo();
  operations_.Pause(500);
  operations_.DeleteTemporaryFiles();
  form_.CreateSearchWindow();
  Next(1);
}

void StepMachine::ProbePort(std::uint8_t n) {
  form_.Timer1.SetEnabled(false);
  operations_.ProbePort(n);
}

void StepMachine::SummariseDiscovery() {
  form_.Timer1.SetEnabled(false);
  if (state_.Step.DebugMode) form_.Log.Add(msgDebugModeActive);
  if (state_.Modem.ModemCount > 0) {
    OfferChoice();
    form_.Log.Add(state_.Modem.ModemCount == 1 ? msgPressFlash : msgEnsureCorrectModem);
  } else {
    form_.Log.Add(msgNoModemsFound);
    form_.Log.Add(msgEnsureModemInstalled);
    form_.DestroySearchWindow();
    state_.Step.CurrentStep = 99;
  }
  form_.Timer1.SetEnabled(true);
}

// The choice phase: Start Over, FLASH! while a box is ticked, the boxes of found modems.
void StepMachine::OfferChoice() {
  form_.Button4.SetEnabled(true);
  form_.UpdateFlashButton();
  state_.Step.CurrentStep = 20;
  for (std::uint8_t n = 1; n <= 4; ++n) {
    if (form_.PortFlagsRef().ModemFound[n] == 1) form_.PortCheckBox(n).SetEnabled(true);
  }
}

void StepMachine::WaitForUser() {
  form_.DestroySearchWindow();
  form_.Timer1.SetEnabled(false);
}

void StepMachine::LockWindow() {
  form_.Button1.SetEnabled(false);
  form_.Button2.SetEnabled(false);
  form_.Button4.SetEnabled(false);
  for (std::uint8_t n = 1; n <= 4; ++n)
    form_.PortCheckBox(n).SetEnabled(false);
}

// The highest ticked port, 0 when no box is ticked.
std::uint8_t StepMachine::TickedPort() {
  std::uint8_t ticked = 0;
  for (std::uint8_t n = 1; n <= 4; ++n) {
    if (form_.PortCheckBox(n).Checked()) ticked = n;
  }
  return ticked;
}

bool StepMachine::BootPassWanted() const {
  const package::PackageInfo& info = state_.Package.Info;
  return info.BootLength >= 1 && (!info.BootModel.empty() || info.IgnoreModel);
}

void StepMachine::BeginFlashing() {
  form_.Timer1.SetEnabled(false);
  LockWindow();
  const std::uint8_t port = TickedPort();
  if (port == 0) {
    // The box was unticked after FLASH!: nothing to flash, back to the choice.
    form_.Button1.SetEnabled(true);
    OfferChoice();
    return;
  }
  std::uint8_t& selectedPort = form_.SelectedPortRef();
  selectedPort = port;
  if (form_.PortFlagsRef().CodeDamaged[selectedPort] != 1) {
    if (!operations_.CheckCountry()) return Next(99);
    if (state_.Modem.CountryRejected == 1) operations_.RejectUtility();
  }
  Next(BootPassWanted() ? 22 : 52);
}

void StepMachine::RunPackageStep(void (UpgradeOperations::*operation)()) {
  form_.Timer1.SetEnabled(false);
  (operations_.*operation)();
  form_.Timer1.SetEnabled(true);
}

void StepMachine::PrepareBootPass() {
  form_.Timer1.SetEnabled(false);
  form_.ApdComPort1.SetBaud(115200);
  if (!operations_.EnterFlashMode()) {
    DeleteHexFile();
    return Next(99);
  }
  if (!operations_.CheckBootProduct()) {
    // Not a failure: the boot image is for another product; back to the modem code, and the
    // main pass follows.
    DeleteHexFile();
    operations_.Pause(500);
    operations_.SendCommand("ATGM\r");
    operations_.Pause(2000);
    return Next(50);
  }
  if (!operations_.EnterProgramming()) return Next(99);
  Next(30);
  ShowProgress(true);
}

void StepMachine::PrepareMainPass() {
  form_.Timer1.SetEnabled(false);
  LockWindow();
  if (const std::uint8_t port = TickedPort(); port != 0) form_.SelectedPortRef() = port;
  form_.ApdComPort1.SetBaud(115200);
  if (!operations_.EnterFlashMode()) return Next(99);
  if (!operations_.CheckMainProduct()) {
    DeleteHexFile();
    return Next(99);
  }
  if (!operations_.EnterProgramming()) return Next(99);
  Next(60);
  ShowProgress(true);
}

void StepMachine::StartTransfer(std::uint8_t pass) {
  form_.Timer1.SetEnabled(false);
  state_.Step.TransferPass = pass;
  if (state_.Step.DebugMode) form_.Log.Add(pass == 1 ? msgFlashingBoot : msgFlashingMain);
  operations_.StartHexTransfer();
}

void StepMachine::JudgeBootPass() {
  form_.Timer1.SetEnabled(false);
  operations_.AwaitProgrammingVerdict(1000);
  operations_.Pause(1000);
  if (state_.Modem.ModemCodeVerdict == 1) return Next(50);
  DeleteHexFile();
  Next(95);
}

void StepMachine::EndBootPass() {
  form_.Timer1.SetEnabled(false);
  DeleteHexFile();
  form_.Gauge1.SetProgress(0);
  Next(state_.Package.Info.MainLength < 1 ? 99 : 52);
}

void StepMachine::JudgeMainPass() {
  form_.Timer1.SetEnabled(false);
  operations_.AwaitProgrammingVerdict(5000);
  Next(90);
}

void StepMachine::Finish() {
  form_.Timer1.SetEnabled(false);
  DeleteHexFile();
  if (state_.Step.DebugMode) form_.Log.Add(msgRewritingNvram);
  form_.Log.Add(msgResettingModem);
  operations_.RewriteNvramTemplates();
  Next(99);
}

void StepMachine::Fail() {
  form_.Timer1.SetEnabled(false);
  if (state_.Step.DebugMode) form_.Log.Add(msgFailure);
  Next(99);
}

void StepMachine::End() {
  form_.ApdComPort1.SetOpen(false);
  form_.Timer1.SetEnabled(false);
  form_.Button4.SetEnabled(true);
  form_.Button1.SetEnabled(true);
  ShowProgress(false);
  form_.Gauge1.SetProgress(0);
  form_.Log.Add(msgComplete);
}

void StepMachine::ShowProgress(bool visible) {
  form_.Label9.SetVisible(visible);
  form_.Gauge1.SetVisible(visible);
}

void StepMachine::DeleteHexFile() {
  package::RemoveTemporaryFile(state_.Package.Pass.HexFileName);
}

void StepMachine::Next(std::uint16_t step) {
  state_.Step.CurrentStep = step;
  form_.Timer1.SetEnabled(true);
}

}  // namespace app
