#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/exceptions.h"
#include "platform/file_errors.h"

namespace platform {
namespace {

constexpr int kNoFile = -1;

}  // namespace

File File::OpenInput(const std::string& path) {
  RequireValidPathName(path);
  // Non-blocking so that a FIFO planted under the name cannot hang the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) RaiseFileError(errno, FileOperation::Open, path);
  File file(fd, path);
  struct stat info {};
  if (::fstat(fd, &info) != 0) RaiseFileError(errno, FileOperation::Open, path);
  if (!S_ISREG(info.st_mode)) RaiseFileError(kErrorAccessDenied);
  return file;
}

std::optional<File> File::TryOpenInput(const std::string& path) {
  try {
    return OpenInput(path);
  } catch (const EInOutError&) {
    return std::nullopt;
  }
}

File File::CreateOutput(const std::string& path) {
  RequireValidPathName(path);
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0) {
    // Only files and links are replaced: removing a device or a FIFO would harm others.
    if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) RaiseFileError(kErrorAccessDenied);
    if (S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0) {
      RaiseFileError(kErrorAccessDenied);
    }
    if (::unlink(path.c_str()) != 0) RaiseFileError(errno, FileOperation::Open, path);
  } else if (errno != ENOENT) {
    RaiseFileError(errno, FileOperation::Open, path);
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) RaiseFileError(errno, FileOperation::Open, path);
  return File(fd, path);
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, kNoFile)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, kNoFile);
    path_ = std::move(other.path_);
  }
  return *this;
}

File::~File() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t File::Read(std::span<std::uint8_t> buffer) {
  std::size_t total = 0;
  while (total < buffer.size()) {
    const ssize_t got = ::read(fd_, buffer.data() + total, buffer.size() - total);
    if (got < 0) {
      if (errno == EINTR) continue;
      RaiseFileError(errno, FileOperation::Read, path_);
    }
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  return total;
}

void File::Write(std::span<const std::uint8_t> bytes) {
  std::size_t total = 0;
  while (total < bytes.size()) {
    const ssize_t put = ::write(fd_, bytes.data() + total, bytes.size() - total);
    if (put < 0) {
      if (errno == EINTR) continue;
      RaiseFileError(errno, FileOperation::Write, path_);
    }
    total += static_cast<std::size_t>(put);
  }
}

std::int64_t File::Seek(std::int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::Begin ? SEEK_SET
                     : origin == SeekOrigin::End ? SEEK_END
                                                 : SEEK_CUR;
  const off_t position = ::lseek(fd_, offset, whence);
  if (position < 0) RaiseFileError(errno, FileOperation::Seek, path_);
  return position;
}

std::int64_t File::Position() const {
  const off_t position = ::lseek(fd_, 0, SEEK_CUR);
  if (position < 0) RaiseFileError(errno, FileOperation::Seek, path_);
  return position;
}

std::int64_t File::Size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) RaiseFileError(errno, FileOperation::Inquire, path_);
  return info.st_size;
}

std::optional<std::uint32_t> File::LastWriteDosDateTime() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) RaiseFileError(errno, FileOperation::Inquire, path_);
  return UnixTimeToDosDateTime(info.st_mtim.tv_sec);
}

bool File::SetLastWriteDosDateTime(std::uint32_t dosDateTime) {
  const std::optional<std::time_t> time = DosDateTimeToUnixTime(dosDateTime);
  if (!time) return false;
  const struct timespec times[2] = {{0, UTIME_OMIT}, {*time, 0}};
  return ::futimens(fd_, times) == 0;
}

void File::Close() {
  if (fd_ < 0) return;
  const int result = ::close(std::exchange(fd_, kNoFile));
  // Linux releases the descriptor even when close fails; only a lost write is worth raising.
  if (result != 0 && errno != EINTR) RaiseFileError(errno, FileOperation::Close, path_);
}

}  // namespace platform
