#include "lz/lz_decode.h"

namespace lz {

void LZDecode(LZContext& context) {
  // The loop works on local copies of the buffer cursors: every byte stored into the ring
  // could otherwise alias them and force a reload.
  std::uint8_t* const ring = context.WorkArea->RingBuffer.data();
  const std::uint8_t* const in = context.InBuffer.get();
  std::uint8_t* const out = context.OutBuffer.get();
  std::uint32_t inPos = context.InPos;
  std::uint32_t inCount = context.InCount;
  std::uint32_t outPos = context.OutPos;

  auto next = [&](unsigned& c) {
    if (inPos >= inCount) {
      context.InPos = inPos;
      context.InCount = inCount;
      const int got = context.GetInByte();
      inPos = context.InPos;
      inCount = context.InCount;
      if (got < 0) return false;
      c = static_cast<unsigned>(got);
      return true;
    }
    c = in[inPos++];
    return true;
  };
  auto put = [&](std::uint8_t b) {
    out[outPos++] = b;
    if (outPos == kLZBlockSize) {
      context.LZWriteBlock(context.OutBufferSpan());
      outPos = 0;
    }
  };

  unsigned r = kRingStart;
  // The upper byte's ones run out after eight shifts: that counts the items of a flag byte.
  unsigned flags = 0;
  for (;;) {
    flags >>= 1;
    unsigned c;
    if ((flags & 0xFF00) == 0) {
      if (!next(c)) break;
      flags = c | 0xFF00;
    }
    if (!next(c)) break;
    if ((flags & 1) != 0) {
      ring[r] = static_cast<std::uint8_t>(c);
      r = (r + 1) & kRingMask;
      put(static_cast<std::uint8_t>(c));
      continue;
    }
    unsigned c2;
    if (!next(c2)) break;
    unsigned position = c | (c2 >> 4) << 8;
    const unsigned length = (c2 & 0x0F) + kMinMatch;
    for (unsigned k = 0; k < length; ++k) {
      const std::uint8_t b = ring[position & kRingMask];
      ring[r] = b;
      r = (r + 1) & kRingMask;
      put(b);
      ++position;
    }
  }
  context.InPos = inPos;
  context.InCount = inCount;
  context.OutPos = outPos;
  context.FlushOutBuffer();
}

}  // namespace lz
