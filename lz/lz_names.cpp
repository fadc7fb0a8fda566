#include "lz/lz_names.h"

namespace lz {
namespace {

constexpr std::string_view kSeparators = "/\\:";

std::size_t NamePartStart(std::string_view fileName) {
  const std::size_t last = fileName.find_last_of(kSeparators);
  return last == std::string_view::npos ? 0 : last + 1;
}

}  // namespace

std::string ExtractFileName(std::string_view fileName) {
  return std::string(fileName.substr(NamePartStart(fileName)));
}

std::string ExtractFilePath(std::string_view fileName) {
  return std::string(fileName.substr(0, NamePartStart(fileName)));
}

std::string MakeCompressedName(std::string_view fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  const bool hasExtension = dot != std::string_view::npos && dot >= NamePartStart(fileName);
  const std::size_t extensionStart = hasExtension ? dot : fileName.size();
  std::string extension(fileName.substr(extensionStart));
  if (extension.size() < 2) {
    extension = std::string(".") + kCompressedNameMark;
  } else {
    extension.back() = kCompressedNameMark;
  }
  return std::string(fileName.substr(0, extensionStart)) + extension;
}

}  // namespace lz
