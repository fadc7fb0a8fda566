#include "sim/intel_hex_receiver.h"

namespace sim {

namespace {
enum RecordType : std::uint8_t {
  Data = 0,
  EndOfFile = 1,
  ExtendedSegmentAddress = 2,
  StartSegmentAddress = 3,
  ExtendedLinearAddress = 4,
  StartLinearAddress = 5,
};
constexpr std::size_t HeaderBytes = 4;  // length, address high and low, type
}  // namespace

int IntelHexReceiver::HexValue(std::uint8_t byte) {
  if (byte >= '0' && byte <= '9') return byte - '0';
  if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
  if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
  return -1;
}

IntelHexReceiver::Event IntelHexReceiver::Feed(std::uint8_t byte) {
  image_.hexBytes.push_back(static_cast<char>(byte));
  if (byte == ':') {
    const bool interrupted = state_ == State::InRecord;
    state_ = State::InRecord;
    bytes_.clear();
    pendingDigit_ = -1;
    return interrupted ? Bad() : Event::None;
  }
  switch (state_) {
    case State::Skipping:
      return Event::None;
    case State::Between: {
      const bool blank = byte == '\r' || byte == '\n' || byte == ' ' || byte == '\t';
      return blank ? Event::None : Bad();
    }
    case State::InRecord:
      break;
  }
  const int digit = HexValue(byte);
  if (digit < 0) return Bad();
  if (pendingDigit_ < 0) {
    pendingDigit_ = digit;
    return Event::None;
  }
  bytes_.push_back(static_cast<std::uint8_t>(pendingDigit_ * 16 + digit));
  pendingDigit_ = -1;
  if (bytes_.size() < HeaderBytes + 1 || bytes_.size() < HeaderBytes + bytes_[0] + 1) {
    return Event::None;
  }
  state_ = State::Between;
  return Complete();
}

IntelHexReceiver::Event IntelHexReceiver::Bad() {
  // The rest up to the next record belongs to the bad one.
  state_ = State::Skipping;
  ++image_.badRecords;
  return Event::BadRecord;
}

IntelHexReceiver::Event IntelHexReceiver::Complete() {
  std::uint8_t sum = 0;
  for (const std::uint8_t b : bytes_)
    sum = static_cast<std::uint8_t>(sum + b);
  if (sum != 0) return Bad();
  const std::size_t length = bytes_[0];
  const std::uint32_t address = static_cast<std::uint32_t>(bytes_[1] << 8 | bytes_[2]);
  const std::uint8_t* const payload = bytes_.data() + HeaderBytes;
  const auto word = [payload] { return static_cast<std::uint32_t>(payload[0] << 8 | payload[1]); };
  switch (bytes_[3]) {
    case Data:
      image_.data[base_ + address].assign(payload, payload + length);
      break;
    case EndOfFile:
      if (length != 0) return Bad();
      ++image_.goodRecords;
      image_.ended = true;
      return Event::End;
    case ExtendedSegmentAddress:
      if (length != 2) return Bad();
      base_ = word() << 4;
      break;
    case ExtendedLinearAddress:
      if (length != 2) return Bad();
      base_ = word() << 16;
      break;
    case StartSegmentAddress:
    case StartLinearAddress:
      if (length != 4) return Bad();
      break;
    default:
      return Bad();
  }
  ++image_.goodRecords;
  return Event::Record;
}

}  // namespace sim
