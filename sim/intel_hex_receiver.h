#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sim {

// What a boot code received in one programming session.
struct ReceivedImage {
  std::string hexBytes;                                     // every byte as it came over the line
  std::map<std::uint32_t, std::vector<std::uint8_t>> data;  // data records by absolute address
  std::size_t goodRecords = 0;
  std::size_t badRecords = 0;
  bool ended = false;  // the end record arrived
};

// Reads Intel-HEX records byte by byte and checks each one (digits, length, type, checksum).
// A record is complete once all the digits its length announces have come, so no line end is
// needed after the last one; line ends and blanks between records are passed over. A fault
// counts once: everything up to the next ':' goes with it.
class IntelHexReceiver {
 public:
  enum class Event { None, Record, BadRecord, End };

  explicit IntelHexReceiver(ReceivedImage& image) : image_(image) {}

  Event Feed(std::uint8_t byte);
  const ReceivedImage& Image() const { return image_; }

 private:
  static int HexValue(std::uint8_t byte);
  Event Bad();
  Event Complete();

  enum class State { Between, InRecord, Skipping };

  ReceivedImage& image_;
  State state_ = State::Between;
  std::vector<std::uint8_t> bytes_;  // of the record being read
  int pendingDigit_ = -1;            // the high digit of a byte not yet complete
  std::uint32_t base_ = 0;           // from the extended address records
};

}  // namespace sim
