#include "package/package_trailer.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "lz/counted_string.h"
#include "platform/exceptions.h"
#include "platform/little_endian.h"
#include "text/cp1252.h"
#include "text/message_catalogue.h"

namespace package {
namespace {

constexpr std::size_t BootLengthOffset = 0;
constexpr std::size_t MainLengthOffset = 4;
constexpr std::size_t BootModelOffset = 8;
constexpr std::size_t MainModelOffset = 17;
constexpr std::size_t IgnoreModelOffset = 26;
constexpr std::size_t BuiltForOffset = 27;
constexpr std::size_t ProductNameOffset = 78;
constexpr std::size_t LanguageOffset = 142;
constexpr std::size_t CountriesOffset = 143;

constexpr std::array<std::string_view, LanguageCount> LanguageNames = {
    "English", "German", "French", "Italian", "Spanish"};

std::int32_t DecodeLength(const TrailerBytes& bytes, std::size_t offset) {
  if (bytes[offset + 3] > 0x7F) throw platform::EIntOverflow();
  return static_cast<std::int32_t>(platform::ReadLittleEndian32(bytes, offset));
}

void EncodeLength(TrailerBytes& bytes, std::size_t offset, std::int32_t value) {
  if (value < 0) throw platform::ERangeError();
  platform::WriteLittleEndian32(bytes, offset, static_cast<std::uint32_t>(value));
}

template <std::size_t Capacity>
std::string DecodeText(const TrailerBytes& bytes, std::size_t offset) {
  const std::span<const std::uint8_t> all(bytes);
  return lz::CountedString<Capacity>::FromBytes(all.subspan(offset).template first<Capacity + 1>())
      .Text();
}

template <std::size_t Capacity>
void EncodeText(TrailerBytes& bytes, std::size_t offset, const std::string& text) {
  if (text.size() > Capacity) throw platform::ERangeError();
  const lz::CountedString<Capacity> field(text);
  std::copy(field.Bytes().begin(), field.Bytes().end(), bytes.begin() + offset);
}

bool DecodeFlag(std::uint8_t byte) {
  return byte == 1;
}

}  // namespace

PackageInfo DecodeTrailer(const TrailerBytes& bytes) {
  PackageInfo info;
  info.BootLength = DecodeLength(bytes, BootLengthOffset);
  info.MainLength = DecodeLength(bytes, MainLengthOffset);
  info.BootModel = DecodeText<ModelCapacity>(bytes, BootModelOffset);
  info.MainModel = DecodeText<ModelCapacity>(bytes, MainModelOffset);
  info.IgnoreModel = DecodeFlag(bytes[IgnoreModelOffset]);
  info.BuiltFor = DecodeText<BuiltForCapacity>(bytes, BuiltForOffset);
  info.ProductName = DecodeText<ProductNameCapacity>(bytes, ProductNameOffset);
  info.Language = bytes[LanguageOffset];
  for (int i = 0; i < CountryFlagCount; ++i) {
    info.Countries[i] = DecodeFlag(bytes[CountriesOffset + i]);
  }
  return info;
}

TrailerBytes EncodeTrailer(const PackageInfo& info) {
  TrailerBytes bytes{};
  EncodeLength(bytes, BootLengthOffset, info.BootLength);
  EncodeLength(bytes, MainLengthOffset, info.MainLength);
  EncodeText<ModelCapacity>(bytes, BootModelOffset, info.BootModel);
  EncodeText<ModelCapacity>(bytes, MainModelOffset, info.MainModel);
  bytes[IgnoreModelOffset] = info.IgnoreModel ? 1 : 0;
  EncodeText<BuiltForCapacity>(bytes, BuiltForOffset, info.BuiltFor);
  EncodeText<ProductNameCapacity>(bytes, ProductNameOffset, info.ProductName);
  bytes[LanguageOffset] = info.Language;
  for (int i = 0; i < CountryFlagCount; ++i) {
    bytes[CountriesOffset + i] = info.Countries[i] ? 1 : 0;
  }
  return bytes;
}

std::vector<std::string> PackageInfoDump(const PackageInfo& info) {
  std::string countries;
  for (int i = 0; i < CountryFlagCount; ++i) {
    if (info.Countries[i]) countries += text::CountryName(i);
  }
  const std::string language =
      info.Language < LanguageCount ? std::string(LanguageNames[info.Language]) : "";
  return {
      "Boot Length  = " + std::to_string(info.BootLength),
      "Main Length  = " + std::to_string(info.MainLength),
      "Boot Model   = " + text::ToUtf8(info.BootModel),
      "Main Model   = " + text::ToUtf8(info.MainModel),
      "Ignore Model = " + std::string(info.IgnoreModel ? "True" : "False"),
      "Built For    = " + text::ToUtf8(info.BuiltFor),
      "ATI3 Response= " + text::ToUtf8(info.ProductName),
      "Language     = " + language,
      "Countries    = " + countries,
  };
}

}  // namespace package
