#include "lz/lz_decode.h"

#include <cstring>

namespace lz {
namespace {

// The most bytes one group can take: a flag byte and eight two-byte matches.
constexpr std::uint32_t kMaxGroupBytes = 1 + 8 * 2;

// Where a running expansion stands. The slow paths take it by reference; the hot loop keeps
// its own copies in registers, which a byte stored into the ring could otherwise alias.
struct Cursors {
  unsigned r;
  std::uint32_t inPos;
  std::uint32_t inCount;
  std::uint32_t outPos;
};

bool NextByte(LZContext& context, Cursors& at, unsigned& c) {
  if (at.inPos >= at.inCount) {
    context.InPos = at.inPos;
    context.InCount = at.inCount;
    const int got = context.GetInByte();
    at.inPos = context.InPos;
    at.inCount = context.InCount;
    if (got < 0) return false;
    c = static_cast<unsigned>(got);
    return true;
  }
  c = context.InBuffer[at.inPos++];
  return true;
}

void PutByte(LZContext& context, Cursors& at, std::uint8_t b) {
  std::uint8_t* const ring = context.WorkArea->RingBuffer.data();
  ring[at.r] = b;
  at.r = (at.r + 1) & kRingMask;
  context.OutBuffer[at.outPos++] = b;
  if (at.outPos == kLZBlockSize) {
    context.LZWriteBlock(context.OutBufferSpan());
    at.outPos = 0;
  }
}

// A match that wraps around the window or reaches the end of the output block.
void CopyMatchByBytes(LZContext& context, Cursors& at, unsigned position, unsigned length) {
  const std::uint8_t* const ring = context.WorkArea->RingBuffer.data();
  for (unsigned k = 0; k < length; ++k)
    PutByte(context, at, ring[(position + k) & kRingMask]);
}

template <typename Word>
Word Load(const std::uint8_t* bytes) {
  Word word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

template <typename Word>
void Store(std::uint8_t* to, std::uint8_t* alsoTo, std::size_t at, Word word) {
  std::memcpy(to + at, &word, sizeof word);
  std::memcpy(alsoTo + at, &word, sizeof word);
}

// Copies length (3..18) bytes from from to both destinations, with every byte read before
// any is written; overlapping word copies cover each length exactly.
void CopyWords(const std::uint8_t* from, std::uint8_t* to, std::uint8_t* alsoTo, unsigned length) {
  if (length >= 8) {
    const auto head = Load<std::uint64_t>(from);
    const auto middle = Load<std::uint64_t>(from + 8);
    const auto tail = Load<std::uint64_t>(from + length - 8);
    Store(to, alsoTo, 0, head);
    if (length > 16) Store(to, alsoTo, 8, middle);
    Store(to, alsoTo, length - 8, tail);
  } else if (length >= 4) {
    const auto head = Load<std::uint32_t>(from);
    const auto tail = Load<std::uint32_t>(from + length - 4);
    Store(to, alsoTo, 0, head);
    Store(to, alsoTo, length - 4, tail);
  } else {
    const auto head = Load<std::uint16_t>(from);
    const std::uint8_t last = from[2];
    Store(to, alsoTo, 0, head);
    Store(to, alsoTo, 2, last);
  }
}

// A source that starts fewer than length bytes behind its destination repeats the bytes it
// is writing, so it goes byte by byte in order.
void CopyRepeating(const std::uint8_t* from, std::uint8_t* to, std::uint8_t* alsoTo,
                   unsigned length) {
  for (unsigned k = 0; k < length; ++k) {
    const std::uint8_t b = from[k];
    to[k] = b;
    alsoTo[k] = b;
  }
}

// One group, testing for the end of the input before every byte. False at the end.
bool DecodeGroupCarefully(LZContext& context, Cursors& at) {
  unsigned flags;
  if (!NextByte(context, at, flags)) return false;
  for (int item = 0; item < 8; ++item, flags >>= 1) {
    unsigned c;
    unsigned c2;
    if (!NextByte(context, at, c)) return false;
    if ((flags & 1) != 0) {
      PutByte(context, at, static_cast<std::uint8_t>(c));
    } else {
      if (!NextByte(context, at, c2)) return false;
      CopyMatchByBytes(context, at, c | (c2 >> 4) << 8, (c2 & 0x0F) + kMinMatch);
    }
  }
  return true;
}

}  // namespace

void LZDecode(LZContext& context) {
  std::uint8_t* const ring = context.WorkArea->RingBuffer.data();
  const std::uint8_t* const in = context.InBuffer.get();
  std::uint8_t* const out = context.OutBuffer.get();
  Cursors at{kRingStart, context.InPos, context.InCount, context.OutPos};
  for (;;) {
    if (at.inCount - at.inPos < kMaxGroupBytes) {
      // Near the end of the buffered input: the stream may end after any byte.
      if (!DecodeGroupCarefully(context, at)) break;
      continue;
    }
    // A whole group is buffered, so no item needs the end-of-input test.
    unsigned r = at.r;
    std::uint32_t inPos = at.inPos;
    std::uint32_t outPos = at.outPos;
    unsigned flags = in[inPos++];
    for (int item = 0; item < 8; ++item, flags >>= 1) {
      const unsigned c = in[inPos++];
      if ((flags & 1) != 0) {
        ring[r] = static_cast<std::uint8_t>(c);
        r = (r + 1) & kRingMask;
        out[outPos++] = static_cast<std::uint8_t>(c);
        if (outPos == kLZBlockSize) {
          context.LZWriteBlock(context.OutBufferSpan());
          outPos = 0;
        }
        continue;
      }
      const unsigned c2 = in[inPos++];
      const unsigned position = c | (c2 >> 4) << 8;
      const unsigned length = (c2 & 0x0F) + kMinMatch;
      if (position + length <= kRingSize && r + length <= kRingSize &&
          outPos + length < kLZBlockSize) {
        const unsigned distance = (r - position) & kRingMask;
        if (distance == 0 || distance >= length) {
          CopyWords(ring + position, ring + r, out + outPos, length);
        } else {
          CopyRepeating(ring + position, ring + r, out + outPos, length);
        }
        r = (r + length) & kRingMask;
        outPos += length;
      } else {
        at.r = r;
        at.outPos = outPos;
        CopyMatchByBytes(context, at, position, length);
        r = at.r;
        outPos = at.outPos;
      }
    }
    at.r = r;
    at.inPos = inPos;
    at.outPos = outPos;
  }
  context.InPos = at.inPos;
  context.InCount = at.inCount;
  context.OutPos = at.outPos;
  context.FlushOutBuffer();
}

}  // namespace lz
