#include "lz/lz_obj.h"

#include "lz/lz_compress.h"
#include "lz/lz_decompress.h"

namespace lz {

std::int32_t LZObj::Compress() {
  if (!HasInFileName()) return kLZSkipped;
  if (OutFileName.empty()) return LZCompressFileDefault(InFileName, ConfirmProc, ReportProc);
  return LZCompressFile(InFileName, OutFileName, ConfirmProc, ReportProc);
}

std::int32_t LZObj::Decompress() {
  if (!HasInFileName()) return kLZSkipped;
  if (OutFileName.empty()) return LZDecompressFileDefault(InFileName, ConfirmProc, ReportProc);
  return LZDecompressFile(InFileName, OutFileName, ConfirmProc, ReportProc);
}

}  // namespace lz
