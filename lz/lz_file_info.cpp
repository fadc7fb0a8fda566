#include "lz/lz_file_info.h"

#include <array>
#include <utility>

#include "platform/checked.h"

namespace lz {

bool ReadLZHeader(platform::File& file, TLZHeader& header) {
  const std::int64_t position = file.Position();
  file.Seek(0, platform::SeekOrigin::Begin);
  std::array<std::uint8_t, kLZHeaderSize> bytes{};
  const std::size_t got = file.Read(bytes);
  header = DecodeLZHeader(bytes);
  file.Seek(position, platform::SeekOrigin::Begin);
  return got == kLZHeaderSize && IsLZArchiveHeader(header);
}

std::string GetStoredName(const std::string& fileName) {
  platform::File file = platform::File::OpenInput(fileName);
  TLZHeader header;
  return ReadLZHeader(file, header) ? header.FileName.Text() : fileName;
}

std::int32_t FileSizeByName(const std::string& fileName) {
  return platform::RangeChecked<std::int32_t>(platform::File::OpenInput(fileName).Size());
}

std::uint32_t FileDateByName(const std::string& fileName) {
  const std::optional<platform::File> file = platform::File::TryOpenInput(fileName);
  if (!file) return 0;
  return file->LastWriteDosDateTime().value_or(0xFFFFFFFF);
}

std::string GetVersionInfoString(const std::string& /*fileName*/, const std::string& /*key*/) {
  return {};
}

CountedString<8> GetFileVersionText(const std::string& fileName) {
  const std::string version = GetVersionInfoString(fileName, "FileVersion");
  return CountedString<8>(version.empty() ? "0" : version);
}

}  // namespace lz
