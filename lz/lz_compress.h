#pragma once

#include <cstdint>
#include <string>

#include "lz/lz_report.h"

namespace lz {

// Writes the archive of inFileName (an archive is copied as it is); the archive's size, or
// kLZSkipped when the overwrite was declined.
std::int32_t LZCompressFile(std::string inFileName, std::string outFileName,
                            const TLZConfirmProc& confirmProc, const TLZReportProc& reportProc);

// LZCompressFile into MakeCompressedName(inFileName).
std::int32_t LZCompressFileDefault(std::string inFileName, const TLZConfirmProc& confirmProc,
                                   const TLZReportProc& reportProc);

}  // namespace lz
