#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "tools/tessary-modem-sim/line_pacer.h"
#include "tools/tessary-modem-sim/sim_options.h"

namespace realtime {
namespace {

namespace fs = std::filesystem;
using tessary_modem_sim::ParseSimOptions;
using tessary_modem_sim::UsageError;

TEST(ModemSimOptions, EveryFaultOptionReachesTheModem) {
  const std::vector<std::string> args = {"--link",
                                         "/tmp/com2",
                                         "--capture",
                                         "images.hex",
                                         "--log",
                                         "commands.log",
                                         "--baud",
                                         "0",
                                         "--product",
                                         "Tessary 336 Pro",
                                         "--model",
                                         "xx519900",
                                         "--country",
                                         "16",
                                         "--boot",
                                         "--code",
                                         "corrupt",
                                         "--silent",
                                         "--no-echo",
                                         "--lower-case",
                                         "--no-flash",
                                         "--programming",
                                         "refuse",
                                         "--verdict-timeout",
                                         "--drop-line-after",
                                         "100",
                                         "--hold-cts-after",
                                         "50",
                                         "--rx-timeout-ms",
                                         "250"};
  const auto options = ParseSimOptions(args);
  EXPECT_EQ(options.link, "/tmp/com2");
  EXPECT_EQ(options.capture, "images.hex");
  EXPECT_EQ(options.log, "commands.log");
  EXPECT_EQ(options.baud, 0u);
  const sim::ModemOptions& modem = options.modem;
  EXPECT_EQ(modem.productName, "Tessary 336 Pro");
  EXPECT_EQ(modem.modelCode, "xx519900");
  EXPECT_EQ(modem.countryIndex, 16);
  EXPECT_TRUE(modem.waitsInBootCode);
  EXPECT_EQ(modem.code, sim::CodeState::Corrupt);
  EXPECT_TRUE(modem.silent);
  EXPECT_FALSE(modem.echo);
  EXPECT_TRUE(modem.lowerCaseReplies);
  EXPECT_FALSE(modem.flashCapable);
  EXPECT_EQ(modem.programming, sim::ProgrammingAnswer::Refuse);
  EXPECT_TRUE(modem.verdictTimeout);
  EXPECT_EQ(modem.dropLineAfterHexBytes, 100u);
  EXPECT_EQ(modem.holdCtsAfterHexBytes, 50u);
  EXPECT_EQ(modem.rxDataTimeout, 250'000);
}

TEST(ModemSimOptions, ProductNamesGoOnTheLineInCodePage1252) {
  const std::vector<std::string> args = {"--product", "Tessary Modem \xC3\xA9"};  // é
  EXPECT_EQ(ParseSimOptions(args).modem.productName, "Tessary Modem \xE9");
}

TEST(ModemSimOptions, MistakesAreRefused) {
  const std::vector<std::vector<std::string>> cases = {
      {"--frobnicate"},
      {"--link"},
      {"--country", "1000"},
      {"--country", "-1"},
      {"--baud", "fast"},
      {"--code", "broken"},
      {"--programming", "maybe"},
      {"--drop-line-after", "0"},
      {"--product", "\xE2\x82"},      // not UTF-8
      {"--product", "\xE4\xB8\xAD"},  // no such character in the code page
  };
  for (const auto& args : cases) {
    EXPECT_THROW(ParseSimOptions(args), UsageError) << args.front();
  }
}

TEST(LinePacer, TakesBytesAtTheLineRate) {
  tessary_modem_sim::LinePacer pacer(115200);
  std::size_t taken = 0;
  sim::Micros lastArrival = 0;
  // A sender that never lets up, read in batches for ten seconds.
  for (sim::Micros now = 0; now <= 10'000'000; now += tessary_modem_sim::LinePacer::BatchUs) {
    for (std::size_t due = pacer.Due(now); due > 0; --due, ++taken)
      lastArrival = pacer.Take(now);
  }
  EXPECT_NEAR(static_cast<double>(taken), 115'200.0, 20.0);  // 11520 bytes a second
  EXPECT_LE(lastArrival, 10'000'000);
}

TEST(LinePacer, AQuietSpellEarnsNoMoreThanAFifoFull) {
  tessary_modem_sim::LinePacer pacer(115200);
  EXPECT_LE(pacer.Due(60'000'000), 116u);  // ten milliseconds' worth
  tessary_modem_sim::LinePacer unpaced(0);
  EXPECT_GT(unpaced.Due(0), 1'000'000u);
}

// The served modem, through its link, as a program opening and closing the port sees it.
class ServedModem : public ::testing::Test {
 protected:
  ServedModem()
      : link_(FreshLink()), sim_({TESSARY_MODEM_SIM, "--link", link_.string(), "--baud", "0"}, {}) {
    for (int i = 0; i < 200 && !fs::is_symlink(link_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  ~ServedModem() override {
    sim_.Signal(SIGKILL);
    sim_.Wait(std::chrono::seconds(10));
    fs::remove(link_);
  }

  static fs::path FreshLink() {
    const fs::path link = fs::temp_directory_path() /
                          ("modem_sim_test_" + std::to_string(getpid()) + "_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove(link);
    return link;
  }

  int OpenPort() const {
    const int fd = open(link_.c_str(), O_RDWR | O_NOCTTY);
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
    return fd;
  }

  // Whatever arrives until the line has been quiet for a while.
  static std::string ReadQuiet(int fd) {
    std::string got;
    pollfd ready{fd, POLLIN, 0};
    while (poll(&ready, 1, 300) == 1) {
      char buffer[256];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }

  static void Send(int fd, const std::string& bytes) {
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  fs::path link_;
  ChildProcess sim_;
};

TEST_F(ServedModem, AnswersAcrossClosingAndReopeningAndLosesWhatNobodyHeard) {
  ASSERT_TRUE(fs::is_symlink(link_));
  int fd = OpenPort();
  Send(fd, "ATI3\r");
  EXPECT_EQ(ReadQuiet(fd), "ATI3\r\r\nTessary 336\r\n\r\nOK\r\n");
  close(fd);

  // A command whose answer comes after the port has closed: like a UART, the line drops it.
  fd = OpenPort();
  Send(fd, "ATI0\r");
  close(fd);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));

  fd = OpenPort();
  Send(fd, "AT\r");
  EXPECT_EQ(ReadQuiet(fd), "AT\r\r\nOK\r\n");
  close(fd);
}

TEST_F(ServedModem, EndsCleanlyOnSigtermAndTakesItsLinkAway) {
  ASSERT_TRUE(fs::is_symlink(link_));
  sim_.Signal(SIGTERM);
  EXPECT_EQ(sim_.Wait(std::chrono::seconds(10)), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link_)));
}

}  // namespace
}  // namespace realtime
