#include "package/package_trailer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/exceptions.h"

namespace package {
namespace {

// The example package: no boot image, a 269730-byte main archive, model checks ignored,
// English, approved for country 0 only.
TrailerBytes ExampleTrailer() {
  TrailerBytes bytes{};
  bytes[4] = 0xA2;
  bytes[5] = 0x1D;
  bytes[6] = 0x04;
  bytes[26] = 1;
  bytes[27] = 8;
  std::copy_n("Reseller", 8, bytes.begin() + 28);
  bytes[78] = 23;
  std::copy_n("Tessary 56K Voice Modem", 23, bytes.begin() + 79);
  bytes[143] = 1;
  return bytes;
}

TEST(DecodeTrailer, ExamplePackage) {
  const PackageInfo info = DecodeTrailer(ExampleTrailer());
  EXPECT_EQ(info.BootLength, 0);
  EXPECT_EQ(info.MainLength, 269730);
  EXPECT_EQ(info.BootModel, "");
  EXPECT_EQ(info.MainModel, "");
  EXPECT_TRUE(info.IgnoreModel);
  EXPECT_EQ(info.BuiltFor, "Reseller");
  EXPECT_EQ(info.ProductName, "Tessary 56K Voice Modem");
  EXPECT_EQ(info.Language, 0);
  EXPECT_TRUE(info.Countries[0]);
  EXPECT_EQ(std::count(info.Countries.begin(), info.Countries.end(), true), 1);
}

TEST(DecodeTrailer, LengthWithTopBitSetOverflows) {
  for (const std::size_t lastByte : {3u, 7u}) {
    TrailerBytes bytes = ExampleTrailer();
    bytes[lastByte] = 0x80;
    EXPECT_THROW(DecodeTrailer(bytes), platform::EIntOverflow) << "offset " << lastByte;
    bytes[lastByte] = 0x7F;
    EXPECT_NO_THROW(DecodeTrailer(bytes));
  }
}

TEST(DecodeTrailer, FlagsAreTrueOnlyForOne) {
  for (const std::uint8_t value : {0, 1, 2, 0xFF}) {
    TrailerBytes bytes{};
    bytes[26] = value;
    bytes[143 + 49] = value;
    const PackageInfo info = DecodeTrailer(bytes);
    EXPECT_EQ(info.IgnoreModel, value == 1);
    EXPECT_EQ(info.Countries[49], value == 1);
  }
}

struct TextCase {
  const char* field;
  std::size_t lengthOffset;
  std::uint8_t lengthByte;
  std::size_t expectedLength;
  std::string PackageInfo::*member;
};

// Length bytes beyond a field's capacity are cut to it, never read into the next field; a
// zero length ignores whatever the character area holds.
TEST(DecodeTrailer, TextLengthBytes) {
  const std::vector<TextCase> cases = {
      {"BootModel empty", 8, 0, 0, &PackageInfo::BootModel},
      {"BootModel full", 8, 8, 8, &PackageInfo::BootModel},
      {"BootModel over", 8, 9, 8, &PackageInfo::BootModel},
      {"MainModel over", 17, 255, 8, &PackageInfo::MainModel},
      {"BuiltFor over", 27, 51, 50, &PackageInfo::BuiltFor},
      {"ProductName full", 78, 49, 49, &PackageInfo::ProductName},
      {"ProductName 50", 78, 50, 49, &PackageInfo::ProductName},
      {"ProductName over", 78, 255, 49, &PackageInfo::ProductName},
  };
  for (const TextCase& c : cases) {
    TrailerBytes bytes;
    bytes.fill('x');
    bytes[0] = bytes[1] = bytes[2] = bytes[3] = 0;
    bytes[4] = bytes[5] = bytes[6] = bytes[7] = 0;
    bytes[c.lengthOffset] = c.lengthByte;
    const PackageInfo info = DecodeTrailer(bytes);
    EXPECT_EQ(info.*c.member, std::string(c.expectedLength, 'x')) << c.field;
  }
}

TEST(EncodeTrailer, RoundTripsEveryField) {
  PackageInfo info;
  info.BootLength = 9387;
  info.MainLength = 0x7FFFFFFF;
  info.BootModel = "xx518200";
  info.MainModel = "yy518201";
  info.IgnoreModel = true;
  info.BuiltFor = std::string(50, 'b');
  info.ProductName = std::string(49, 'p');
  info.Language = 4;
  info.Countries[0] = info.Countries[23] = info.Countries[49] = true;
  const TrailerBytes bytes = EncodeTrailer(info);
  const PackageInfo back = DecodeTrailer(bytes);
  EXPECT_EQ(back.BootLength, info.BootLength);
  EXPECT_EQ(back.MainLength, info.MainLength);
  EXPECT_EQ(back.BootModel, info.BootModel);
  EXPECT_EQ(back.MainModel, info.MainModel);
  EXPECT_EQ(back.IgnoreModel, info.IgnoreModel);
  EXPECT_EQ(back.BuiltFor, info.BuiltFor);
  EXPECT_EQ(back.ProductName, info.ProductName);
  EXPECT_EQ(back.Language, info.Language);
  EXPECT_EQ(back.Countries, info.Countries);
  EXPECT_EQ(bytes[128], 0);  // the unused 50th product position
  EXPECT_TRUE(std::all_of(bytes.begin() + 129, bytes.begin() + 142, [](auto b) { return b == 0; }));
}

TEST(EncodeTrailer, RefusesWhatTheTrailerCannotHold) {
  PackageInfo negative;
  negative.MainLength = -1;
  EXPECT_THROW(EncodeTrailer(negative), platform::ERangeError);
  PackageInfo longProduct;
  longProduct.ProductName = std::string(50, 'p');
  EXPECT_THROW(EncodeTrailer(longProduct), platform::ERangeError);
}

TEST(PackageInfoDump, LabelsAndValues) {
  const std::vector<std::string> lines = PackageInfoDump(DecodeTrailer(ExampleTrailer()));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Boot Length  = 0",
                       "Main Length  = 269730",
                       "Boot Model   = ",
                       "Main Model   = ",
                       "Ignore Model = True",
                       "Built For    = Reseller",
                       "ATI3 Response= Tessary 56K Voice Modem",
                       "Language     = English",
                       "Countries    = US/Canada",
                   }));
}

TEST(PackageInfoDump, CountriesRunTogetherAndUnknownLanguageStandsAlone) {
  PackageInfo info;
  info.Countries[0] = info.Countries[1] = true;
  info.Language = 5;
  info.ProductName = "Modem \xE9t\xE9";  // code page 1252
  const std::vector<std::string> lines = PackageInfoDump(info);
  EXPECT_EQ(lines[4], "Ignore Model = False");
  EXPECT_EQ(lines[6], "ATI3 Response= Modem \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(lines[7], "Language     = ");
  EXPECT_EQ(lines[8], "Countries    = US/CanadaJapan");
}

}  // namespace
}  // namespace package
