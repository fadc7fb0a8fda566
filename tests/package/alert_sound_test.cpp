#include "package/alert_sound.h"

#include <gtest/gtest.h>

#include <cstring>

#include "package/package_state.h"
#include "tests/package/package_sandbox.h"

namespace package_test {
namespace {

std::uint32_t Field(const Bytes& bytes, std::size_t offset, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | bytes[offset + i];
  return value;
}

TEST(BuiltInAlertSound, IsAPlayableWaveOfTheFixedLength) {
  const Bytes wav = package::BuiltInAlertSound();
  ASSERT_EQ(wav.size(), static_cast<std::size_t>(package::SoundLength));
  EXPECT_TRUE(package::IsAlertSound(wav));
  EXPECT_EQ(std::memcmp(wav.data() + 12, "fmt ", 4), 0);
  EXPECT_EQ(Field(wav, 20, 2), 1u);  // PCM
  EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
  EXPECT_EQ(Field(wav, 40, 4), wav.size() - 44);
  EXPECT_NE(std::count(wav.begin() + 44, wav.end(), 128), wav.size() - 44) << "silent";
  EXPECT_EQ(package::BuiltInAlertSound(), wav);
}

TEST(IsAlertSound, RefusesOtherFiles) {
  const Bytes wav = package::BuiltInAlertSound();
  Bytes longer = wav;
  longer.push_back(0);
  Bytes notRiff = wav;
  notRiff[0] = 'X';
  Bytes notWave = wav;
  notWave[8] = 'X';
  Bytes wrongSize = wav;
  wrongSize[4] ^= 1;
  for (const Bytes* bytes : {&longer, &notRiff, &notWave, &wrongSize}) {
    EXPECT_FALSE(package::IsAlertSound(*bytes));
  }
  EXPECT_FALSE(package::IsAlertSound(Bytes(10, 0)));
}

}  // namespace
}  // namespace package_test
