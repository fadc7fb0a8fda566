#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Windows-style file services on POSIX. Failures raise EInOutError with the Windows error code
// the program expects (2 file not found, 3 path not found, 4 too many open files, 5 access
// denied, 100 read beyond end of file, 101 disk write error) and the matching message.

// File attribute values as the program uses them. Read-only maps to mode 0400, anything else
// to mode 0600; hidden has no mode bit of its own.
inline constexpr int kAttributeNormal = 0;
inline constexpr int kAttributeReadOnly = 1;
inline constexpr int kAttributeHidden = 2;

enum class SeekOrigin { Begin, Current, End };

// An open file, closed when the object goes. Never opened through a symlink.
class File {
 public:
  // Opens an existing file for reading only.
  static File OpenInput(const std::string& path);
  // As OpenInput, but a failure gives no file instead of an exception.
  static std::optional<File> TryOpenInput(const std::string& path);
  // Creates the file for reading and writing, replacing an existing one. Like Windows, refuses
  // (code 5) to replace a read-only file, whoever asks, and a folder or a device. The old file
  // is removed and the new one created exclusively, so a planted link is never written through.
  static File CreateOutput(const std::string& path);

  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  const std::string& Path() const { return path_; }
  bool IsOpen() const { return fd_ >= 0; }

  // Reads until the buffer is full or the file ends; returns the number of bytes read.
  std::size_t Read(std::span<std::uint8_t> buffer);
  // Writes all bytes or raises (101 when the disk is full).
  void Write(std::span<const std::uint8_t> bytes);

  // Returns the new position. A position before the start of the file raises.
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin);
  std::int64_t Position() const;
  std::int64_t Size() const;

  // The last-write time as MS-DOS date and time in local time; nothing when it lies outside
  // the years 1980..2107.
  std::optional<std::uint32_t> LastWriteDosDateTime() const;
  // False, and the time left as it was, when dosDateTime is not a valid date and time.
  bool SetLastWriteDosDateTime(std::uint32_t dosDateTime);

  // Closes now, reporting a failed final write; the destructor closes silently.
  void Close();

 private:
  File(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

  int fd_ = -1;
  std::string path_;
};

// True when path names something that is not a folder (a symlink counts, unfollowed).
bool FileExists(const std::string& path);

// Sets the attribute value (kAttribute* combined) of a plain file; false when it cannot.
bool SetFileAttributes(const std::string& path, int attributes);

// Removes the file; false when it is missing, a folder or a device, or read-only (Windows
// refuses to delete a read-only file, so callers reset the attributes first).
bool DeleteFile(const std::string& path);

// The absolute form of path: relative to the working directory, with "." and ".." resolved
// by name (symlinks are not followed).
std::string ExpandFileName(const std::string& path);

// Case-insensitive equality of two names (letters A-Z and a-z fold together).
bool SameFileName(std::string_view a, std::string_view b);

// MS-DOS date and time (time in the low 16 bits, date in the high 16 bits, local time).
std::optional<std::uint32_t> UnixTimeToDosDateTime(std::time_t time);
std::optional<std::time_t> DosDateTimeToUnixTime(std::uint32_t dosDateTime);

}  // namespace platform
