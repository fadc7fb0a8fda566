#include "tools/tessary-modem-sim/line_pacer.h"

#include <algorithm>
#include <limits>

namespace tessary_modem_sim {
namespace {

constexpr std::int64_t kBitsPerByte = 10;  // start, eight data bits, stop
constexpr std::int64_t kMicrosPerSecond = 1'000'000;
constexpr sim::Micros kMostCatchUpUs = 2 * LinePacer::BatchUs;

}  // namespace

std::int64_t LinePacer::Carried(Micros now) const {
  return (now - epoch_) * baud_ / (kBitsPerByte * kMicrosPerSecond);
}

sim::Micros LinePacer::ArrivalOf(std::int64_t byteCount) const {
  return epoch_ + byteCount * kBitsPerByte * kMicrosPerSecond / baud_;
}

std::size_t LinePacer::Due(Micros now) {
  if (!Paced()) return std::numeric_limits<std::size_t>::max();
  const std::int64_t mostDue =
      std::max<std::int64_t>(1, kMostCatchUpUs * baud_ / (kBitsPerByte * kMicrosPerSecond));
  taken_ = std::max(taken_, Carried(now) - mostDue);
  return static_cast<std::size_t>(std::max<std::int64_t>(0, Carried(now) - taken_));
}

sim::Micros LinePacer::Take(Micros now) {
  if (!Paced()) return now;
  return ArrivalOf(++taken_);
}

sim::Micros LinePacer::NextBatchAt() const {
  const std::int64_t batch =
      std::max<std::int64_t>(1, BatchUs * baud_ / (kBitsPerByte * kMicrosPerSecond));
  return ArrivalOf(taken_ + batch);
}

}  // namespace tessary_modem_sim
