#pragma once

#include <string>

namespace platform {

// A pseudo-terminal in raw mode: a program opens SlavePath() as its serial port, and the owner
// plays the device on the master side. The owner keeps a slave descriptor of its own open, so
// that the line stays up while that program closes and reopens the port.
class PseudoTerminal {
 public:
  // Throws platform::Exception when the system has no pseudo-terminal to give.
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int MasterFd() const { return master_; }  // non-blocking
  int SlaveFd() const { return slave_; }    // the owner's own slave descriptor
  const std::string& SlavePath() const { return slavePath_; }

  // Closes both ends at once: to the program on the slave side the device has vanished.
  void Close();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace platform
