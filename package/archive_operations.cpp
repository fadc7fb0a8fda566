#include <array>

#include "lz/lz_header.h"
#include "lz/lz_obj.h"
#include "package/firmware_package.h"
#include "package/intel_hex.h"
#include "package/tail_copy.h"
#include "package/temporary_files.h"
#include "platform/files.h"
#include "platform/windows_paths.h"

namespace package {
namespace {

constexpr std::uint16_t StepExpandBoot = 24;
constexpr std::uint16_t StepFlashBoot = 25;
constexpr std::uint16_t StepExpandMain = 54;
constexpr std::uint16_t StepFlashMain = 55;
constexpr std::uint16_t StepEnd = 99;

// Failure codes after msgIntegrityFailed.
constexpr std::string_view ProgramFileUnreadable = "-1";
constexpr std::string_view PieceOutsideFile = "-2";
constexpr std::string_view SizeMismatch = "-3";
constexpr std::string_view NotIntelHex = "-4";

// The size the archive promises for its content; nothing when the file is no archive.
std::optional<std::int64_t> PromisedSize(const std::string& archivePath) {
  platform::File archive = platform::File::OpenInput(archivePath);
  std::array<std::uint8_t, lz::kLZHeaderSize> bytes{};
  if (archive.Read(bytes) != bytes.size()) return std::nullopt;
  const lz::TLZHeader header = lz::DecodeLZHeader(bytes);
  if (!lz::IsLZArchiveHeader(header)) return std::nullopt;
  return header.UncompressedSize;
}

}  // namespace

void FirmwarePackage::ExtractBootArchive() {
  const PackageSettings& settings = context_.state.Settings;
  ExtractArchive({BootArchiveFile, BootHexFile, ".  (1)", StepExpandBoot},
                 TailOf(settings.BootLength, settings.MainLength).Boot);
}

void FirmwarePackage::ExtractMainArchive() {
  const PackageSettings& settings = context_.state.Settings;
  ExtractArchive({MainArchiveFile, MainHexFile, ".  (2)", StepExpandMain},
                 TailOf(settings.BootLength, settings.MainLength).Main);
}

void FirmwarePackage::ExpandBootArchive() {
  ExpandArchive(StepFlashBoot);
}

void FirmwarePackage::ExpandMainArchive() {
  ExpandArchive(StepFlashMain);
}

void FirmwarePackage::ExtractArchive(const Pass& pass, const TailPiece& piece) {
  PassFiles& files = context_.state.Pass;
  files.ArchiveFileName = platform::LocalPath(pass.archiveName);
  files.HexFileName = platform::LocalPath(pass.hexName);
  std::optional<platform::File> program = platform::File::TryOpenInput(context_.ProgramFileName);
  if (!program) return FailIntegrity(ProgramFileUnreadable);
  if (!piece.FitsIn(program->Size())) return FailIntegrity(PieceOutsideFile);
  context_.log.Add(text::msgIntegrityPassed, pass.passedSuffix);
  platform::File archive = platform::File::CreateOutput(files.ArchiveFileName);
  CopyFromTail(*program, archive, piece.distanceFromEnd, ExactLength(piece.length));
  archive.Close();
  MarkTemporary(files.ArchiveFileName);
  context_.CurrentStep = pass.nextStep;
}

// The codec neither detects a damaged stream nor compares sizes, so the HEX file is checked
// here: a damaged package must never reach the modem.
void FirmwarePackage::ExpandArchive(std::uint16_t nextStep) {
  PassFiles& files = context_.state.Pass;
  const std::optional<std::int64_t> promisedSize = PromisedSize(files.ArchiveFileName);
  lz::LZObj(files.ArchiveFileName, files.HexFileName).Decompress();
  MarkTemporary(files.HexFileName);
  RemoveTemporaryFile(files.ArchiveFileName);
  const std::int64_t hexSize = platform::File::OpenInput(files.HexFileName).Size();
  std::optional<std::string_view> fault;
  if (hexSize != promisedSize) {
    fault = SizeMismatch;
  } else if (!IsWellFormedIntelHexFile(files.HexFileName)) {
    fault = NotIntelHex;
  }
  if (fault) {
    RemoveTemporaryFile(files.HexFileName);
    return FailIntegrity(*fault);
  }
  files.HexFileSize = static_cast<std::int32_t>(hexSize);
  context_.CurrentStep = nextStep;
}

void FirmwarePackage::FailIntegrity(std::string_view code) {
  context_.log.Add(text::msgIntegrityFailed, " " + std::string(code));
  context_.CurrentStep = StepEnd;
}

}  // namespace package
