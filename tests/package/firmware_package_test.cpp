#include "package/firmware_package.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "package/alert_sound.h"
#include "package/temporary_files.h"
#include "platform/exceptions.h"
#include "platform/virtual/scripted_user.h"
#include "tests/package/package_harness.h"
#include "tests/package/package_sandbox.h"

namespace package_test {
namespace {

using package::PackageInfo;

constexpr char PassedLine1[] = "Flash data integrity check passed..  (1)";
constexpr char PassedLine2[] = "Flash data integrity check passed..  (2)";

std::string FailedLine(const std::string& code) {
  return "Flash data integrity check failed.  Failure code  " + code;
}

class FirmwarePackageTest : public ::testing::Test {
 protected:
  // Writes the program file; the trailer describes the pieces truthfully unless info says
  // otherwise through lying lengths.
  std::string WriteProgram(const Bytes& boot, const Bytes& main, const PackageInfo& info) {
    WriteBytes(program, ProgramBytes(executable, sound, boot, main, info));
    return program;
  }
  std::string WriteProgram(const Bytes& boot, const Bytes& main) {
    return WriteProgram(boot, main, WithLengths(info, boot.size(), main.size()));
  }
  std::string InDriveC(const std::string& name) const { return sandbox.DriveC() + "/" + name; }

  // Step 0's part: the trailer read, decoded and applied.
  static void TakeTrailer(PackageHarness& harness) {
    package::FirmwarePackage package = harness.Package();
    package.ReadPackageTrailer();
    package.DecodePackageTrailer();
    package.ApplyPackageSettings();
  }

  Sandbox sandbox;
  std::string program = sandbox.Path("tessary-flash");
  Bytes executable = Pattern(5000, 1);
  Bytes sound = package::BuiltInAlertSound();
  PackageInfo info = [] {
    PackageInfo i;
    i.ProductName = "Tessary 56K";
    i.IgnoreModel = true;
    return i;
  }();
};

// --- Trailer -------------------------------------------------------------------------------

TEST_F(FirmwarePackageTest, ReadsTheTrailerThroughACopyThatIsRemoved) {
  WriteProgram(Pattern(9000, 2), Pattern(3000, 3));
  PackageHarness harness(program);
  EXPECT_TRUE(harness.Package().ReadPackageTrailer());
  EXPECT_EQ(harness.state.TrailerBuffer, package::EncodeTrailer(WithLengths(info, 9000, 3000)));
  EXPECT_TRUE(Sandbox::Listing(sandbox.Work()).empty());
}

TEST_F(FirmwarePackageTest, UnreadableProgramGivesTheZeroPackage) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
  };
  const std::vector<Case> cases = {
      {"missing", [] {}},
      {"shorter than a trailer", [&] { WriteBytes(program, Pattern(100, 4)); }},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(program);
    c.prepare();
    PackageHarness harness(program);
    EXPECT_FALSE(harness.Package().ReadPackageTrailer()) << c.name;
    TakeTrailer(harness);
    EXPECT_EQ(harness.state.Settings.BootLength, 0) << c.name;
    EXPECT_EQ(harness.state.Settings.MainLength, 0) << c.name;
    EXPECT_EQ(harness.state.Settings.ProductName, "") << c.name;
    EXPECT_EQ(harness.state.Settings.LanguageIndex, 1) << c.name;
    EXPECT_FALSE(harness.state.Info.IgnoreModel) << c.name;
    EXPECT_TRUE(Sandbox::Listing(sandbox.Work()).empty()) << c.name << ": trailer copy left";
  }
}

TEST_F(FirmwarePackageTest, FailedReadKeepsTheEarlierTrailer) {
  PackageHarness harness(program);  // no program file
  harness.state.TrailerBuffer.fill(7);
  EXPECT_FALSE(harness.Package().ReadPackageTrailer());
  EXPECT_EQ(harness.state.TrailerBuffer[0], 7);
}

