#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace package {

// Checks Intel HEX text fed in pieces: one record a line (":", then hex digit pairs for the
// length, the 16-bit address, the type 00..05, the data and the checksum), every length and
// checksum right, the end-of-file record last. Lines end in LF or CR LF; blank lines pass.
class IntelHexChecker {
 public:
  void Feed(std::span<const std::uint8_t> bytes);
  // Call once, after the last piece.
  bool WellFormed();

 private:
  static constexpr std::size_t MaxRecordBytes = 5 + 255;

  void Accept(std::uint8_t c);
  void EndRecord();

  enum class State { BetweenRecords, InRecord, AfterEnd, Broken };
  State state_ = State::BetweenRecords;
  std::array<std::uint8_t, MaxRecordBytes> record_{};
  std::size_t recordBytes_ = 0;
  bool highNibble_ = true;
};

// Reads the file in blocks; raises EInOutError when it cannot be read.
bool IsWellFormedIntelHexFile(const std::string& path);

}  // namespace package
