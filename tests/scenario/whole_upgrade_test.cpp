#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "package/package_file.h"
#include "tests/realtime/intel_hex_writer.h"
#include "tests/scenario/upgrade_rig.h"

namespace scenario {
namespace {

using Lines = std::vector<std::string>;

const std::string MainHex = realtime::GenerateIntelHex(0x10000, 6000, 7);
const std::string BootHex = realtime::GenerateIntelHex(0x0, 2500, 3);
// Past the first records, well before the end of either image.
constexpr std::size_t FaultAfterHexBytes = 3000;

Lines Join(std::initializer_list<Lines> parts) {
  Lines joined;
  for (const Lines& part : parts)
    joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

std::string Com(int com) {
  return std::to_string(com) + ".";
}

// Start-up and a discovery that finds one modem in command mode.
Lines FoundOn(int com) {
  return {"Tessary 336 flash utility initialized...", "Device present on COM" + Com(com),
          "Press the FLASH! button to begin flashing the currently selected modem."};
}

// A pass up to the running transfer; pass 1 is the boot image, 2 the main image.
Lines IntoProgramming(int com, int pass) {
  const std::string mark = ".  (" + std::to_string(pass) + ")";
  return {"Flash data integrity check passed." + mark, "Entering FLASH mode on COM" + Com(com),
          "Modem needs flash update #1." + mark, "Programming FLASHROM on COM" + Com(com)};
}

const Lines GoodVerdict = {"Flash file upload sent successfully.", "Checking modem integrity...",
                           "Modem responded correctly -- starting modem code."};
const Lines End = {"Resetting modem...", "Complete."};

// The packager's trailer options.
const Lines Product = {"--product", "Tessary 336"};
const Lines MainModel = {"--main-model", "xx518200"};
const Lines BootModel = {"--boot-model", "xx518200"};
const Lines ForUsCanada = {"--country", "0"};
const Lines MainImageFor336 = Join({Product, MainModel, ForUsCanada});

struct Scenario {
  const char* name;
  bool withBoot = false;
  Lines trailerOptions = MainImageFor336;
  std::uint8_t com = 2;
  sim::ModemOptions modem = {};
  std::uint8_t languageIndex = 1;  // English; 2 is German
  int startOvers = 0;
  Lines log = {};  // the window's log when the program ends
  // Each programming session's bytes, as the modem received them.
  std::vector<std::string> images = {};
  int nvramRewrites = 1;
  Lines boxes = {};
};

void PrintTo(const Scenario& scenario, std::ostream* os) {
  *os << scenario.name;
}

const Scenario Scenarios[] = {
    {
        .name = "MainImageOnly",
        .log = Join({FoundOn(2), IntoProgramming(2, 2), GoodVerdict, End}),
        .images = {MainHex},
    },
    {
        .name = "BootThenMain",
        .withBoot = true,
        .trailerOptions = Join({Product, BootModel, MainModel, ForUsCanada}),
        .com = 1,
        .log = Join({FoundOn(1), IntoProgramming(1, 1), GoodVerdict, IntoProgramming(1, 2),
                     GoodVerdict, End}),
        .images = {BootHex, MainHex},
    },
    {
        // In German: the boot image's model code is not the modem's, so the modem goes back
        // to its code and the main pass follows.
        .name = "BootImageForAnotherProductInGerman",
        .withBoot = true,
        .trailerOptions = Join(
            {Product, {"--boot-model", "xx999999"}, MainModel, ForUsCanada, {"--language", "de"}}),
        .com = 3,
        .languageIndex = 2,
        .log =
            {
                "Tessary 336 Flash-Utility wird initialisiert...",
                "Ein Gerät wurde gefunden an COM3.",
                "Drücken Sie den FLASH! Button um das ausgewählte Modem zu flashen.",
                "Keine Fehler beim überprüfen der Flash-Daten gefunden..  (1)",
                "Starte die Flash-Phase an COM3.",
                "Das Modem benötigt nicht das Flash-Update #1 -- Abbruch..  (1)",
                "Keine Fehler beim überprüfen der Flash-Daten gefunden..  (2)",
                "Starte die Flash-Phase an COM3.",
                "Das Modem benötigt das Flash-Update #1..  (2)",
                "Programmiere FLASHROM...3.",
                "Code wurde erfolgreich geflasht.",
                "Überprüfe die Flash-Daten...",
                "Das Modem antwortet korrekt -- starte den Code.",
                "Modem zurücksetzen...",
                "Fertig.",
            },
        .images = {MainHex},
    },
    {
        // Approved for US/Canada and Japan, the modem is German: the program ends at the box.
        .name = "CountryRejected",
        .trailerOptions = Join({Product, MainModel, ForUsCanada, {"--country", "1"}}),
        .modem = {.countryIndex = 16},
        .log = FoundOn(2),
        .nvramRewrites = 0,
        .boxes = {"Incorrect flash utility for modem."},
    },
    {
        // Only Japan is approved: a country check would reject this US modem.
        .name = "DamagedCodeSkipsTheCountryCheck",
        .trailerOptions = Join({Product, MainModel, {"--country", "1"}}),
        .com = 4,
        .modem = {.code = sim::CodeState::Corrupt},
        .log = Join({{"Tessary 336 flash utility initialized...",
                      "Modem is in flash mode... resetting COM4.", "Modem code is corrupt on COM",
                      "Press the FLASH! button to begin flashing the currently selected modem."},
                     IntoProgramming(4, 2),
                     GoodVerdict,
                     End}),
        .images = {MainHex},
    },
    {
        // Found waiting with its code missing: the boot pass starts the modem's code, so the
        // main pass must switch it into its boot code again.
        .name = "DamagedCodeBootThenMain",
        .withBoot = true,
        .trailerOptions = Join({Product, BootModel, MainModel, ForUsCanada}),
        .com = 4,
        .modem = {.code = sim::CodeState::Missing},
        .log = Join({{"Tessary 336 flash utility initialized...",
                      "Modem is in flash mode... resetting COM4.", "Modem code is missing on COM",
                      "Press the FLASH! button to begin flashing the currently selected modem."},
                     IntoProgramming(4, 1),
                     GoodVerdict,
                     IntoProgramming(4, 2),
                     GoodVerdict,
                     End}),
        .images = {BootHex, MainHex},
    },
    {
        // The modem holds CTS low until the transmit time-out; the boot code gives up, and
        // ATGM cannot get past the held line either. The main pass still ends normally.
        .name = "TransferStalledByCts",
        .modem = {.holdCtsAfterHexBytes = FaultAfterHexBytes},
        .log = Join({FoundOn(2),
                     IntoProgramming(2, 2),
                     {"Flash file upload did not complete successfully.",
                      "Flash programming was not successful.", "Modem is not responding..."},
                     End}),
        .images = {MainHex.substr(0, FaultAfterHexBytes)},
        .nvramRewrites = 0,
    },
    {
        // The port stays open on the dead line: the verdict and the modem code's answer time
        // out, and nothing more reaches the modem.
        .name = "LineDroppedMidTransfer",
        .modem = {.dropLineAfterHexBytes = FaultAfterHexBytes},
        .log = Join({FoundOn(2),
                     IntoProgramming(2, 2),
                     {"Flash file upload did not complete successfully.",
                      "Checking modem integrity...", "Modem is not responding..."},
                     End}),
        .images = {MainHex.substr(0, FaultAfterHexBytes)},
        .nvramRewrites = 0,
    },
    {
        // A second upgrade after the first one ended, with a fresh log.
        .name = "StartOverAfterAnEnd",
        .startOvers = 1,
        .log = Join({FoundOn(2), IntoProgramming(2, 2), GoodVerdict, End}),
        .images = {MainHex, MainHex},
        .nvramRewrites = 2,
    },
};

class WholeUpgrade : public ::testing::TestWithParam<Scenario> {};

TEST_P(WholeUpgrade, LogAndDeliveredImages) {
  const Scenario& scenario = GetParam();
  PackagedUtility utility({.mainHex = MainHex,
                           .bootHex = scenario.withBoot ? std::optional(BootHex) : std::nullopt,
                           .trailerOptions = scenario.trailerOptions});
  UpgradeRun run(utility.File());
  const sim::SimulatedModem& modem = run.Ports().AddModem(scenario.com, scenario.modem);
  run.PlayUser(scenario.languageIndex, scenario.startOvers);
  run.Run();

  EXPECT_EQ(run.Log(), scenario.log);
  Lines everyRun;
  for (int i = 0; i <= scenario.startOvers; ++i)
    everyRun.insert(everyRun.end(), scenario.log.begin(), scenario.log.end());
  EXPECT_EQ(run.MirroredLines(), everyRun);

  std::vector<std::string> received;
  for (const sim::ReceivedImage& image : modem.Images())
    received.push_back(image.hexBytes);
  EXPECT_TRUE(received == scenario.images) << "the modem did not receive the packaged images";
  EXPECT_EQ(modem.NvramRewrites(), scenario.nvramRewrites);

  EXPECT_EQ(run.BoxTexts(), scenario.boxes);
  EXPECT_EQ(run.Sound().Playbacks().size(), scenario.boxes.size());
  EXPECT_EQ(utility.FilesLeft(), Lines{});
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WholeUpgrade, ::testing::ValuesIn(Scenarios),
                         [](const auto& info) { return std::string(info.param.name); });

// Debug mode adds the package dump, the steps' debug lines and an echo of the modem's lines
// during a transfer.
class DebugMode : public ::testing::Test {
 protected:
  // The dump that follows the heading, with the lengths the packager wrote.
  static Lines PackageDump(const PackagedUtility& utility) {
    const package::PackageInfo info = package::ReadPackageFile(utility.File())->Info;
    return {"Boot Length  = " + std::to_string(info.BootLength),
            "Main Length  = " + std::to_string(info.MainLength),
            "Boot Model   = xx518200",
            "Main Model   = xx518200",
            "Ignore Model = False",
            "Built For    = ",
            "ATI3 Response= Tessary 336",
            "Language     = English",
            "Countries    = US/Canada"};
  }

  static Lines Discovery() {
    return {"Device present on COM2.", "Debug mode is active.",
            "Press the FLASH! button to begin flashing the currently selected modem."};
  }

  // The echo's first line ends with the first line end of a transfer. It holds whatever came
  // in outside the reply waits since the country check opened the port: the modem's echo of
  // the query's pieces (less the backspace), and what followed the replies that were awaited.
  static constexpr char FirstEcho[] = "ATYOKATGBOOT5Boot>";

  static PackageRecipe Recipe(bool withBoot) {
    return {.mainHex = MainHex,
            .bootHex = withBoot ? std::optional(BootHex) : std::nullopt,
            .trailerOptions = Join({Product, BootModel, MainModel, ForUsCanada})};
  }
};

TEST_F(DebugMode, MainImageOnly) {
  PackagedUtility utility(Recipe(false));
  UpgradeRun run(utility.File(), {"/ud"});
  const sim::SimulatedModem& modem = run.Ports().AddModem(2);
  run.PlayUser(1);
  run.Run();

  EXPECT_EQ(run.Log(), Join({{"Tessary 336 flash utility initialized..."},
                             PackageDump(utility),
                             Discovery(),
                             IntoProgramming(2, 2),
                             {"Flashing main code...", FirstEcho},
                             GoodVerdict,
                             {"Rewriting NVRAM templates 0 and 1..."},
                             End}));
  ASSERT_EQ(modem.Images().size(), 1u);
  EXPECT_TRUE(modem.Images()[0].hexBytes == MainHex);
  EXPECT_EQ(utility.FilesLeft(), Lines{});
}

// The boot code's time-out, echoed and still read by the verdict wait; the modem cannot be
// reached with ATGM past its held CTS, so the failure step ends the upgrade before the main
// pass.
TEST_F(DebugMode, BadBootVerdictGoesThroughTheFailureStep) {
  PackagedUtility utility(Recipe(true));
  UpgradeRun run(utility.File(), {"/ud"});
  const sim::SimulatedModem& modem =
      run.Ports().AddModem(2, {.holdCtsAfterHexBytes = FaultAfterHexBytes});
  run.PlayUser(1);
  run.Run();

  EXPECT_EQ(run.Log(), Join({{"Tessary 336 flash utility initialized..."},
                             PackageDump(utility),
                             Discovery(),
                             IntoProgramming(2, 1),
                             {"Flashing boot code...", FirstEcho, "No RX data timeout",
                              "Flash file upload did not complete successfully.",
                              "Flash programming was not successful.", "Modem is not responding...",
                              "Failure...", "Complete."}}));
  ASSERT_EQ(modem.Images().size(), 1u);
  EXPECT_TRUE(modem.Images()[0].hexBytes == BootHex.substr(0, FaultAfterHexBytes));
  EXPECT_EQ(utility.FilesLeft(), Lines{});
}

}  // namespace
}  // namespace scenario