TEST_F(FirmwarePackageTest, LanguageSetsTheIndexAndOnlyItalianTheHeading) {
  for (std::uint8_t language = 0; language < 5; ++language) {
    PackageInfo withLanguage = info;
    withLanguage.Language = language;
    WriteProgram({}, Pattern(100, 5), WithLengths(withLanguage, 0, 100));
    PackageHarness harness(program);
    TakeTrailer(harness);
    EXPECT_EQ(harness.state.Settings.LanguageIndex, language + 1);
    EXPECT_EQ(harness.label6.Caption(),
              language == 3 ? "Tipi Di Modem Installato" : "Modem Type Installed");
  }
}

TEST_F(FirmwarePackageTest, Language255IsARangeError) {
  PackageInfo badLanguage = info;
  badLanguage.Language = 255;
  WriteProgram({}, Pattern(100, 5), WithLengths(badLanguage, 0, 100));
  PackageHarness harness(program);
  package::FirmwarePackage package = harness.Package();
  package.ReadPackageTrailer();
  package.DecodePackageTrailer();
  EXPECT_THROW(package.ApplyPackageSettings(), platform::ERangeError);
}

TEST_F(FirmwarePackageTest, AppliedSettingsAndDump) {
  PackageInfo full = info;
  full.BootModel = "xx518200";
  full.MainModel = "yy518200";
  WriteProgram(Pattern(9000, 2), Pattern(3000, 3), WithLengths(full, 9000, 3000));
  PackageHarness harness(program);
  TakeTrailer(harness);
  const package::PackageSettings& settings = harness.state.Settings;
  EXPECT_EQ(settings.BootLength, 9000);
  EXPECT_EQ(settings.MainLength, 3000);
  EXPECT_EQ(settings.BootModel, "xx518200");
  EXPECT_EQ(settings.MainModel, "yy518200");
  EXPECT_EQ(settings.ProductName, "Tessary 56K");
  harness.Package().LogPackageInfo();
  ASSERT_EQ(harness.Lines().size(), 9u);
  EXPECT_EQ(harness.Lines()[0], "Boot Length  = 9000");
  EXPECT_EQ(harness.Lines()[6], "ATI3 Response= Tessary 56K");
}

// --- Copies out of the tail ------------------------------------------------------------------

// Every piece is copied with exactly its length, a boot archive outside 8193..10240 bytes too.
TEST_F(FirmwarePackageTest, CopiesExactlyEachPiece) {
  struct Case {
    const char* name;
    std::size_t boot;
    std::size_t main;
  };
  const std::vector<Case> cases = {
      {"main 269730", 0, 269730}, {"main 4096", 0, 4096},      {"main 0", 0, 0},
      {"boot 9387", 9387, 2000},  {"boot 10240", 10240, 2048}, {"boot 8193", 8193, 1},
      {"boot 100", 100, 3000},    {"boot 20000", 20000, 3000},
  };
  for (const Case& c : cases) {
    const Bytes boot = Pattern(c.boot, 11);
    const Bytes main = Pattern(c.main, 13);
    WriteProgram(boot, main);
    PackageHarness harness(program);
    TakeTrailer(harness);
    package::FirmwarePackage package = harness.Package();
    if (c.boot > 0) {
      package.ExtractBootArchive();
      EXPECT_EQ(harness.CurrentStep, 24) << c.name;
      EXPECT_EQ(ReadBytes(InDriveC("~1~Z~6~Z.$$$")), boot) << c.name;
    }
    package.ExtractMainArchive();
    EXPECT_EQ(harness.CurrentStep, 54) << c.name;
    EXPECT_EQ(ReadBytes(InDriveC("~1~Z~6~1.$$$")), main) << c.name;
    ASSERT_TRUE(package.ExtractAlertSound()) << c.name;
    EXPECT_EQ(ReadBytes(sandbox.Work() + "/~W~T~F~9.WAV"), sound) << c.name;
    package.DeleteTemporaryFiles();
  }
}

// --- A whole pass --------------------------------------------------------------------------

