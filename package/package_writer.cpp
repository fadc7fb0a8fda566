#include "package/package_writer.h"

#include <array>
#include <filesystem>
#include <random>
#include <span>

#include "lz/lz_obj.h"
#include "package/alert_sound.h"
#include "package/intel_hex.h"
#include "package/package_file.h"
#include "package/package_trailer.h"
#include "platform/exceptions.h"
#include "platform/files.h"

namespace package {
namespace {

namespace fs = std::filesystem;

// Runs step, turning a file failure into an error about input.
template <typename Step>
auto Attempt(PackageInput input, const std::string& what, Step step) {
  try {
    return step();
  } catch (const platform::Exception& error) {
    throw PackageInputError(input, what + ": " + error.Message());
  } catch (const fs::filesystem_error& error) {
    throw PackageInputError(input, what + ": " + error.code().message());
  }
}

// A private folder beside the output for the archives and the growing package, so that the
// final rename stays on one file system. Removed with everything in it.
class WorkFolder {
 public:
  explicit WorkFolder(const std::string& outFile) {
    const fs::path out(outFile);
    const fs::path folder = out.has_parent_path() ? out.parent_path() : fs::path(".");
    std::random_device random;
    path_ = folder / ("." + out.filename().string() + ".partial-" + std::to_string(random()));
    Attempt(PackageInput::Output, "cannot write beside " + outFile, [&] {
      fs::create_directory(path_);
      fs::permissions(path_, fs::perms::owner_all);
    });
  }
  ~WorkFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

void CheckBase(const std::string& path) {
  const bool packaged = Attempt(PackageInput::Base, "cannot read " + path,
                                [&] { return ReadPackageFile(path).has_value(); });
  if (packaged) {
    throw PackageInputError(PackageInput::Base, path + " already carries a firmware package");
  }
}

void CheckHex(PackageInput input, const std::string& path) {
  const bool wellFormed =
      Attempt(input, "cannot read " + path, [&] { return IsWellFormedIntelHexFile(path); });
  if (!wellFormed) throw PackageInputError(input, path + " is not well-formed Intel HEX");
}

// The archive's size; the archive stores the HEX file's own name.
std::int32_t Compress(PackageInput input, const std::string& hexPath,
                      const std::string& archivePath) {
  return Attempt(input, "cannot compress " + hexPath,
                 [&] { return lz::LZObj(hexPath, archivePath).Compress(); });
}

void Append(platform::File& out, const std::string& path) {
  platform::File in = platform::File::OpenInput(path);
  std::array<std::uint8_t, 32768> block{};
  while (const std::size_t got = in.Read(block))
    out.Write(std::span(block).first(got));
}

}  // namespace

PackageInfo WritePackage(const PackageRequest& request, const std::string& outFile) {
  if (!IsAlertSound(request.Sound)) {
    throw PackageInputError(PackageInput::Sound, "not a RIFF WAVE file of exactly " +
                                                     std::to_string(SoundLength) + " bytes");
  }
  CheckBase(request.BaseFile);
  CheckHex(PackageInput::MainHex, request.MainHexFile);
  if (request.BootHexFile) CheckHex(PackageInput::BootHex, *request.BootHexFile);

  const WorkFolder work(outFile);
  PackageInfo info = request.Info;
  info.BootLength = 0;
  if (request.BootHexFile) {
    info.BootLength = Compress(PackageInput::BootHex, *request.BootHexFile, work.File("boot"));
  }
  info.MainLength = Compress(PackageInput::MainHex, request.MainHexFile, work.File("main"));
  const TrailerBytes trailer = EncodeTrailer(info);

  Attempt(PackageInput::Output, "cannot write " + outFile, [&] {
    const std::string packagePath = work.File("package");
    platform::File out = platform::File::CreateOutput(packagePath);
    Append(out, request.BaseFile);
    out.Write(request.Sound);
    if (request.BootHexFile) Append(out, work.File("boot"));
    Append(out, work.File("main"));
    out.Write(trailer);
    out.Close();
    fs::permissions(packagePath, fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
    fs::rename(packagePath, outFile);
  });
  return info;
}

}  // namespace package
