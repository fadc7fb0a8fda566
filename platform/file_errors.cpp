#include "platform/file_errors.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/exceptions.h"

namespace platform {
namespace {

constexpr int kErrorReadFault = 30;
// Errors without a Windows counterpart keep their errno, lifted clear of the Windows codes.
constexpr int kUnmappedErrorBase = 1000;

std::string MessageFor(int windowsCode) {
  switch (windowsCode) {
    case kErrorFileNotFound:
      return "File not found";
    case kErrorPathNotFound:
      return "Path not found";
    case kErrorTooManyOpenFiles:
      return "Too many open files";
    case kErrorAccessDenied:
      return "File access denied";
    case kErrorReadFault:
      return "Read fault";
    case kErrorReadBeyondEnd:
      return "Read beyond end of file";
    case kErrorDiskWrite:
      return "Disk write error";
    case kErrorInvalidName:
      return "Invalid file name";
    case kErrorNegativeSeek:
      return "Seek before start of file";
    default:
      return "I/O error " + std::to_string(windowsCode);
  }
}

// ENOENT means "file not found" only when the folder that should hold the file is there.
bool FolderOfPathExists(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string folder =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int WindowsCodeFor(int errnoValue, FileOperation operation, const std::string& path) {
  switch (errnoValue) {
    case ENOENT:
      return FolderOfPathExists(path) ? kErrorFileNotFound : kErrorPathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
      return kErrorPathNotFound;
    case EMFILE:
    case ENFILE:
      return kErrorTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP:
    case ETXTBSY:
    case EEXIST:
    case EBADF:
      return kErrorAccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kErrorDiskWrite;
    case EINVAL:
      if (operation == FileOperation::Seek) return kErrorNegativeSeek;
      break;
    case EIO:
      return operation == FileOperation::Read ? kErrorReadFault : kErrorDiskWrite;
    default:
      break;
  }
  return kUnmappedErrorBase + errnoValue;
}

}  // namespace

void RaiseFileError(int errnoValue, FileOperation operation, const std::string& path) {
  const int code = WindowsCodeFor(errnoValue, operation, path);
  if (code >= kUnmappedErrorBase) {
    throw EInOutError(code,
                      MessageFor(code) + " (" + std::generic_category().message(errnoValue) + ")");
  }
  RaiseFileError(code);
}

void RaiseFileError(int windowsCode) {
  throw EInOutError(windowsCode, MessageFor(windowsCode));
}

void RequireValidPathName(const std::string& path) {
  if (path.find('\0') != std::string::npos) RaiseFileError(kErrorInvalidName);
}

}  // namespace platform