TEST_F(FirmwarePackageTest, TemporaryFilesThroughBothPasses) {
  const std::string bootHex = IntelHexImage(400, 1);
  const std::string mainHex = IntelHexImage(3000, 2);
  WriteProgram(sandbox.Archive(bootHex, "boot.hex"), sandbox.Archive(mainHex, "main.hex"));
  PackageHarness harness(program);
  TakeTrailer(harness);
  package::FirmwarePackage package = harness.Package();
  const package::PassFiles& pass = harness.state.Pass;

  struct Pass {
    const char* name;
    void (package::FirmwarePackage::*extract)();
    void (package::FirmwarePackage::*expand)();
    std::string archive;
    std::string hex;
    std::string passedLine;
    std::uint16_t afterExtract;
    std::uint16_t afterExpand;
    const std::string& content;
  };
  const std::vector<Pass> passes = {
      {"boot", &package::FirmwarePackage::ExtractBootArchive,
       &package::FirmwarePackage::ExpandBootArchive, InDriveC("~1~Z~6~Z.$$$"),
       InDriveC("~1~Z~6~X.$$$"), PassedLine1, 24, 25, bootHex},
      {"main", &package::FirmwarePackage::ExtractMainArchive,
       &package::FirmwarePackage::ExpandMainArchive, InDriveC("~1~Z~6~1.$$$"),
       InDriveC("~1~Z~6~2.$$$"), PassedLine2, 54, 55, mainHex},
  };
  for (const Pass& p : passes) {
    (package.*p.extract)();
    EXPECT_EQ(harness.CurrentStep, p.afterExtract) << p.name;
    EXPECT_EQ(harness.Lines().back(), p.passedLine) << p.name;
    EXPECT_EQ(pass.ArchiveFileName, p.archive) << p.name;
    EXPECT_EQ(pass.HexFileName, p.hex) << p.name;
    EXPECT_EQ(Mode(p.archive), 0400) << p.name;

    (package.*p.expand)();
    EXPECT_EQ(harness.CurrentStep, p.afterExpand) << p.name;
    EXPECT_FALSE(std::filesystem::exists(p.archive)) << p.name;
    EXPECT_EQ(Mode(p.hex), 0400) << p.name;
    EXPECT_EQ(ReadBytes(p.hex), ToBytes(p.content)) << p.name;
    EXPECT_EQ(pass.HexFileSize, static_cast<std::int32_t>(p.content.size())) << p.name;

    // The step machine's end of the pass.
    EXPECT_TRUE(package::RemoveTemporaryFile(pass.HexFileName)) << p.name;
    EXPECT_TRUE(Sandbox::Listing(sandbox.DriveC()).empty()) << p.name;
  }
  EXPECT_TRUE(Sandbox::Listing(sandbox.Work()).empty());
}

// --- Packages that must not reach the modem ------------------------------------------------

TEST_F(FirmwarePackageTest, UnreadableProgramEndsThePass) {
  WriteProgram(Pattern(9000, 2), Pattern(3000, 3));
  PackageHarness harness(program);
  TakeTrailer(harness);
  std::filesystem::remove(program);
  package::FirmwarePackage package = harness.Package();
  for (auto extract : {&package::FirmwarePackage::ExtractBootArchive,
                       &package::FirmwarePackage::ExtractMainArchive}) {
    harness.CurrentStep = 22;
    (package.*extract)();
    EXPECT_EQ(harness.Lines().back(), FailedLine("-1"));
    EXPECT_EQ(harness.CurrentStep, 99);
  }
  EXPECT_TRUE(Sandbox::Listing(sandbox.DriveC()).empty());
}

// Lengths that place a piece before the start of the file end the pass without a copy.
TEST_F(FirmwarePackageTest, PieceOutsideTheFileEndsThePass) {
  struct Case {
    const char* name;
    std::int32_t boot;
    std::int32_t main;
    void (package::FirmwarePackage::*extract)();
  };
  const std::vector<Case> cases = {
      {"main too long", 0, 2'000'000, &package::FirmwarePackage::ExtractMainArchive},
      {"main at most", 0, 0x7FFFFFFF, &package::FirmwarePackage::ExtractMainArchive},
      {"boot too long", 2'000'000, 100, &package::FirmwarePackage::ExtractBootArchive},
      {"boot and main past the start", 0x7FFFFFFF, 0x7FFFFFFF,
       &package::FirmwarePackage::ExtractBootArchive},
  };
  for (const Case& c : cases) {
    WriteProgram({}, Pattern(100, 3), WithLengths(info, 0, 0));
    PackageHarness harness(program);
    TakeTrailer(harness);
    harness.state.Settings.BootLength = c.boot;
    harness.state.Settings.MainLength = c.main;
    package::FirmwarePackage package = harness.Package();
    (package.*c.extract)();
    EXPECT_EQ(harness.Lines(), std::vector<std::string>{FailedLine("-2")}) << c.name;
    EXPECT_EQ(harness.CurrentStep, 99) << c.name;
    EXPECT_TRUE(Sandbox::Listing(sandbox.DriveC()).empty()) << c.name;
    EXPECT_FALSE(package.ExtractAlertSound()) << c.name;
    EXPECT_TRUE(Sandbox::Listing(sandbox.Work()).empty()) << c.name;
  }
}

