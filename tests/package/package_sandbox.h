#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "lz/lz_obj.h"
#include "package/package_state.h"
#include "package/package_trailer.h"

namespace package_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ToBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// Bytes that differ from their neighbours, so that a copy from the wrong place shows.
inline Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<std::uint8_t>((i * 7 + seed) % 251);
  return bytes;
}

inline Bytes Join(std::initializer_list<const Bytes*> parts) {
  Bytes joined;
  for (const Bytes* part : parts)
    joined.insert(joined.end(), part->begin(), part->end());
  return joined;
}

inline int Mode(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return -1;
  return static_cast<int>(info.st_mode & 07777);
}

// A well-formed Intel HEX image of `records` 16-byte data records, then the end record.
inline std::string IntelHexImage(int records, std::uint8_t seed = 0) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string text;
  for (int r = 0; r < records; ++r) {
    std::vector<std::uint8_t> record = {16, static_cast<std::uint8_t>(r >> 4),
                                        static_cast<std::uint8_t>(r << 4), 0};
    for (int i = 0; i < 16; ++i)
      record.push_back(static_cast<std::uint8_t>(r * 16 + i + seed));
    std::uint8_t sum = 0;
    for (std::uint8_t b : record)
      sum = static_cast<std::uint8_t>(sum + b);
    record.push_back(static_cast<std::uint8_t>(-sum));
    text += ':';
    for (std::uint8_t b : record) {
      text += Digits[b >> 4];
      text += Digits[b & 15];
    }
    text += "\r\n";
  }
  return text + ":00000001FF\r\n";
}

// A temporary world for one test: a working directory and a drive C: folder of its own
// (TESSARY_DRIVE_C), both removed afterwards.
class Sandbox {
 public:
  Sandbox() : previous_(std::filesystem::current_path()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tessary-package-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    std::filesystem::create_directory(Work());
    ::setenv("TESSARY_DRIVE_C", DriveC().c_str(), 1);
    std::filesystem::current_path(Work());
  }
  ~Sandbox() {
    std::filesystem::current_path(previous_);
    ::unsetenv("TESSARY_DRIVE_C");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  std::string Root() const { return root_; }
  std::string Work() const { return root_ + "/work"; }
  std::string DriveC() const { return root_ + "/drive-c"; }
  std::string Path(std::string_view name) const { return root_ + "/" + std::string(name); }

  // The files in a folder, by name.
  static std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    if (!std::filesystem::exists(folder)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // The LZ archive of a text, written through the codec under the given stored name.
  Bytes Archive(std::string_view text, const std::string& storedName = "image.hex") const {
    const std::string folder = Path("archives");
    std::filesystem::create_directories(folder);
    const std::string input = folder + "/" + storedName;
    WriteBytes(input, ToBytes(text));
    lz::LZObj(input, input + ".lz").Compress();
    return ReadBytes(input + ".lz");
  }

 private:
  std::filesystem::path previous_;
  std::string root_;
};

// A program file: executable image, sound, boot archive, main archive, trailer. The trailer
// takes its lengths from info as given, so that a test can make it lie.
inline Bytes ProgramBytes(const Bytes& executable, const Bytes& sound, const Bytes& boot,
                          const Bytes& main, const package::PackageInfo& info) {
  const package::TrailerBytes trailer = package::EncodeTrailer(info);
  const Bytes trailerBytes(trailer.begin(), trailer.end());
  return Join({&executable, &sound, &boot, &main, &trailerBytes});
}

inline package::PackageInfo WithLengths(package::PackageInfo info, std::size_t boot,
                                        std::size_t main) {
  info.BootLength = static_cast<std::int32_t>(boot);
  info.MainLength = static_cast<std::int32_t>(main);
  return info;
}

}  // namespace package_test
