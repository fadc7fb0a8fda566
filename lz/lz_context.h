#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "lz/lz_report.h"
#include "platform/files.h"

namespace lz {

// All file transfers move blocks of this size.
inline constexpr std::uint32_t kLZBlockSize = 32000;

inline constexpr int kRingSize = 4096;  // N
inline constexpr int kMaxMatch = 18;    // F
inline constexpr int kMinMatch = 3;     // shorter candidates go out as literals
inline constexpr int kRingStart = kRingSize - kMaxMatch;
inline constexpr int kRingMirror = kMaxMatch - 1;  // bytes repeated behind the window
inline constexpr int kRingMask = kRingSize - 1;
inline constexpr int kNil = kRingSize;  // link to no node
inline constexpr int kTreeCount = 256;  // one search tree per first byte

// A search-tree link: a node (ring position), kNil, or a tree's root slot.
using LZLink = std::uint16_t;
inline constexpr int kLeft = 0;
inline constexpr int kRight = 1;
inline constexpr int kRootSlots = kNil + 1;  // root slot of the tree for byte c: kRootSlots + c

// The window followed by the encoder's search-tree links, in one allocation. A node's two
// children sit side by side so that one load fetches both; a root slot uses its right link only.
struct LZWorkArea {
  std::array<std::uint8_t, kRingSize + kRingMirror> RingBuffer;
  std::array<std::array<LZLink, 2>, kRootSlots + kTreeCount> Children;
  std::array<LZLink, kRingSize + 1> Parent;  // Parent[kNil] is scratch
};

// The state of one codec operation: its block buffers, files and progress reporting.
class LZContext {
 public:
  // False when memory runs out; harmless when the buffers are already held.
  bool AllocateLZBuffers();
  void FreeLZBuffers();

  // The next input byte, or -1 at the end of the input; every call at the end reads again.
  int GetInByte() {
    if (InPos >= InCount) {
      const std::uint32_t count = LZReadBlock(InBufferSpan());
      if (count == 0) return -1;
      InCount = count;
      InPos = 0;
    }
    return InBuffer[InPos++];
  }
  void PutOutByte(std::uint8_t c) {
    OutBuffer[OutPos++] = c;
    if (OutPos == kLZBlockSize) {
      LZWriteBlock(OutBufferSpan());
      OutPos = 0;
    }
  }
  // Writes the waiting bytes, also when there are none (which still reports 0 on write).
  void FlushOutBuffer();

  // Fills the buffer from the input, short only at its end; reports when reporting on reads.
  std::uint32_t LZReadBlock(std::span<std::uint8_t> buffer);
  // Writes the bytes to the output and counts them; reports when reporting on writes.
  std::uint32_t LZWriteBlock(std::span<const std::uint8_t> bytes);

  std::span<std::uint8_t, kLZBlockSize> InBufferSpan() {
    return std::span<std::uint8_t, kLZBlockSize>(InBuffer.get(), kLZBlockSize);
  }
  std::span<std::uint8_t, kLZBlockSize> OutBufferSpan() {
    return std::span<std::uint8_t, kLZBlockSize>(OutBuffer.get(), kLZBlockSize);
  }

  std::unique_ptr<std::uint8_t[]> InBuffer;
  std::unique_ptr<std::uint8_t[]> OutBuffer;
  std::unique_ptr<LZWorkArea> WorkArea;
  std::uint32_t InPos = kLZBlockSize;
  std::uint32_t InCount = kLZBlockSize;
  std::uint32_t OutPos = 0;
  std::int32_t TotalWritten = 0;
  bool ReportOnWrite = false;
  TLZReportRec CurrentReport;
  TLZReportProc CurrentReportProc;
  platform::File* Input = nullptr;
  platform::File* Output = nullptr;

 private:
  bool buffersHeld_ = false;
};

}  // namespace lz