Bytes WithUncompressedSize(Bytes archive, std::int32_t size) {
  for (int i = 0; i < 4; ++i)
    archive[13 + i] = static_cast<std::uint8_t>(size >> (8 * i));
  return archive;
}

// The codec neither notices a damaged stream nor checks sizes: the expanded file is checked
// against the archive header and as Intel HEX before it may go to the modem.
TEST_F(FirmwarePackageTest, DamagedImageIsDeletedAndEndsThePass) {
  const std::string hex = IntelHexImage(200);
  const Bytes good = sandbox.Archive(hex);
  std::string badChecksum = hex;
  badChecksum[9] = badChecksum[9] == '0' ? '1' : '0';
  Bytes cutOff = good;
  cutOff.resize(good.size() - 40);
  struct Case {
    const char* name;
    Bytes archive;
    std::string code;
  };
  const std::vector<Case> cases = {
      {"size above the header's", WithUncompressedSize(good, static_cast<int>(hex.size()) + 1),
       "-3"},
      {"size below the header's", WithUncompressedSize(good, static_cast<int>(hex.size()) - 1),
       "-3"},
      {"stream cut off", cutOff, "-3"},
      {"not an archive", ToBytes(hex), "-3"},
      {"empty piece", {}, "-3"},
      {"bad checksum", sandbox.Archive(badChecksum), "-4"},
      {"not Intel HEX", sandbox.Archive("Hello, modem.\r\n"), "-4"},
      {"no end record", sandbox.Archive(hex.substr(0, hex.size() - 13)), "-4"},
  };
  for (const Case& c : cases) {
    WriteProgram({}, c.archive);
    PackageHarness harness(program);
    TakeTrailer(harness);
    package::FirmwarePackage package = harness.Package();
    package.ExtractMainArchive();
    ASSERT_EQ(harness.CurrentStep, 54) << c.name;
    package.ExpandMainArchive();
    EXPECT_EQ(harness.Lines().back(), FailedLine(c.code)) << c.name;
    EXPECT_EQ(harness.CurrentStep, 99) << c.name;
    EXPECT_TRUE(Sandbox::Listing(sandbox.DriveC()).empty()) << c.name;
  }
}

// --- Rejection -----------------------------------------------------------------------------

struct BoxSeen {
  std::string text;
  platform::MessageIcon icon = platform::MessageIcon::None;
  bool playing = false;
  int soundFileMode = -1;
};

// Runs RejectUtility, answering its box, and reports what the user saw.
BoxSeen Reject(PackageHarness& harness, const std::string& soundPath) {
  BoxSeen seen;
  platform::ScriptedUser user(harness.loop, harness.app);
  user.WhenModal([&](platform::Form& box) {
    const auto& messageBox = dynamic_cast<platform::MessageBoxForm&>(box);
    seen = {messageBox.Text(), messageBox.Icon(), harness.player.Playing(), Mode(soundPath)};
    platform::ScriptedUser::AnswerOk(box);
  });
  harness.Package().RejectUtility();
  return seen;
}

