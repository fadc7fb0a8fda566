#pragma once

#include <cstddef>
#include <cstdint>

#include "sim/line_peer.h"

namespace tessary_modem_sim {

// Paces the bytes a modem takes off its line to the line rate, ten bits to a byte. Reading is
// batched (a few milliseconds' worth at a time), and after a quiet spell the line has carried
// no more than a batch or two: what a UART's FIFO would hold.
class LinePacer {
 public:
  using Micros = sim::Micros;
  static constexpr Micros BatchUs = 5'000;

  // baud 0: unpaced, every byte is due at once.
  explicit LinePacer(std::uint32_t baud) : baud_(baud) {}

  bool Paced() const { return baud_ != 0; }
  // Bytes the line has carried by now and the modem has not taken yet.
  std::size_t Due(Micros now);
  // Takes one byte; returns when it had fully arrived.
  Micros Take(Micros now);
  // When the next batch is due (paced lines only).
  Micros NextBatchAt() const;

 private:
  std::int64_t Carried(Micros now) const;
  Micros ArrivalOf(std::int64_t byteCount) const;

  std::uint32_t baud_;
  Micros epoch_ = 0;
  std::int64_t taken_ = 0;
};

}  // namespace tessary_modem_sim
