#include "fake_operations.h"

#include <algorithm>
#include <fstream>

#include "platform/exceptions.h"

namespace app::testing {

FakeOperations::FakeOperations(TForm1& form, ProgramState& state, platform::VirtualEventLoop& loop,
                               const Scenario& scenario, std::filesystem::path folder)
    : form_(form), state_(state), loop_(loop), scenario_(scenario), folder_(std::move(folder)) {}

bool FakeOperations::Record(const std::string& name, const std::string& argument) {
  const std::string call = name + "(" + argument + ")";
  calls_.push_back(call);
  if (OnCall) OnCall(call);
  const std::string key = name + "@" + std::to_string(state_.Step.CurrentStep);
  if (scenario_.throwing.contains(key)) throw platform::EInOutError(5, "File access denied");
  return scenario_.failing.contains(key);
}

void FakeOperations::DeleteTemporaryFiles() {
  Record("DeleteTemporaryFiles");
}

bool FakeOperations::ReadPackageTrailer() {
  return !Record("ReadPackageTrailer");
}

void FakeOperations::DecodePackageTrailer() {
  Record("DecodePackageTrailer");
  package::PackageInfo& info = state_.Package.Info;
  info.BootLength = scenario_.bootLength;
  info.MainLength = scenario_.mainLength;
  info.BootModel = scenario_.bootModel;
  info.IgnoreModel = scenario_.ignoreModel;
  info.ProductName = scenario_.productName;
}

void FakeOperations::ApplyPackageSettings() {
  Record("ApplyPackageSettings");
  state_.Package.Settings.ProductName = state_.Package.Info.ProductName;
}

void FakeOperations::LogPackageInfo() {
  Record("LogPackageInfo");
}

void FakeOperations::Extract(bool boot, std::uint16_t nextStep) {
  const bool failed = Record(boot ? "ExtractBootArchive" : "ExtractMainArchive");
  state_.Package.Pass.HexFileName = HexFile(boot).string();
  state_.Step.CurrentStep = failed ? 99 : nextStep;
}

void FakeOperations::Expand(bool boot, std::uint16_t nextStep) {
  if (Record(boot ? "ExpandBootArchive" : "ExpandMainArchive")) {
    state_.Step.CurrentStep = 99;
    return;
  }
  std::ofstream(HexFile(boot)) << ":00000001FF\n";
  state_.Package.Pass.HexFileSize = 12;
  state_.Step.CurrentStep = nextStep;
}

void FakeOperations::ExtractBootArchive() {
  Extract(true, 24);
}
void FakeOperations::ExpandBootArchive() {
  Expand(true, 25);
}
void FakeOperations::ExtractMainArchive() {
  Extract(false, 54);
}
void FakeOperations::ExpandMainArchive() {
  Expand(false, 55);
}

void FakeOperations::RejectUtility() {
  Record("RejectUtility");
  form_.DestroySearchWindow();
  form_.Close();
}

void FakeOperations::Pause(std::uint16_t milliseconds) {
  Record("Pause", std::to_string(milliseconds));
}

void FakeOperations::ProbePort(std::uint8_t n) {
  Record("ProbePort", std::to_string(n));
  const auto has = [n](const std::vector<std::uint8_t>& ports) {
    return std::ranges::find(ports, n) != ports.end();
  };
  if (has(scenario_.modems)) {
    modem::PortFlags& flags = form_.PortFlagsRef();
    flags.DevicePresent[n] = 1;
    flags.ModemFound[n] = 1;
    flags.CodeDamaged[n] = has(scenario_.damaged) ? 1 : 0;
    ++state_.Modem.ModemCount;
    form_.PortEdit(n).SetText("modem found");
    form_.PortCheckBox(n).SetChecked(true);
  } else {
    form_.PortEdit(n).SetText("No modem found.");
  }
  state_.Step.CurrentStep = static_cast<std::uint16_t>(n + 1);
  form_.Timer1.SetEnabled(true);
}

bool FakeOperations::CheckCountry() {
  if (Record("CheckCountry")) return false;
  const bool rejected = scenario_.failing.contains("CountryRejected@21");
  state_.Modem.CountryRejected = rejected ? 1 : 0;
  return true;
}

bool FakeOperations::EnterFlashMode() {
  return !Record("EnterFlashMode");
}
bool FakeOperations::CheckBootProduct() {
  return !Record("CheckBootProduct");
}
bool FakeOperations::CheckMainProduct() {
  return !Record("CheckMainProduct");
}
bool FakeOperations::EnterProgramming() {
  return !Record("EnterProgramming");
}

void FakeOperations::SendCommand(std::string_view command) {
  Record("SendCommand", std::string(command));
}

void FakeOperations::StartHexTransfer() {
  const bool failed = Record("StartHexTransfer");
  loop_.ScheduleAfter(1'000'000, [this, failed] {
    if (failed) {
      form_.ApdProtocol1.OnProtocolError(0);
    } else {
      form_.ApdProtocol1.OnProtocolFinish(0);
    }
  });
}

void FakeOperations::AwaitProgrammingVerdict(std::uint16_t delayMs) {
  const bool failed = Record("AwaitProgrammingVerdict", std::to_string(delayMs));
  state_.Modem.ModemCodeVerdict = failed ? 0 : 1;
}

void FakeOperations::RewriteNvramTemplates() {
  Record("RewriteNvramTemplates");
}

}  // namespace app::testing
