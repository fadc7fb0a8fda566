#include "platform/posix/wave_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "wave_builder.h"

namespace platform {
namespace {

TEST(WaveFile, ReadsTheFormatAndTheSamples) {
  const std::vector<std::uint8_t> samples{1, 2, 3, 4, 5, 6, 7, 8};
  const WaveSound sound = ParseWave(BuildWave(2, 22050, 16, samples));
  EXPECT_EQ(sound.channels, 2);
  EXPECT_EQ(sound.sampleRate, 22050u);
  EXPECT_EQ(sound.bitsPerSample, 16);
  EXPECT_EQ(sound.samples, samples);
  EXPECT_EQ(sound.FrameCount(), 2u);
}

TEST(WaveFile, SkipsOtherChunksIncludingOddSizedOnes) {
  std::vector<std::uint8_t> file = BuildWave(1, 11025, 8, {9, 8, 7});
  // A "LIST" chunk of 3 bytes plus its pad byte, between the format and the data chunk.
  const std::vector<std::uint8_t> list{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  file.insert(file.begin() + 36, list.begin(), list.end());
  EXPECT_EQ(ParseWave(file).samples, (std::vector<std::uint8_t>{9, 8, 7}));
}

TEST(WaveFile, DataCutShortGivesTheWholeFramesThatAreThere) {
  std::vector<std::uint8_t> file = BuildWave(1, 8000, 16, {1, 2, 3, 4, 5, 6});
  file.resize(file.size() - 1);  // the file ends in the middle of the last frame
  EXPECT_EQ(ParseWave(file).samples, (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

TEST(WaveFile, RefusesWhatItCannotPlay) {
  std::vector<std::uint8_t> compressed = BuildWave(1, 8000, 16, {0, 0});
  compressed[20] = 2;  // ADPCM
  std::vector<std::uint8_t> oddBits = BuildWave(1, 8000, 12, {0, 0});
  std::vector<std::uint8_t> noData = BuildWave(1, 8000, 8, {});
  noData.resize(36);
  const struct {
    const char* name;
    std::vector<std::uint8_t> file;
  } cases[] = {
      {"empty", {}},
      {"not RIFF", std::vector<std::uint8_t>(64, 'x')},
      {"compressed", compressed},
      {"12-bit samples", oddBits},
      {"no data chunk", noData},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(ParseWave(c.file), Exception) << c.name;
  }
}

}  // namespace
}  // namespace platform
