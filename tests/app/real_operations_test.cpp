#include "app/real_operations.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/program.h"
#include "package/alert_sound.h"
#include "package/package_writer.h"
#include "platform/virtual/recorded_sound.h"
#include "platform/virtual/scripted_user.h"
#include "sim/simulated_ports.h"

namespace app {
namespace {

constexpr char PressFlash[] =
    "Press the FLASH! button to begin flashing the currently selected modem.";

// A working folder and a drive C: folder of the test's own, for the temporary files.
class TemporaryWorld {
 public:
  TemporaryWorld() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "app_real_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a test folder");
    root_ = pattern;
    std::filesystem::create_directory(root_ / "work");
    setenv("TESSARY_DRIVE_C", (root_ / "drive-c").c_str(), 1);
    std::filesystem::current_path(root_ / "work");
  }
  ~TemporaryWorld() {
    std::filesystem::current_path(previous_);
    unsetenv("TESSARY_DRIVE_C");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = (root_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Path(const std::string& name) const { return (root_ / name).string(); }

 private:
  std::filesystem::path previous_;
  std::filesystem::path root_;
};

// A few data records and the end record.
std::string HexImage() {
  return ":10000000000102030405060708090A0B0C0D0E0F78\r\n"
         ":10001000101112131415161718191A1B1C1D1E1F68\r\n"
         ":00000001FF\r\n";
}

// A packaged utility for the product "Tessary 336", main image only, approved for the given
// countries, with simulated COM ports and a user before it.
class PackagedUtility {
 public:
  explicit PackagedUtility(std::initializer_list<int> countries = {0}) {
    package::PackageRequest request;
    request.BaseFile = world.Write("tessary-flash", "executable image");
    request.MainHexFile = world.Write("main.hex", HexImage());
    request.Sound = package::BuiltInAlertSound();
    request.Info.MainModel = "xx518200";
    request.Info.ProductName = "Tessary 336";
    for (const int country : countries)
      request.Info.Countries[country] = true;
    package::WritePackage(request, world.Path("packaged-flash"));
  }

  // Runs the program until its window closes: FLASH! when asked for, Quit at the end.
  void Run() {
    Program program(loop, ports, sound, {world.Path("packaged-flash")}, &mirror);
    TForm1& form = program.Form1();
    platform::ScriptedUser user(loop, program.App());
    user.WhenLogLine(form.Memo1, PressFlash, [&] { form.Button2.Click(); });
    user.WhenLogLine(form.Memo1, "Complete.", [&] { form.Button1.Click(); });
    user.WhenModal([&](platform::Form& box) {
      boxText = dynamic_cast<platform::MessageBoxForm&>(box).Text();
      platform::ScriptedUser::AnswerOk(box);
    });
    program.Run();
    log = form.Memo1.Lines();
    firstRow = form.Edit2.Text();
  }

  TemporaryWorld world;
  platform::VirtualEventLoop loop;
  sim::SimulatedPorts ports{loop};
  platform::RecordedSound sound;
  std::ostringstream mirror;
  std::vector<std::string> log;
  std::string firstRow;
  std::string boxText;
};

TEST(RealOperations, UpgradeAModemFromStartUpToComplete) {
  PackagedUtility utility;
  sim::SimulatedModem& modem = utility.ports.AddModem(2);
  utility.Run();

  ASSERT_FALSE(utility.log.empty());
  EXPECT_EQ(utility.log.front(), "Tessary 336 flash utility initialized...");
  EXPECT_EQ(utility.log.back(), "Complete.");
  EXPECT_EQ(utility.firstRow, "Tessary 336 modem found.");
  ASSERT_EQ(modem.Images().size(), 1u);
  EXPECT_EQ(modem.Images()[0].hexBytes, HexImage());
  EXPECT_EQ(modem.NvramRewrites(), 1);
  std::string mirrored;
  for (const std::string& line : utility.log)
    mirrored += line + "\n";
  EXPECT_EQ(utility.mirror.str(), mirrored);
}

TEST(RealOperations, RejectAModemOfAnotherCountry) {
  PackagedUtility utility({0, 1});  // US/Canada and Japan
  sim::SimulatedModem& modem = utility.ports.AddModem(2, sim::ModemOptions{.countryIndex = 16});
  utility.Run();

  EXPECT_EQ(utility.boxText, "Incorrect flash utility for modem.");
  EXPECT_EQ(utility.sound.Playbacks().size(), 1u);
  EXPECT_TRUE(modem.Images().empty());
  EXPECT_NE(utility.log.back(), "Complete.");
}

}  // namespace
}  // namespace app
