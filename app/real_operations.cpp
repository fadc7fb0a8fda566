#include "app/real_operations.h"

namespace app {
namespace {

package::PackageContext PackageContextOf(TForm1& form, ProgramState& state) {
  return package::PackageContext{
      .log = form.Log,
      .CurrentStep = state.Step.CurrentStep,
      .DebugMode = state.Step.DebugMode,
      .ProgramFileName = state.Step.ProgramFileName,
      .state = state.Package,
      .app = form.App(),
      .Label6 = form.Label6,
      .MediaPlayer1 = form.MediaPlayer1,
      .DestroySearchWindow = [&form] { form.DestroySearchWindow(); },
      .CloseMainWindow = [&form] { form.Close(); },
  };
}

modem::ModemContext ModemContextOf(TForm1& form, ProgramState& state) {
  return modem::ModemContext{
      .loop = form.App().Loop(),
      .ApdComPort1 = form.ApdComPort1,
      .ApdProtocol1 = form.ApdProtocol1,
      .Timer1 = form.Timer1,
      .log = form.Log,
      .Edits = {nullptr, &form.Edit1, &form.Edit2, &form.Edit3, &form.Edit4},
      .CheckBoxes = {nullptr, &form.CheckBox1, &form.CheckBox2, &form.CheckBox3, &form.CheckBox4},
      .Gauge1 = form.Gauge1,
      .CurrentStep = state.Step.CurrentStep,
      .SelectedPort = form.SelectedPortRef(),
      .Ports = form.PortFlagsRef(),
      .State = state.Modem,
      .DebugMode = state.Step.DebugMode,
      .PackageInfo = state.Package.Info,
      .Settings = state.Package.Settings,
      .Pass = state.Package.Pass,
  };
}

}  // namespace

RealOperations::RealOperations(TForm1& form, ProgramState& state)
    : package_(PackageContextOf(form, state)), modem_(ModemContextOf(form, state)) {}

std::unique_ptr<UpgradeOperations> MakeRealOperations(TForm1& form, ProgramState& state) {
  return std::make_unique<RealOperations>(form, state);
}

}  // namespace app
