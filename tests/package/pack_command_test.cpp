#include "tools/tessary-pack/pack_command.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "lz/lz_header.h"
#include "package/alert_sound.h"
#include "package/firmware_package.h"
#include "package/package_file.h"
#include "package/temporary_files.h"
#include "tests/package/package_harness.h"
#include "tests/package/package_sandbox.h"

namespace package_test {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class PackCommandTest : public ::testing::Test {
 protected:
  PackCommandTest() {
    WriteBytes(base, executable);
    WriteBytes(bootHex, ToBytes(bootText));
    WriteBytes(mainHex, ToBytes(mainText));
  }

  Outcome Run(std::vector<std::string> args) const {
    std::ostringstream out, err;
    const int status = tessary_pack::RunPackCommand(args, base, out, err);
    return {status, out.str(), err.str()};
  }

  // The smallest complete command line, with extras appended.
  std::vector<std::string> Args(std::vector<std::string> extra = {}) const {
    std::vector<std::string> args = {"--out", output, "--main", mainHex, "--product", "Tessary"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }

  // What the utility itself makes of the packaged file: the HEX files of both passes, as
  // they stand when each pass hands its file to the modem.
  std::vector<std::string> ExtractedImages() const {
    PackageHarness harness(output);
    package::FirmwarePackage package = harness.Package();
    package.ReadPackageTrailer();
    package.DecodePackageTrailer();
    package.ApplyPackageSettings();
    std::vector<std::string> images;
    const auto takeImage = [&] {
      const Bytes hex = ReadBytes(harness.state.Pass.HexFileName);
      images.emplace_back(hex.begin(), hex.end());
      package::RemoveTemporaryFile(harness.state.Pass.HexFileName);
    };
    if (harness.state.Settings.BootLength > 0) {
      package.ExtractBootArchive();
      package.ExpandBootArchive();
      EXPECT_EQ(harness.CurrentStep, 25);
      takeImage();
    }
    package.ExtractMainArchive();
    package.ExpandMainArchive();
    EXPECT_EQ(harness.CurrentStep, 55);
    takeImage();
    return images;
  }

  std::string StoredName(const package::TailPiece& piece) const {
    const Bytes file = ReadBytes(output);
    std::array<std::uint8_t, lz::kLZHeaderSize> header{};
    std::copy_n(file.begin() + piece.OffsetIn(static_cast<std::int64_t>(file.size())),
                header.size(), header.begin());
    return lz::DecodeLZHeader(header).FileName.Text();
  }

  Sandbox sandbox;
  Bytes executable = Pattern(7000, 9);
  std::string base = sandbox.Path("tessary-flash");
  std::string bootText = IntelHexImage(300, 1);
  std::string mainText = IntelHexImage(4000, 2);
  std::string bootHex = sandbox.Path("tessary-boot.hex");
  std::string mainHex = sandbox.Path("main.hex");
  std::string output = sandbox.Path("out/tessary-flash-pkg");
};

TEST_F(PackCommandTest, RoundTripBootAndMain) {
  std::filesystem::create_directory(sandbox.Path("out"));
  const Outcome outcome = Run(Args({"--boot", bootHex, "--ignore-model"}));
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");

  EXPECT_EQ(ExtractedImages(), (std::vector<std::string>{bootText, mainText}));
  const std::optional<package::PackageFile> packaged = package::ReadPackageFile(output);
  ASSERT_TRUE(packaged);
  EXPECT_EQ(StoredName(packaged->Tail.Boot), "tessary-boot");  // cut to 12 characters
  EXPECT_EQ(StoredName(packaged->Tail.Main), "main.hex");
  const Bytes file = ReadBytes(output);
  EXPECT_TRUE(std::equal(executable.begin(), executable.end(), file.begin()));
  const auto soundStart = file.begin() + packaged->Tail.Sound.OffsetIn(packaged->FileSize);
  EXPECT_TRUE(package::IsAlertSound(Bytes(soundStart, soundStart + package::SoundLength)));
  EXPECT_EQ(Mode(output) & 0111, 0111);
  EXPECT_EQ(Sandbox::Listing(sandbox.Path("out")), std::vector<std::string>{"tessary-flash-pkg"});
}

TEST_F(PackCommandTest, RoundTripMainOnly) {
  std::filesystem::create_directory(sandbox.Path("out"));
  ASSERT_EQ(Run(Args()).status, 0);
  EXPECT_EQ(package::ReadPackageFile(output)->Info.BootLength, 0);
  EXPECT_EQ(ExtractedImages(), std::vector<std::string>{mainText});
}

TEST_F(PackCommandTest, OptionsFillTheTrailer) {
  std::filesystem::create_directory(sandbox.Path("out"));
  const Outcome outcome = Run({"--out=" + output,
                               "--main",
                               mainHex,
                               "--boot",
                               bootHex,
                               "--product",
                               "Tessary Modem \xC3\xA9",
                               "--boot-model",
                               "xx518200",
                               "--main-model",
                               "yy518200",
                               "--built-for",
                               "Reseller",
                               "--language",
                               "it",
                               "--country",
                               "japan",
                               "--country",
                               "0",
                               "--country",
                               "30"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const package::PackageInfo info = package::ReadPackageFile(output)->Info;
  EXPECT_EQ(info.ProductName, "Tessary Modem \xE9");
  EXPECT_EQ(info.BootModel, "xx518200");
  EXPECT_EQ(info.MainModel, "yy518200");
  EXPECT_FALSE(info.IgnoreModel);
  EXPECT_EQ(info.BuiltFor, "Reseller");
  EXPECT_EQ(info.Language, 3);
  std::array<bool, 50> countries{};
  countries[0] = countries[1] = countries[30] = true;
  EXPECT_EQ(info.Countries, countries);
}

TEST_F(PackCommandTest, GivenSoundIsCarried) {
  std::filesystem::create_directory(sandbox.Path("out"));
  Bytes wav = package::BuiltInAlertSound();
  std::fill(wav.begin() + 44, wav.end(), 0x80);
  WriteBytes(sandbox.Path("alert.wav"), wav);
  ASSERT_EQ(Run(Args({"--sound", sandbox.Path("alert.wav")})).status, 0);
  PackageHarness harness(output);
  package::FirmwarePackage package = harness.Package();
  package.ReadPackageTrailer();
  package.DecodePackageTrailer();
  package.ApplyPackageSettings();
  ASSERT_TRUE(package.ExtractAlertSound());
  EXPECT_EQ(ReadBytes(sandbox.Work() + "/~W~T~F~9.WAV"), wav);
}

TEST_F(PackCommandTest, ShowPrintsTheDumpAndWhereThePiecesLie) {
  std::filesystem::create_directory(sandbox.Path("out"));
  ASSERT_EQ(Run(Args({"--country", "US/Canada"})).status, 0);
  const Outcome shown = Run({"--show", output});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const std::int64_t size = static_cast<std::int64_t>(std::filesystem::file_size(output));
  const package::PackageInfo info = package::ReadPackageFile(output)->Info;
  const std::int64_t main = size - 193 - info.MainLength;
  std::ostringstream expected;
  expected << "Boot Length  = 0\n"
           << "Main Length  = " << info.MainLength << "\n"
           << "Boot Model   = \nMain Model   = \nIgnore Model = False\nBuilt For    = \n"
           << "ATI3 Response= Tessary\nLanguage     = English\nCountries    = US/Canada\n"
           << "Sound        = at byte " << main - 27958 << ", 27958 bytes\n"
           << "Boot Archive = at byte " << main << ", 0 bytes\n"
           << "Main Archive = at byte " << main << ", " << info.MainLength << " bytes\n"
           << "Trailer      = at byte " << size - 193 << ", 193 bytes\n";
  EXPECT_EQ(shown.out, expected.str());
}

TEST_F(PackCommandTest, HelpNamesEveryOption) {
  const Outcome outcome = Run({"--help"});
  EXPECT_EQ(outcome.status, 0);
  for (const char* option :
       {"--out", "--main", "--boot", "--sound", "--product", "--boot-model", "--main-model",
        "--ignore-model", "--built-for", "--language", "--country", "--base", "--show", "--help"}) {
    EXPECT_NE(outcome.out.find(option), std::string::npos) << option;
  }
}

// Every mistake names its option, ends with status 2 and leaves nothing behind; a file
// already at the output name stays as it was.
TEST_F(PackCommandTest, MistakesNameTheirOption) {
  std::filesystem::create_directory(sandbox.Path("out"));
  const Bytes previous = Pattern(50, 3);
  WriteBytes(output, previous);
  WriteBytes(sandbox.Path("bad.hex"), ToBytes(":0300300002337A1F\r\n:00000001FF\r\n"));
  WriteBytes(sandbox.Path("short.wav"), Pattern(100, 1));
  Bytes notRiff = package::BuiltInAlertSound();
  notRiff[0] = 'X';
  WriteBytes(sandbox.Path("not-riff.wav"), notRiff);
  const std::string packaged = sandbox.Path("packaged");
  ASSERT_EQ(Run({"--out", packaged, "--main", mainHex, "--product", "T"}).status, 0);

  struct Case {
    std::vector<std::string> args;
    std::string option;
  };
  const std::vector<Case> cases = {
      {{"--main", mainHex, "--product", "T"}, "--out"},
      {{"--out", output, "--product", "T"}, "--main"},
      {{"--out", output, "--main", mainHex}, "--product"},
      {Args({"--out", output}), "--out"},
      {Args({"--frobnicate"}), "--frobnicate"},
      {Args({"--country"}), "--country"},
      {Args({"--ignore-model=yes"}), "--ignore-model"},
      {{"--out", output, "--main", mainHex, "--product", std::string(50, 'p')}, "--product"},
      {{"--out", output, "--main", mainHex, "--product", "\xE6\x97\xA5\xE6\x9C\xAC"}, "--product"},
      {{"--out", output, "--main", mainHex, "--product", "\xFF"}, "--product"},
      {Args({"--boot-model", "123456789"}), "--boot-model"},
      {Args({"--main-model", "123456789"}), "--main-model"},
      {Args({"--built-for", std::string(51, 'b')}), "--built-for"},
      {Args({"--language", "nl"}), "--language"},
      {Args({"--language", "5"}), "--language"},
      {Args({"--country", "Atlantis"}), "--country"},
      {Args({"--country", "50"}), "--country"},
      {Args({"--country", "Undefined"}), "--country"},
      {{"--out", output, "--main", sandbox.Path("bad.hex"), "--product", "T"}, "--main"},
      {{"--out", output, "--main", sandbox.Path("missing.hex"), "--product", "T"}, "--main"},
      {Args({"--boot", sandbox.Path("bad.hex")}), "--boot"},
      {Args({"--boot", base}), "--boot"},
      {Args({"--sound", sandbox.Path("short.wav")}), "--sound"},
      {Args({"--sound", sandbox.Path("not-riff.wav")}), "--sound"},
      {Args({"--sound", sandbox.Path("missing.wav")}), "--sound"},
      {Args({"--base", packaged}), "--base"},
      {Args({"--base", sandbox.Path("missing")}), "--base"},
      {{"--out", sandbox.Path("no-folder/x"), "--main", mainHex, "--product", "T"}, "--out"},
      {{"--show", output, "--out", output}, "--show"},
      {{"--show", output}, "--show"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Run(c.args);
    const std::string context = c.args.back();
    EXPECT_EQ(outcome.status, 2) << context;
    EXPECT_EQ(outcome.err.rfind("tessary-pack: " + c.option + ": ", 0), 0u)
        << context << ": " << outcome.err;
    EXPECT_EQ(Sandbox::Listing(sandbox.Path("out")), std::vector<std::string>{"tessary-flash-pkg"})
        << context;
    EXPECT_EQ(ReadBytes(output), previous) << context;
  }
}

TEST_F(PackCommandTest, BaseDefaultsToTheUtilityBesideThePackager) {
  std::filesystem::create_directory(sandbox.Path("out"));
  ASSERT_EQ(Run(Args()).status, 0);
  const Bytes file = ReadBytes(output);
  EXPECT_TRUE(std::equal(executable.begin(), executable.end(), file.begin()));
}

}  // namespace
}  // namespace package_test