TEST_F(FirmwarePackageTest, RejectionPlaysTheAlertDuringTheBoxAndCleansUp) {
  WriteProgram(Pattern(9000, 2), Pattern(3000, 3));
  PackageHarness harness(program);
  TakeTrailer(harness);
  harness.DebugMode = true;
  const std::string soundPath = sandbox.Work() + "/~W~T~F~9.WAV";

  const BoxSeen seen = Reject(harness, soundPath);
  EXPECT_EQ(seen.text, "Incorrect flash utility for modem.");
  EXPECT_EQ(seen.icon, platform::MessageIcon::Error);
  EXPECT_TRUE(seen.playing);
  EXPECT_EQ(seen.soundFileMode, 0400);
  ASSERT_EQ(harness.sound.Playbacks().size(), 1u);
  EXPECT_EQ(ToBytes(harness.sound.Playbacks()[0].bytes), sound);
  EXPECT_FALSE(harness.player.Playing());
  EXPECT_EQ(harness.Lines(), std::vector<std::string>{"Extracting WAV file."});
  EXPECT_EQ(harness.windowActions,
            (std::vector<std::string>{"DestroySearchWindow", "CloseMainWindow"}));
  EXPECT_TRUE(Sandbox::Listing(sandbox.Work()).empty());
}

// Without a sound the rejection still shows its box, cleans up and ends the program.
TEST_F(FirmwarePackageTest, RejectionWithoutSound) {
  struct Case {
    const char* name;
    bool programFile;
    bool soundDevice;
  };
  const std::vector<Case> cases = {
      {"program file unreadable", false, true},
      {"no sound device", true, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(program);
    if (c.programFile) WriteProgram({}, Pattern(3000, 3));
    PackageHarness harness(program, c.soundDevice);
    TakeTrailer(harness);
    const BoxSeen seen = Reject(harness, sandbox.Work() + "/~W~T~F~9.WAV");
    EXPECT_EQ(seen.text, "Incorrect flash utility for modem.") << c.name;
    EXPECT_FALSE(seen.playing) << c.name;
    EXPECT_EQ(harness.windowActions,
              (std::vector<std::string>{"DestroySearchWindow", "CloseMainWindow"}))
        << c.name;
    EXPECT_TRUE(Sandbox::Listing(sandbox.Work()).empty()) << c.name;
  }
}

// --- Leftovers -----------------------------------------------------------------------------

TEST_F(FirmwarePackageTest, DeleteTemporaryFilesRemovesReadOnlyLeftovers) {
  PackageHarness harness(program);
  package::FirmwarePackage package = harness.Package();
  package.DeleteTemporaryFiles();  // nothing there: nothing happens
  EXPECT_TRUE(harness.Lines().empty());

  const std::vector<std::string> leftovers = {
      sandbox.Work() + "/~W~T~F~9.WAV", InDriveC("~1~Z~6~1.$$$"), InDriveC("~1~W~1~Z.$$$"),
      InDriveC("~1~W~1~X.$$$"),         InDriveC("~1~Z~6~2.$$$"), InDriveC("~1~Z~6~Z.$$$"),
      InDriveC("~1~Z~6~X.$$$"),
  };
  for (const std::string& path : leftovers) {
    WriteBytes(path, Pattern(10, 1));
    package::MarkTemporary(path);
    ASSERT_EQ(Mode(path), 0400);
  }
  WriteBytes(sandbox.Work() + "/~1~w~1~z.$$$",
             Pattern(10, 1));  // not one of the program's leftovers

  package.DeleteTemporaryFiles();
  EXPECT_TRUE(Sandbox::Listing(sandbox.DriveC()).empty());
  EXPECT_EQ(Sandbox::Listing(sandbox.Work()), std::vector<std::string>{"~1~w~1~z.$$$"});
  EXPECT_TRUE(harness.Lines().empty());
}

TEST_F(FirmwarePackageTest, DeleteTemporaryFilesPassesOverARefusedDriveC) {
  std::filesystem::create_directory(sandbox.Path("elsewhere"));
  std::filesystem::create_directory_symlink(sandbox.Path("elsewhere"), sandbox.DriveC());
  WriteBytes(sandbox.Path("elsewhere/~1~Z~6~1.$$$"), Pattern(10, 1));
  WriteBytes(sandbox.Work() + "/~W~T~F~9.WAV", Pattern(10, 1));
  PackageHarness harness(program);
  EXPECT_NO_THROW(harness.Package().DeleteTemporaryFiles());
  EXPECT_TRUE(Sandbox::Listing(sandbox.Work()).empty());
  EXPECT_EQ(Sandbox::Listing(sandbox.Path("elsewhere")), std::vector<std::string>{"~1~Z~6~1.$$$"});
}

}  // namespace
}  // namespace package_test
