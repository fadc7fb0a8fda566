#pragma once

#include <cstdint>

namespace package {

// One piece of the program file's tail, positioned from the end of the file.
struct TailPiece {
  std::int64_t distanceFromEnd = 0;  // where it starts, counted back from the end
  std::int64_t length = 0;

  // False when the piece would start before the file's first byte.
  bool FitsIn(std::int64_t fileSize) const { return length >= 0 && distanceFromEnd <= fileSize; }
  std::int64_t OffsetIn(std::int64_t fileSize) const { return fileSize - distanceFromEnd; }
};

// Behind the executable image: alert sound, boot archive, main archive, trailer.
struct PackageTail {
  TailPiece Sound;
  TailPiece Boot;
  TailPiece Main;
  TailPiece Trailer;
};

PackageTail TailOf(std::int32_t bootLength, std::int32_t mainLength);

}  // namespace package
