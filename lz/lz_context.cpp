#include "lz/lz_context.h"

#include <new>
#include <utility>

#include "platform/checked.h"

namespace lz {

bool LZContext::AllocateLZBuffers() {
  if (buffersHeld_) return true;
  buffersHeld_ = true;
  try {
    InBuffer = std::make_unique<std::uint8_t[]>(kLZBlockSize);
    OutBuffer = std::make_unique<std::uint8_t[]>(kLZBlockSize);
    WorkArea = std::make_unique<LZWorkArea>();
  } catch (const std::bad_alloc&) {
    FreeLZBuffers();
    return false;
  }
  return true;
}

void LZContext::FreeLZBuffers() {
  InBuffer.reset();
  OutBuffer.reset();
  WorkArea.reset();
  buffersHeld_ = false;
}

void LZContext::FlushOutBuffer() {
  LZWriteBlock(std::span<const std::uint8_t>(OutBuffer.get(), OutPos));
  OutPos = 0;
}

std::uint32_t LZContext::LZReadBlock(std::span<std::uint8_t> buffer) {
  const auto count = static_cast<std::uint32_t>(Input->Read(buffer));
  if (CurrentReportProc && !ReportOnWrite) {
    CurrentReportProc(CurrentReport, static_cast<std::int32_t>(count));
  }
  return count;
}

std::uint32_t LZContext::LZWriteBlock(std::span<const std::uint8_t> bytes) {
  Output->Write(bytes);
  const auto count = static_cast<std::int32_t>(bytes.size());
  TotalWritten = platform::CheckedAdd(TotalWritten, count);
  if (CurrentReportProc && ReportOnWrite) CurrentReportProc(CurrentReport, count);
  return static_cast<std::uint32_t>(count);
}

}  // namespace lz
