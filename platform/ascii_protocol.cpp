#include "platform/ascii_protocol.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/exceptions.h"
#include "platform/files.h"

namespace platform {

namespace {
constexpr std::uint32_t MsPerTick = 55;
// The code given to OnProtocolError; the program does not read it.
constexpr std::int32_t ErrorCode = -1;
}  // namespace

struct AsciiProtocol::Impl {
  Impl(AsciiProtocol& self, EventLoop& loop, ComPort& port) : self(self), loop(loop), port(port) {}

  AsciiProtocol& self;
  EventLoop& loop;
  ComPort& port;
  std::shared_ptr<int> alive = std::make_shared<int>(0);

  ProtocolType type = ProtocolType::Ascii;
  std::string fileMask = "*.*";
  std::int32_t transmitTimeout = DefaultTransmitTimeoutTicks;
  std::int32_t statusInterval = DefaultStatusIntervalTicks;

  // The running transfer. It is over for the port as soon as it ends; InProgress() stays true
  // until the end event has been raised.
  bool inProgress = false;
  bool ending = false;
  std::optional<File> file;
  std::vector<std::uint8_t> chunk;  // read from the file, not yet queued from chunkHead on
  std::size_t chunkHead = 0;
  bool fileDone = false;
  std::uint64_t queued = 0;  // bytes handed to the port
  std::uint64_t sent = 0;    // bytes that have left the line, as last seen
  std::uint64_t sentAtLastStatus = 0;
  std::uint32_t lastMoveMs = 0;  // when sent last grew
  std::optional<EventLoop::TimerId> statusTimer;

  std::uint16_t BlockLength() const {
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(sent - sentAtLastStatus, 0xFFFF));
  }

  void Start() {
    if (inProgress) throw Exception("A transfer is already in progress");
    inProgress = true;
    ending = false;
    queued = sent = sentAtLastStatus = 0;
    lastMoveMs = loop.TickCount();
    chunk.clear();
    chunkHead = 0;
    fileDone = false;
    file = File::TryOpenInput(fileMask);
    if (!file) {
      End(false);
      return;
    }
    try {
      port.SetOpen(true);  // as the port's AutoOpen would
    } catch (const Exception&) {
      End(false);
      return;
    }
    port.OnOutputSpace = [this] { Progress(); };
    port.OnPortError = [this] { End(false); };
    const std::uint32_t intervalMs =
        static_cast<std::uint32_t>(std::max(1, statusInterval)) * MsPerTick;
    statusTimer = loop.AddTimer(intervalMs, [this] { StatusTick(); });
    Progress();
  }

  // Keeps the port's output buffer full and notices when the last byte has left the line.
  void Progress() {
    if (ending) return;
    if (!port.Open()) {
      End(false);
      return;
    }
    const std::uint64_t onLine = queued - port.OutBuffUsed();
    if (onLine != sent) {
      sent = onLine;
      lastMoveMs = loop.TickCount();
    }
    while (!fileDone && port.OutBuffFree() > 0) {
      if (chunkHead == chunk.size() && !ReadChunk()) break;
      const std::size_t take = std::min(chunk.size() - chunkHead, port.OutBuffFree());
      port.PutString(
          std::string_view(reinterpret_cast<const char*>(chunk.data()) + chunkHead, take));
      chunkHead += take;
      queued += take;
    }
    if (fileDone && sent == queued) End(true);
  }

  bool ReadChunk() {
    chunk.resize(ComPort::OutSize);
    try {
      chunk.resize(file->Read(chunk));
    } catch (const Exception&) {
      End(false);
      return false;
    }
    chunkHead = 0;
    if (chunk.empty()) fileDone = true;
    return !chunk.empty();
  }

  void StatusTick() {
    Progress();
    if (ending) return;
    const std::uint32_t stalledMs = (loop.TickCount() - lastMoveMs) & 0x7FFFFFFFu;
    if (stalledMs >= static_cast<std::uint32_t>(std::max(0, transmitTimeout)) * MsPerTick) {
      End(false);
      return;
    }
    RaiseStatus();
  }

  void RaiseStatus() {
    const std::uint16_t block = BlockLength();
    if (self.OnProtocolStatus) self.OnProtocolStatus(0);
    sentAtLastStatus += block;
  }

  // A last status reports the rest, then exactly one end event, both through the loop.
  void End(bool finished) {
    if (ending) return;
    ending = true;
    fileDone = true;
    if (statusTimer) loop.RemoveTimer(*statusTimer);
    statusTimer.reset();
    port.OnOutputSpace = nullptr;
    port.OnPortError = nullptr;
    // A failed transfer leaves nothing of the file behind the commands that follow it.
    if (!finished) port.FlushOutBuffer();
    file.reset();
    const std::weak_ptr<int> token = alive;
    loop.Post([this, token, finished] {
      if (token.expired()) return;
      inProgress = false;
      if (BlockLength() > 0) RaiseStatus();
      const std::int32_t code = finished ? 0 : ErrorCode;
      const auto& handler = finished ? self.OnProtocolFinish : self.OnProtocolError;
      if (handler) handler(code);
    });
  }
};

AsciiProtocol::AsciiProtocol(EventLoop& loop, ComPort& port)
    : impl_(std::make_unique<Impl>(*this, loop, port)) {}

AsciiProtocol::~AsciiProtocol() {
  if (impl_->statusTimer) impl_->loop.RemoveTimer(*impl_->statusTimer);
  if (impl_->inProgress && !impl_->ending) {
    impl_->port.OnOutputSpace = nullptr;
    impl_->port.OnPortError = nullptr;
  }
}

ProtocolType AsciiProtocol::GetProtocolType() const {
  return impl_->type;
}
void AsciiProtocol::SetProtocolType(ProtocolType type) {
  impl_->type = type;
}
const std::string& AsciiProtocol::FileMask() const {
  return impl_->fileMask;
}
void AsciiProtocol::SetFileMask(const std::string& mask) {
  impl_->fileMask = mask;
}
std::int32_t AsciiProtocol::TransmitTimeout() const {
  return impl_->transmitTimeout;
}
void AsciiProtocol::SetTransmitTimeout(std::int32_t ticks) {
  impl_->transmitTimeout = ticks;
}
std::int32_t AsciiProtocol::StatusInterval() const {
  return impl_->statusInterval;
}
void AsciiProtocol::SetStatusInterval(std::int32_t ticks) {
  impl_->statusInterval = ticks;
}

void AsciiProtocol::StartTransmit() {
  impl_->Start();
}
bool AsciiProtocol::InProgress() const {
  return impl_->inProgress;
}
std::uint16_t AsciiProtocol::BlockLength() const {
  return impl_->BlockLength();
}

}  // namespace platform
