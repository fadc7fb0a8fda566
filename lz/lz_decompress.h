#pragma once

#include <cstdint>
#include <string>

#include "lz/lz_report.h"

namespace lz {

// Expands an archive (or copies a plain file) into outFileName; the bytes written, or
// kLZSkipped when the overwrite question was answered "skip".
std::int32_t LZDecompressFile(std::string inFileName, std::string outFileName,
                              const TLZConfirmProc& confirmProc, const TLZReportProc& reportProc);

// Expands into the input's folder under the name stored in the archive; 0 when there is
// nothing to do.
std::int32_t LZDecompressFileDefault(std::string inFileName, const TLZConfirmProc& confirmProc,
                                     const TLZReportProc& reportProc);

}  // namespace lz
