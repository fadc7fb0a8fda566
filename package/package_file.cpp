#include "package/package_file.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "lz/lz_header.h"
#include "package/package_trailer.h"
#include "platform/exceptions.h"
#include "platform/files.h"

namespace package {
namespace {

template <std::size_t Size>
std::array<std::uint8_t, Size> ReadAt(platform::File& file, std::int64_t offset) {
  std::array<std::uint8_t, Size> bytes{};
  file.Seek(offset, platform::SeekOrigin::Begin);
  file.Read(bytes);
  return bytes;
}

bool StartsWithArchive(platform::File& file, std::int64_t fileSize, const TailPiece& piece) {
  if (piece.length < static_cast<std::int64_t>(lz::kLZHeaderSize)) return false;
  return lz::IsLZArchiveHeader(
      lz::DecodeLZHeader(ReadAt<lz::kLZHeaderSize>(file, piece.OffsetIn(fileSize))));
}

bool StartsWithSound(platform::File& file, std::int64_t fileSize, const TailPiece& piece) {
  const auto head = ReadAt<12>(file, piece.OffsetIn(fileSize));
  const auto tagAt = [&](std::size_t offset, std::string_view tag) {
    return std::equal(tag.begin(), tag.end(), head.begin() + offset);
  };
  return tagAt(0, "RIFF") && tagAt(8, "WAVE");
}

}  // namespace

std::optional<PackageFile> ReadPackageFile(const std::string& path) {
  platform::File file = platform::File::OpenInput(path);
  PackageFile package;
  package.FileSize = file.Size();
  if (package.FileSize < TrailerSize) return std::nullopt;
  try {
    package.Info = DecodeTrailer(ReadAt<TrailerSize>(file, package.FileSize - TrailerSize));
  } catch (const platform::EIntOverflow&) {
    return std::nullopt;  // no trailer of ours has a length that large
  }
  package.Tail = TailOf(package.Info.BootLength, package.Info.MainLength);
  const PackageTail& tail = package.Tail;
  if (!tail.Sound.FitsIn(package.FileSize)) return std::nullopt;
  const bool bootIsArchive =
      tail.Boot.length == 0 || StartsWithArchive(file, package.FileSize, tail.Boot);
  if (!bootIsArchive || !StartsWithArchive(file, package.FileSize, tail.Main) ||
      !StartsWithSound(file, package.FileSize, tail.Sound)) {
    return std::nullopt;
  }
  return package;
}

}  // namespace package
