#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <fstream>
#include <optional>
#include <string>

#include "platform/posix/pseudo_terminal.h"
#include "sim/simulated_modem.h"
#include "tools/tessary-modem-sim/line_pacer.h"
#include "tools/tessary-modem-sim/sim_options.h"

namespace tessary_modem_sim {

// Serves a simulated modem on a pseudo-terminal in real time. It reads the line at the given
// rate, keeps the line up while the program on the other side closes and reopens the port, and
// like a real UART loses what it sends while nobody has the port open.
class PtyModemServer {
 public:
  // Throws platform::Exception when the pseudo-terminal, the link or a file cannot be made.
  explicit PtyModemServer(const SimOptions& options);
  ~PtyModemServer();
  PtyModemServer(const PtyModemServer&) = delete;
  PtyModemServer& operator=(const PtyModemServer&) = delete;

  const std::string& DevicePath() const { return pty_.SlavePath(); }

  enum class End { Signal, LineDropped };
  // Serves until signalFd becomes readable (a signalfd for SIGTERM and friends) or the modem
  // drops its line, which to the other side is a vanished device.
  End Run(int signalFd);

  const sim::SimulatedModem& Modem() const { return modem_; }

 private:
  using Micros = sim::Micros;

  Micros Now() const;
  void TakeInput(Micros now);
  void SendOutput();
  void TrackOpenings();
  void Record();
  int PollTimeoutMs(Micros now, bool wantInput) const;

  SimOptions options_;
  sim::SimulatedModem modem_;
  platform::PseudoTerminal pty_;
  int inotify_ = -1;
  int openers_ = 0;  // descriptors the other side holds on the device
  std::deque<std::uint8_t> heldInput_;
  std::deque<std::uint8_t> pendingOutput_;
  Micros start_;
  LinePacer pacer_;
  std::ofstream capture_;
  std::size_t capturedSession_ = 0;  // the session being captured
  std::size_t capturedBytes_ = 0;    // of that session
  std::ofstream log_;
  std::size_t loggedCommands_ = 0;
};

}  // namespace tessary_modem_sim
