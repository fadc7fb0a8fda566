#include "platform/posix/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/exceptions.h"

namespace platform {
namespace {

[[noreturn]] void Fail(const char* what) {
  throw Exception(std::string("pseudo-terminal: ") + what + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) Fail("posix_openpt");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    Close();
    Fail("unlockpt");
  }
  char name[128];
  if (ptsname_r(master_, name, sizeof name) != 0) {
    Close();
    Fail("ptsname");
  }
  slavePath_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slave_ < 0) {
    Close();
    Fail("open slave");
  }
  // Raw from the start: no echo and no carriage-return translation before anyone configures it.
  termios settings{};
  if (tcgetattr(slave_, &settings) == 0) {
    cfmakeraw(&settings);
    tcsetattr(slave_, TCSANOW, &settings);
  }
}

PseudoTerminal::~PseudoTerminal() {
  Close();
}

void PseudoTerminal::Close() {
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
  slave_ = master_ = -1;
}

}  // namespace platform
