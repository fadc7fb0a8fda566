#pragma once

#include <exception>
#include <string>

namespace platform {

// Root of every error the program raises on purpose. The event loop's default handler shows
// Message() in a modal error box and goes on.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A failed file or device operation, carrying the system's error code (2 file not found,
// 5 access denied, 100 read beyond end of file, 101 disk write error, ...).
class EInOutError : public Exception {
 public:
  EInOutError(int errorCode, std::string message)
      : Exception(std::move(message)), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }

 private:
  int errorCode_;
};

// A value left its declared range in checked arithmetic.
class ERangeError : public Exception {
 public:
  ERangeError() : Exception("Range check error") {}
};

// A checked integer addition or conversion overflowed.
class EIntOverflow : public Exception {
 public:
  EIntOverflow() : Exception("Integer overflow") {}
};

// Ends an operation the user aborted; the default handler shows nothing for it.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

}  // namespace platform
