#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "lz/counted_string.h"

namespace lz {

// Describes the file being processed; both callbacks receive it.
struct TLZReportRec {
  CountedString<8> Version;
  std::int32_t CompressedSize = 0;  // -1 while compressing: not yet known
  std::int32_t UncompressedSize = 0;
  std::uint32_t FileDate = 0;  // MS-DOS date and time given to the output
  std::string FileName;
};

// Replies of the overwrite question. The expander skips on 0, aborts on 2 and overwrites on
// anything else; the compressor overwrites on 1 only.
inline constexpr std::uint8_t kConfirmSkip = 0;
inline constexpr std::uint8_t kConfirmOverwrite = 1;
inline constexpr std::uint8_t kConfirmAbort = 2;

// Result of an operation whose overwrite question was declined, or that had no input name.
inline constexpr std::int32_t kLZSkipped = -100;

// Report counts besides the byte counts of single blocks.
inline constexpr std::int32_t kReportStart = -1;
inline constexpr std::int32_t kReportEnd = -2;

// Asked before an existing output is replaced. An empty function overwrites without asking.
using TLZConfirmProc =
    std::function<std::uint8_t(TLZReportRec& report, const std::string& outFileName)>;
// Told when an operation starts, after every block and when it ends. Empty: no reports.
using TLZReportProc = std::function<void(TLZReportRec& report, std::int32_t count)>;

}  // namespace lz
