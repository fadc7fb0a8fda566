#pragma once

#include <string>

namespace platform {

// The Windows error codes the program's file errors carry.
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorPathNotFound = 3;
inline constexpr int kErrorTooManyOpenFiles = 4;
inline constexpr int kErrorAccessDenied = 5;
inline constexpr int kErrorReadBeyondEnd = 100;
inline constexpr int kErrorDiskWrite = 101;
inline constexpr int kErrorNegativeSeek = 131;
inline constexpr int kErrorInvalidName = 123;

// What was being done when errno was set; it decides how an ambiguous errno reads.
enum class FileOperation { Open, Read, Write, Seek, Close, Inquire };

// Raises EInOutError with the Windows code and message for errnoValue.
[[noreturn]] void RaiseFileError(int errnoValue, FileOperation operation, const std::string& path);
// Raises EInOutError with a Windows code directly.
[[noreturn]] void RaiseFileError(int windowsCode);

// A name the system would silently cut (an embedded NUL) names some other file: raises 123.
void RequireValidPathName(const std::string& path);

}  // namespace platform
