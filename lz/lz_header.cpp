#include "lz/lz_header.h"

#include <algorithm>

#include "platform/little_endian.h"

namespace lz {
namespace {

// Field offsets inside the 43 header bytes.
constexpr std::size_t kFileNameAt = 0;
constexpr std::size_t kUncompressedSizeAt = 13;
constexpr std::size_t kCompressedSizeAt = 17;
constexpr std::size_t kFileDateAt = 21;
constexpr std::size_t kVersionAt = 25;
constexpr std::size_t kSignatureAt = 34;

template <std::size_t Capacity>
void PutString(std::span<std::uint8_t, kLZHeaderSize> bytes, std::size_t at,
               const CountedString<Capacity>& text) {
  std::ranges::copy(text.Bytes(), bytes.begin() + at);
}

template <std::size_t Capacity>
CountedString<Capacity> GetString(std::span<const std::uint8_t, kLZHeaderSize> bytes,
                                  std::size_t at) {
  return CountedString<Capacity>::FromBytes(
      bytes.subspan(at).template first<CountedString<Capacity>::kSize>());
}

}  // namespace

std::array<std::uint8_t, kLZHeaderSize> EncodeLZHeader(const TLZHeader& header) {
  std::array<std::uint8_t, kLZHeaderSize> bytes{};
  PutString(bytes, kFileNameAt, header.FileName);
  platform::WriteLittleEndian32(bytes, kUncompressedSizeAt,
                                static_cast<std::uint32_t>(header.UncompressedSize));
  platform::WriteLittleEndian32(bytes, kCompressedSizeAt,
                                static_cast<std::uint32_t>(header.CompressedSize));
  platform::WriteLittleEndian32(bytes, kFileDateAt, header.FileDate);
  PutString(bytes, kVersionAt, header.Version);
  PutString(bytes, kSignatureAt, header.Signature);
  return bytes;
}

TLZHeader DecodeLZHeader(std::span<const std::uint8_t, kLZHeaderSize> bytes) {
  TLZHeader header;
  header.FileName = GetString<12>(bytes, kFileNameAt);
  header.UncompressedSize =
      static_cast<std::int32_t>(platform::ReadLittleEndian32(bytes, kUncompressedSizeAt));
  header.CompressedSize =
      static_cast<std::int32_t>(platform::ReadLittleEndian32(bytes, kCompressedSizeAt));
  header.FileDate = platform::ReadLittleEndian32(bytes, kFileDateAt);
  header.Version = GetString<8>(bytes, kVersionAt);
  header.Signature = GetString<8>(bytes, kSignatureAt);
  return header;
}

bool IsLZArchiveHeader(const TLZHeader& header) {
  // The signature's bytes are compared whole, its length byte included.
  return header.FileName.Bytes()[0] != 0 && header.Signature == CountedString<8>(kLZSignature);
}

}  // namespace lz
