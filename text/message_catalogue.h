#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// The 37 rows of the log message catalogue, in catalogue order.
enum MessageId : std::uint8_t {
  msgDebugModeActive,
  msgPressFlash,
  msgEnsureCorrectModem,
  msgNoModemsFound,
  msgEnsureModemInstalled,
  msgIntegrityPassed,
  msgIntegrityFailed,
  msgFlashingBoot,
  msgCheckingIntegrity,
  msgProgrammingFailed,
  msgFlashingMain,
  msgRewritingNvram,
  msgResettingModem,
  msgFailure,
  msgComplete,
  msgUploadSent,
  msgUploadIncomplete,
  msgUtilityInitialized,
  msgEnteringFlashMode,
  msgNoFlashCapability,
  msgCannotOpenPort,
  msgWrongProductCode,
  msgNeedsUpdate1,
  msgNotRespondingAbort,
  msgProgrammingFlashrom,
  msgNotResponding,
  msgCommandMode,
  msgStartingModemCode,
  msgCodeCorrupt,
  msgNoDevice,
  msgDevicePresent,
  msgInFlashMode,
  msgCodeCorruptOnPort,
  msgCodeMissingOnPort,
  msgModemFound,
  msgNoModemFound,
  msgModemIsNotA,
};
inline constexpr int MessageCount = 37;

// LanguageIndex values: 1 English, 2 German, 3 French, 4 Italian, 5 Spanish.
inline constexpr std::uint8_t LanguageEnglish = 1;
inline constexpr std::uint8_t LanguageItalian = 4;

// The text (UTF-8) of a message in a language; raises platform::ERangeError when
// languageIndex is outside 1..5.
std::string MessageText(MessageId id, std::uint8_t languageIndex);

// Country names by the index the package's country flags use (0..49).
inline constexpr int CountryCount = 50;
std::string_view CountryName(int index);

}  // namespace text
