#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/upgrade_operations.h"

namespace app {

// The upgrade as a machine of numbered steps, one step per tick of the main window's Timer1.
// Every step switches the timer off before anything that pumps messages, so steps never nest;
// it switches the timer on again after choosing the next step, or leaves it off to wait for
// the user (step 20, 99) or for the end of a transfer (steps 30, 60).
class StepMachine {
 public:
  StepMachine(TForm1& form, ProgramState& state, UpgradeOperations& operations,
              std::vector<std::string> commandLine);
  ~StepMachine();
  StepMachine(const StepMachine&) = delete;
  StepMachine& operator=(const StepMachine&) = delete;

  void Timer1Timer();

 private:
  void StartUp();                                               // 0
  void ProbePort(std::uint8_t n);                               // 1..4
  void SummariseDiscovery();                                    // 5
  void WaitForUser();                                           // 20
  void BeginFlashing();                                         // 21
  void RunPackageStep(void (UpgradeOperations::*operation)());  // 22, 24, 52, 54
  void PrepareBootPass();                                       // 25
  void PrepareMainPass();                                       // 55
  void StartTransfer(std::uint8_t pass);                        // 30, 60
  void JudgeBootPass();                                         // 40
  void EndBootPass();                                           // 50
  void JudgeMainPass();                                         // 70
  void Finish();                                                // 90
  void Fail();                                                  // 95
  void End();                                                   // 99

  void OfferChoice();
  void LockWindow();
  std::uint8_t TickedPort();
  bool BootPassWanted() const;
  void ShowProgress(bool visible);
  void DeleteHexFile();
  void Next(std::uint16_t step);

  TForm1& form_;
  ProgramState& state_;
  UpgradeOperations& operations_;
  std::vector<std::string> commandLine_;
};

}  // namespace app
