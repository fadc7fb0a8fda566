#pragma once

#include <cstdint>
#include <string>

#include "lz/lz_errors.h"
#include "lz/lz_report.h"

namespace lz {

// The codec as the program uses it: one object per file, both callbacks optional. Every
// exception of the operations reaches the caller.
class LZObj {
 public:
  LZObj(std::string InFileName, std::string OutFileName)
      : InFileName(std::move(InFileName)), OutFileName(std::move(OutFileName)) {}
  virtual ~LZObj() = default;

  bool HasInFileName() const { return !InFileName.empty(); }

  // Both return -100 when InFileName is empty; an empty OutFileName takes the default name.
  // Compress: the archive's size, or -100 when the overwrite was declined.
  virtual std::int32_t Compress();
  // Decompress: the bytes written, -100 when skipped, or 0 when there is nothing to do.
  virtual std::int32_t Decompress();

  TLZConfirmProc ConfirmProc;
  TLZReportProc ReportProc;
  std::string InFileName;
  std::string OutFileName;
};

}  // namespace lz
