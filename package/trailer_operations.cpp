#include <algorithm>

#include "package/firmware_package.h"
#include "package/package_trailer.h"
#include "package/tail_copy.h"
#include "package/temporary_files.h"
#include "platform/checked.h"
#include "platform/files.h"
#include "platform/windows_paths.h"

namespace package {

// The trailer goes through a copy in the working directory whose size is checked before it
// is read; the copy is removed on every way out, a failed open included.
bool FirmwarePackage::ReadPackageTrailer() {
  const ScopedTemporaryFile copyFile(platform::LocalPath(TrailerTempFile));
  {
    platform::File copy = platform::File::CreateOutput(copyFile.Path());
    std::optional<platform::File> program = platform::File::TryOpenInput(context_.ProgramFileName);
    if (!program) return false;
    // A file shorter than a trailer copies whole and fails the size check below.
    CopyFromTail(*program, copy, std::min<std::int64_t>(TrailerSize, program->Size()),
                 std::nullopt);
    copy.Close();
  }
  platform::File copy = platform::File::OpenInput(copyFile.Path());
  if (copy.Size() != TrailerSize) return false;
  TrailerBytes bytes{};
  if (copy.Read(bytes) != bytes.size()) return false;
  context_.state.TrailerBuffer = bytes;
  return true;
}

void FirmwarePackage::DecodePackageTrailer() {
  context_.state.Info = DecodeTrailer(context_.state.TrailerBuffer);
}

void FirmwarePackage::ApplyPackageSettings() {
  const PackageInfo& info = context_.state.Info;
  PackageSettings& settings = context_.state.Settings;
  settings.BootLength = info.BootLength;
  settings.MainLength = info.MainLength;
  settings.BootModel = info.BootModel;
  settings.MainModel = info.MainModel;
  settings.ProductName = info.ProductName;
  settings.LanguageIndex = platform::RangeChecked<std::uint8_t>(info.Language + 1);
  if (settings.LanguageIndex == text::LanguageItalian) {
    context_.Label6.SetCaption("Tipi Di Modem Installato");
  }
}

void FirmwarePackage::LogPackageInfo() {
  for (const std::string& line : PackageInfoDump(context_.state.Info))
    context_.log.Add(line);
}

}  // namespace package
