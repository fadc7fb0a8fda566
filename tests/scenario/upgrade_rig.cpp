#include "tests/scenario/upgrade_rig.h"

#include <stdexcept>

#include "text/message_catalogue.h"
#include "tools/tessary-pack/pack_command.h"

namespace scenario {

PackagedUtility::PackagedUtility(const PackageRecipe& recipe)
    : file_(sandbox.Path("tessary-flash")) {
  const std::string base = sandbox.Path("base");
  const std::string mainHex = sandbox.Path("main.hex");
  package_test::WriteBytes(base, package_test::ToBytes("executable image"));
  package_test::WriteBytes(mainHex, package_test::ToBytes(recipe.mainHex));
  std::vector<std::string> args = {"--out", file_, "--base", base, "--main", mainHex};
  if (recipe.bootHex) {
    const std::string bootHex = sandbox.Path("boot.hex");
    package_test::WriteBytes(bootHex, package_test::ToBytes(*recipe.bootHex));
    args.insert(args.end(), {"--boot", bootHex});
  }
  args.insert(args.end(), recipe.trailerOptions.begin(), recipe.trailerOptions.end());
  std::ostringstream out;
  std::ostringstream err;
  if (tessary_pack::RunPackCommand(args, base, out, err) != tessary_pack::ExitOk) {
    throw std::runtime_error("tessary-pack failed: " + err.str());
  }
}

std::vector<std::string> PackagedUtility::FilesLeft() const {
  std::vector<std::string> left;
  for (const std::string& name : package_test::Sandbox::Listing(sandbox.Work()))
    left.push_back("work/" + name);
  for (const std::string& name : package_test::Sandbox::Listing(sandbox.DriveC()))
    left.push_back("drive-c/" + name);
  return left;
}

namespace {

std::vector<std::string> CommandLine(const std::string& programFile,
                                     std::vector<std::string> parameters) {
  parameters.insert(parameters.begin(), programFile);
  return parameters;
}

}  // namespace

UpgradeRun::UpgradeRun(const std::string& programFile, std::vector<std::string> parameters)
    : program_(loop_, ports_, sound_, CommandLine(programFile, std::move(parameters)), &mirror_),
      user_(loop_, program_.App()) {}

void UpgradeRun::PlayUser(std::uint8_t languageIndex, int startOvers) {
  languageIndex_ = languageIndex;
  PressFlashWhenAsked();
  AnswerBoxes();
  AfterEachEnd(startOvers);
}

void UpgradeRun::PressFlashWhenAsked() {
  user_.WhenLogLine(Form1().Memo1, text::MessageText(text::msgPressFlash, languageIndex_),
                    [this] { Form1().Button2.Click(); });
}

void UpgradeRun::AnswerBoxes() {
  user_.WhenModal([this](platform::Form& box) {
    boxTexts_.push_back(dynamic_cast<platform::MessageBoxForm&>(box).Text());
    AnswerBoxes();
    platform::ScriptedUser::AnswerOk(box);
  });
}

void UpgradeRun::AfterEachEnd(int startOvers) {
  user_.WhenLogLine(Form1().Memo1, text::MessageText(text::msgComplete, languageIndex_),
                    [this, startOvers] {
                      if (startOvers == 0) return Form1().Button1.Click();
                      Form1().Button4.Click();
                      PressFlashWhenAsked();
                      AfterEachEnd(startOvers - 1);
                    });
}

std::vector<std::string> UpgradeRun::MirroredLines() const {
  std::istringstream in(mirror_.str());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

}  // namespace scenario
