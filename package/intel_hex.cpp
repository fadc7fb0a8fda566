#include "package/intel_hex.h"

#include <numeric>

#include "platform/files.h"

namespace package {
namespace {

constexpr std::uint8_t EndOfFileType = 0x01;
constexpr std::uint8_t LastKnownType = 0x05;

int HexDigit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsLineEnd(std::uint8_t c) {
  return c == '\r' || c == '\n';
}

}  // namespace

void IntelHexChecker::Feed(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t c : bytes) {
    if (state_ == State::Broken) return;
    Accept(c);
  }
}

void IntelHexChecker::Accept(std::uint8_t c) {
  switch (state_) {
    case State::BetweenRecords:
      if (c == ':') {
        state_ = State::InRecord;
        recordBytes_ = 0;
        highNibble_ = true;
      } else if (!IsLineEnd(c)) {
        state_ = State::Broken;
      }
      return;
    case State::InRecord: {
      if (IsLineEnd(c)) {
        EndRecord();
        return;
      }
      const int digit = HexDigit(c);
      if (digit < 0 || (highNibble_ && recordBytes_ == MaxRecordBytes)) {
        state_ = State::Broken;
        return;
      }
      if (highNibble_) {
        record_[recordBytes_] = static_cast<std::uint8_t>(digit << 4);
      } else {
        record_[recordBytes_++] |= static_cast<std::uint8_t>(digit);
      }
      highNibble_ = !highNibble_;
      return;
    }
    case State::AfterEnd:
      if (!IsLineEnd(c)) state_ = State::Broken;
      return;
    case State::Broken:
      return;
  }
}

void IntelHexChecker::EndRecord() {
  const std::span<const std::uint8_t> record(record_.data(), recordBytes_);
  const bool complete = highNibble_ && record.size() >= 5 && record.size() == 5u + record[0];
  const auto sum = std::accumulate(record.begin(), record.end(), 0u);
  if (!complete || sum % 256 != 0 || record[3] > LastKnownType) {
    state_ = State::Broken;
  } else if (record[3] == EndOfFileType) {
    state_ = record[0] == 0 ? State::AfterEnd : State::Broken;
  } else {
    state_ = State::BetweenRecords;
  }
}

bool IntelHexChecker::WellFormed() {
  if (state_ == State::InRecord) EndRecord();  // the last line may lack its line end
  return state_ == State::AfterEnd;
}

bool IsWellFormedIntelHexFile(const std::string& path) {
  platform::File file = platform::File::OpenInput(path);
  IntelHexChecker checker;
  std::array<std::uint8_t, 4096> block{};
  while (const std::size_t got = file.Read(block)) {
    checker.Feed(std::span(block).first(got));
  }
  return checker.WellFormed();
}

}  // namespace package
