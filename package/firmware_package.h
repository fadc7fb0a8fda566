#pragma once

#include <cstdint>
#include <string_view>

#include "package/package_context.h"
#include "package/package_tail.h"

namespace package {

// The firmware package carried at the end of the program file: reading its trailer, taking
// the images out for the two flash passes, and the fatal rejection with the alert sound.
// Operations that "ask for a step" set CurrentStep.
class FirmwarePackage {
 public:
  explicit FirmwarePackage(PackageContext context) : context_(std::move(context)) {}

  // Trailer (step 0). ReadPackageTrailer is true when exactly TrailerSize bytes were read;
  // otherwise TrailerBuffer keeps what it held.
  bool ReadPackageTrailer();
  void DecodePackageTrailer();
  void ApplyPackageSettings();
  void LogPackageInfo();

  // Images. Extract asks for step 24 / 54, Expand for 25 / 55; both ask for 99 when the
  // package is unusable, after logging why.
  void ExtractBootArchive();
  void ExtractMainArchive();
  void ExpandBootArchive();
  void ExpandMainArchive();

  // Alert and rejection. ExtractAlertSound is false when it wrote no sound file.
  bool ExtractAlertSound();
  void RejectUtility();

  void DeleteTemporaryFiles();

 private:
  struct Pass {
    std::string_view archiveName;
    std::string_view hexName;
    std::string_view passedSuffix;
    std::uint16_t nextStep;
  };

  void ExtractArchive(const Pass& pass, const TailPiece& piece);
  void ExpandArchive(std::uint16_t nextStep);
  void FailIntegrity(std::string_view code);
  void StartAlertSound();

  PackageContext context_;
};

}  // namespace package
