#include "tools/tessary-modem-sim/pty_modem_server.h"

#include <poll.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "platform/exceptions.h"
#include "text/cp1252.h"

namespace tessary_modem_sim {
namespace {

constexpr std::size_t kReadChunk = 4096;

[[noreturn]] void Fail(const std::string& what) {
  throw platform::Exception(what + ": " + std::strerror(errno));
}

std::ofstream OpenOutput(const std::optional<std::string>& path) {
  std::ofstream out;
  if (!path) return out;
  out.open(*path, std::ios::binary | std::ios::trunc);
  if (!out) Fail("cannot write " + *path);
  return out;
}

}  // namespace

PtyModemServer::PtyModemServer(const SimOptions& options)
    : options_(options),
      modem_(options.modem),
      start_(std::chrono::duration_cast<std::chrono::microseconds>(
                 std::chrono::steady_clock::now().time_since_epoch())
                 .count()),
      pacer_(options.baud),
      capture_(OpenOutput(options.capture)),
      log_(OpenOutput(options.log)) {
  inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_ < 0) Fail("inotify");
  if (inotify_add_watch(inotify_, pty_.SlavePath().c_str(), IN_OPEN | IN_CLOSE) < 0) {
    Fail("cannot watch " + pty_.SlavePath());
  }
  if (options_.link) {
    std::error_code error;
    std::filesystem::remove(*options_.link, error);
    std::filesystem::create_symlink(pty_.SlavePath(), *options_.link, error);
    if (error) {
      errno = error.value();
      Fail("cannot make the link " + *options_.link);
    }
  }
}

PtyModemServer::~PtyModemServer() {
  if (options_.link) {
    std::error_code error;
    std::filesystem::remove(*options_.link, error);
  }
  if (inotify_ >= 0) close(inotify_);
}

sim::Micros PtyModemServer::Now() const {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
             .count() -
         start_;
}

PtyModemServer::End PtyModemServer::Run(int signalFd) {
  for (;;) {
    const Micros now = Now();
    if (const auto wakeUp = modem_.NextWakeUp(); wakeUp && *wakeUp <= now) modem_.Advance(now);
    SendOutput();
    Record();
    if (modem_.TakeLineDrop()) {
      pty_.Close();
      return End::LineDropped;
    }
    // Lowered CTS holds the line: the bytes wait in the terminal and its writer stalls.
    const bool wantInput = modem_.ClearToSend() && pacer_.Due(now) > 0;
    pollfd fds[3] = {
        {signalFd, POLLIN, 0},
        {inotify_, POLLIN, 0},
        {pty_.MasterFd(),
         static_cast<short>((wantInput ? POLLIN : 0) | (pendingOutput_.empty() ? 0 : POLLOUT)), 0},
    };
    if (poll(fds, 3, PollTimeoutMs(now, wantInput)) < 0 && errno != EINTR) Fail("poll");
    if (fds[0].revents & POLLIN) return End::Signal;
    if (fds[1].revents & POLLIN) TrackOpenings();
    if (fds[2].revents & POLLIN) TakeInput(Now());
  }
}

int PtyModemServer::PollTimeoutMs(Micros now, bool wantInput) const {
  Micros wait = -1;
  const auto sooner = [&wait](Micros micros) {
    micros = std::max<Micros>(micros, 0);
    wait = wait < 0 ? micros : std::min(wait, micros);
  };
  if (const auto wakeUp = modem_.NextWakeUp()) sooner(*wakeUp - now);
  if (!wantInput && modem_.ClearToSend() && pacer_.Paced()) sooner(pacer_.NextBatchAt() - now);
  if (wait < 0) return -1;
  return static_cast<int>((wait + 999) / 1000);
}

void PtyModemServer::TakeInput(Micros now) {
  std::uint8_t buffer[kReadChunk];
  const ssize_t got = read(pty_.MasterFd(), buffer, std::min(pacer_.Due(now), sizeof buffer));
  if (got > 0) heldInput_.insert(heldInput_.end(), buffer, buffer + got);
  // Bytes already on their way when the modem lowers CTS wait in its FIFO until it raises it.
  while (!heldInput_.empty() && modem_.ClearToSend()) {
    modem_.Receive(heldInput_.front(), pacer_.Take(now));
    heldInput_.pop_front();
  }
}

void PtyModemServer::SendOutput() {
  while (modem_.HasOutput())
    pendingOutput_.push_back(modem_.TakeOutput());
  if (openers_ == 0) {
    pendingOutput_.clear();  // nobody listens: the bytes go nowhere
    return;
  }
  while (!pendingOutput_.empty()) {
    std::uint8_t chunk[512];
    const std::size_t count = std::min(pendingOutput_.size(), sizeof chunk);
    std::copy_n(pendingOutput_.begin(), count, chunk);
    const ssize_t written = write(pty_.MasterFd(), chunk, count);
    if (written <= 0) return;  // the terminal is full; poll says when it has room
    pendingOutput_.erase(pendingOutput_.begin(), pendingOutput_.begin() + written);
  }
}

void PtyModemServer::TrackOpenings() {
  alignas(inotify_event) char buffer[4096];
  ssize_t got;
  while ((got = read(inotify_, buffer, sizeof buffer)) > 0) {
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->mask & IN_OPEN) ++openers_;
      if (event->mask & IN_CLOSE) openers_ = std::max(0, openers_ - 1);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  // Closed: what the modem sent and nobody read is lost, as in a UART's buffer.
  if (openers_ == 0) tcflush(pty_.SlaveFd(), TCIFLUSH);
}

void PtyModemServer::Record() {
  const auto& images = modem_.Images();
  // The last session stays open: bytes may still come to it (its line ends come after the end
  // record); an earlier one is complete once a later one has begun.
  while (capture_.is_open() && capturedSession_ < images.size()) {
    const std::string& bytes = images[capturedSession_].hexBytes;
    capture_.write(bytes.data() + capturedBytes_,
                   static_cast<std::streamsize>(bytes.size() - capturedBytes_));
    capturedBytes_ = bytes.size();
    if (capturedSession_ + 1 == images.size()) break;
    ++capturedSession_;
    capturedBytes_ = 0;
  }
  capture_.flush();
  const auto& commands = modem_.Commands();
  for (; log_.is_open() && loggedCommands_ < commands.size(); ++loggedCommands_) {
    log_ << text::ToUtf8(commands[loggedCommands_]) << '\n';
  }
  log_.flush();
}

}  // namespace tessary_modem_sim
