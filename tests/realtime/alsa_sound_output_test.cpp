#include "platform/posix/alsa_sound_output.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/virtual/virtual_event_loop.h"
#include "wave_builder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// ALSA's "file" device writes what is played into a file (over the null device), so the test
// hears the samples without a sound card.
class AlsaSoundOutputTest : public ::testing::Test {
 protected:
  AlsaSoundOutputTest() {
    dir_ = fs::temp_directory_path() /
           ("alsa_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  ~AlsaSoundOutputTest() override { fs::remove_all(dir_); }

  std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return path.string();
  }
  std::string Captured() const {
    std::ifstream in(dir_ / "played.raw", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string CaptureDevice() const {
    return "file:FILE=" + (dir_ / "played.raw").string() + ",FORMAT=raw";
  }

  VirtualEventLoop loop;
  fs::path dir_;
};

TEST_F(AlsaSoundOutputTest, PlaysEverySampleAndThenReleasesTheDevice) {
  std::vector<std::uint8_t> samples(40'000);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::uint8_t>(i * 7);
  AlsaSoundOutput output(loop, CaptureDevice());
  ASSERT_TRUE(output.Play(WriteFile("alert.wav", BuildWave(1, 11025, 8, samples))));
  EXPECT_TRUE(loop.RunUntil([&] { return !output.Playing(); }, 60'000'000));
  EXPECT_EQ(Captured(), std::string(samples.begin(), samples.end()));
}

TEST_F(AlsaSoundOutputTest, StopEndsTheSoundAtOnce) {
  AlsaSoundOutput output(loop, CaptureDevice());
  ASSERT_TRUE(output.Play(
      WriteFile("long.wav", BuildWave(2, 44100, 16, std::vector<std::uint8_t>(1'000'000, 1)))));
  output.Stop();
  EXPECT_FALSE(output.Playing());
  output.Stop();  // harmless when nothing plays
}

TEST_F(AlsaSoundOutputTest, ReportsFalseWhenItCannotPlay) {
  const std::string wave = WriteFile("ok.wav", BuildWave(1, 8000, 8, {1, 2}));
  const std::string notWave = WriteFile("bad.wav", {'n', 'o', 'p', 'e'});
  AlsaSoundOutput noDevice(loop, "no_such_device_anywhere");
  EXPECT_FALSE(noDevice.Play(wave));
  AlsaSoundOutput output(loop, CaptureDevice());
  EXPECT_FALSE(output.Play(notWave));
  EXPECT_FALSE(output.Play((dir_ / "missing.wav").string()));
  EXPECT_FALSE(output.Playing());
}

}  // namespace
}  // namespace platform
