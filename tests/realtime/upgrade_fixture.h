#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "intel_hex_writer.h"

// Whole upgrades in real time: the packaged utility on a virtual X display, simulated modems on
// pseudo-terminals, the user's keys pressed from outside.
namespace realtime {

namespace fs = std::filesystem;
using std::chrono::seconds;

inline const std::string kWindowTitle = "Orvell Tessary Software Upgrade";
// The summary of a discovery that found one modem.
inline const std::string kFlashPrompt =
    "Press the FLASH! button to begin flashing the currently selected modem.";

inline bool OnPath(const std::string& program) {
  return RunToEnd({"/bin/sh", "-c", "command -v " + program}).status == 0;
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RealTimeUpgrade : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool";
    dir_ = fs::temp_directory_path() /
           ("tessary_realtime_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "drive-c");
    fs::permissions(dir_ / "drive-c", fs::perms::owner_all);
    StartDisplay();
  }

  void TearDown() override {
    if (HasFailure() && !display_.empty()) {
      // What the window showed, for whoever looks into the failure.
      RunToEnd({"/bin/sh", "-c", "import -window root \"$0\"", (dir_ / "screen.png").string()},
               {{"DISPLAY", display_}});
      std::cerr << "kept for the failure: " << dir_ << "\n";
    }
    if (utility_) {
      utility_->Signal(SIGTERM);
      utility_->Wait(seconds(10));
    }
    for (auto& modem : modems_) {
      modem->Signal(SIGTERM);
      EXPECT_EQ(modem->Wait(seconds(10)), 0) << "a simulated modem did not end cleanly";
    }
    if (!HasFailure()) fs::remove_all(dir_);
  }

  // Xvfb picks a free display and says which on a pipe.
  void StartDisplay() {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    ChildProcess::Options options;
    options.passFd = pipeFds[1];
    options.childFd = 3;
    xvfb_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp"},
        options);
    close(pipeFds[1]);
    pollfd ready{pipeFds[0], POLLIN, 0};
    char number[16] = {};
    if (poll(&ready, 1, 10'000) == 1) {
      const ssize_t got = read(pipeFds[0], number, sizeof number - 1);
      number[std::max<ssize_t>(got, 0)] = '\0';
    }
    close(pipeFds[0]);
    display_ = ":" + std::string(number).substr(0, std::string(number).find('\n'));
    ASSERT_NE(display_, ":") << "Xvfb did not start";
  }

  std::string ComLink(int com) const { return (dir_ / ("com" + std::to_string(com))).string(); }
  fs::path Capture(int com) const { return dir_ / ("com" + std::to_string(com) + ".hex"); }
  fs::path CommandLog(int com) const { return dir_ / ("com" + std::to_string(com) + ".log"); }

  void StartModem(int com, std::vector<std::string> options) {
    std::vector<std::string> argv{
        TESSARY_MODEM_SIM,        "--link",    ComLink(com),         "--log",
        CommandLog(com).string(), "--capture", Capture(com).string()};
    argv.insert(argv.end(), options.begin(), options.end());
    ChildProcess::Options childOptions;
    childOptions.stderrPath = (dir_ / ("sim" + std::to_string(com) + ".err")).string();
    modems_.push_back(std::make_unique<ChildProcess>(argv, childOptions));
    for (int i = 0; i < 200 && !fs::is_symlink(ComLink(com)); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(fs::is_symlink(ComLink(com)))
        << "the simulated modem on COM" << com << " did not start";
  }

  // A package with a main image only; returns the packaged utility.
  std::string PackMainOnly(const std::string& mainHex) {
    std::ofstream(dir_ / "main.hex", std::ios::binary) << mainHex;
    const std::string packaged = (dir_ / "tessary-flash-test").string();
    const Completed pack = RunToEnd(
        {TESSARY_PACK, "--out", packaged, "--main", (dir_ / "main.hex").string(), "--product",
         "Tessary 336", "--main-model", "xx518200", "--country", "0", "--base", TESSARY_FLASH});
    EXPECT_EQ(pack.status, 0) << pack.output;
    return packaged;
  }

  void StartUtility(const std::string& packaged) {
    std::map<std::string, std::string> environment{{"DISPLAY", display_},
                                                   {"TESSARY_DRIVE_C", (dir_ / "drive-c").string()},
                                                   {"QT_QPA_PLATFORM", "xcb"}};
    // Under the leak checker, the libraries of the Qt window are not ours to answer for.
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    environment["LSAN_OPTIONS"] =
        std::string(leakOptions ? leakOptions : "") + ":suppressions=" TESSARY_QT_LSAN_SUPPRESSIONS;
    for (int com = 1; com <= 4; ++com)
      environment["TESSARY_COM" + std::to_string(com)] = ComLink(com);
    ChildProcess::Options options;
    options.environment = environment;
    options.stdoutPath = (dir_ / "flash.out").string();
    options.stderrPath = (dir_ / "flash.err").string();
    utility_ = std::make_unique<ChildProcess>(std::vector<std::string>{packaged}, options);
  }

  std::vector<std::string> LogLines() const {
    std::istringstream in(ReadFile(dir_ / "flash.out"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

  bool WaitForLine(const std::string& line, seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline && utility_->Running()) {
      const auto lines = LogLines();
      if (std::find(lines.begin(), lines.end(), line) != lines.end()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  // Keys to the main window, as xdotool types them (for example "alt+f").
  void PressKeys(const std::string& keys) {
    const std::map<std::string, std::string> environment{{"DISPLAY", display_}};
    const Completed search = RunToEnd(
        {"/usr/bin/xdotool", "search", "--sync", "--name", "^" + kWindowTitle + "$"}, environment);
    ASSERT_EQ(search.status, 0);
    const std::string window = search.output.substr(0, search.output.find('\n'));
    EXPECT_EQ(RunToEnd({"/usr/bin/xdotool", "windowfocus", "--sync", window}, environment).status,
              0);
    EXPECT_EQ(RunToEnd({"/usr/bin/xdotool", "key", "--clearmodifiers", keys}, environment).status,
              0);
  }

  std::string Diagnostics() const {
    return "\n--- utility output:\n" + ReadFile(dir_ / "flash.out") + "--- utility errors:\n" +
           ReadFile(dir_ / "flash.err");
  }

  fs::path dir_;
  std::string display_;
  std::unique_ptr<ChildProcess> xvfb_;
  std::vector<std::unique_ptr<ChildProcess>> modems_;
  std::unique_ptr<ChildProcess> utility_;
};

}  // namespace realtime
