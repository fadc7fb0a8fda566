#pragma once

#include <array>
#include <string>
#include <string_view>

namespace package {

// The program's fixed temporary file names, as Windows names (platform::LocalPath maps them).
inline constexpr std::string_view TrailerTempFile = "~1~w~1~z.$$$";
inline constexpr std::string_view BootArchiveFile = "c:\\~1~Z~6~Z.$$$";
inline constexpr std::string_view BootHexFile = "c:\\~1~Z~6~X.$$$";
inline constexpr std::string_view MainArchiveFile = "c:\\~1~Z~6~1.$$$";
inline constexpr std::string_view MainHexFile = "c:\\~1~Z~6~2.$$$";
inline constexpr std::string_view SoundFileName = "~W~T~F~9.WAV";

// The names cleared at start-up, in this order: everything a run may leave behind, and two
// "~1~W~1~" names that nothing here creates.
inline constexpr std::array<std::string_view, 7> LeftoverFiles = {
    SoundFileName, MainArchiveFile, "c:\\~1~W~1~Z.$$$", "c:\\~1~W~1~X.$$$",
    MainHexFile,   BootArchiveFile, BootHexFile,
};

// Read-only + hidden while a temporary file exists, so that nothing else overwrites it.
void MarkTemporary(const std::string& path);

// Resets the attributes and deletes the file; false when it is missing or cannot go.
bool RemoveTemporaryFile(const std::string& path);

// Removes its file when it goes out of scope, whatever way the scope is left.
class ScopedTemporaryFile {
 public:
  explicit ScopedTemporaryFile(std::string path) : path_(std::move(path)) {}
  ~ScopedTemporaryFile() { RemoveTemporaryFile(path_); }
  ScopedTemporaryFile(const ScopedTemporaryFile&) = delete;
  ScopedTemporaryFile& operator=(const ScopedTemporaryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace package
