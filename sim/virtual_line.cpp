#include "sim/virtual_line.h"

#include <algorithm>

#include "platform/exceptions.h"

namespace sim {

class VirtualLine::End : public platform::SerialDevice {
 public:
  explicit End(VirtualLine& line) : line_(&line) {}
  ~End() override {
    if (line_) line_->Disconnect();
  }

  void SetEvents(Events events) override { events_ = std::move(events); }
  std::size_t Read(std::span<std::uint8_t> buffer) override {
    return line_ ? line_->HostRead(buffer) : 0;
  }
  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    return line_ ? line_->HostWrite(bytes) : 0;
  }
  std::size_t PendingOutput() const override {
    return line_ ? line_->transmitQueue_.size() + (line_->transmitting_ ? 1 : 0) : 0;
  }
  void HoldInput(bool hold) override {
    if (line_) line_->SetHostHolds(hold);
  }
  bool Failed() const override { return failed_; }

  // The line lets go of this end (it failed, or the line is going away).
  void Release(bool failed) {
    line_ = nullptr;
    failed_ = failed;
  }

  // Copies the handler first: the port may destroy this end from within it.
  static void Raise(const std::function<void()>& handler) {
    if (const std::function<void()> copy = handler) copy();
  }
  const Events& GetEvents() const { return events_; }

 private:
  VirtualLine* line_;
  Events events_;
  bool failed_ = false;
};

Micros VirtualLine::ByteClock::NextEnd(Micros now) {
  if (now != lastEnd) {
    anchor = now;
    count = 0;
  }
  ++count;
  constexpr std::int64_t bitMicros = BitsPerByte * 1'000'000;
  lastEnd = anchor + (count * bitMicros + BitRate - 1) / BitRate;
  return lastEnd;
}

VirtualLine::VirtualLine(platform::VirtualEventLoop& loop, LinePeer& peer)
    : loop_(loop), peer_(peer) {
  ScheduleWakeUp();
}

VirtualLine::~VirtualLine() {
  if (end_) end_->Release(false);
}

std::unique_ptr<platform::SerialDevice> VirtualLine::Connect(const std::string& portName) {
  if (end_) throw platform::Exception(portName + " is in use");
  auto end = std::make_unique<End>(*this);
  end_ = end.get();
  ++connection_;
  return end;
}

void VirtualLine::Disconnect() {
  end_ = nullptr;
  ++connection_;
  // What the port had not sent yet, and what it had not read, is lost with it.
  transmitQueue_.clear();
  transmitting_ = false;
  hostInput_.clear();
  hostHolds_ = false;
  StartReceive();
}

void VirtualLine::Fail() {
  End* const end = end_;
  Disconnect();
  end->Release(true);
  End::Raise(end->GetEvents().failed);
}

void VirtualLine::At(Micros when, std::function<void()> fn) {
  const std::weak_ptr<int> token = alive_;
  loop_.ScheduleAt(when, [token, fn = std::move(fn)] {
    if (!token.expired()) fn();
  });
}

void VirtualLine::AfterPeer() {
  if (peer_.TakeLineDrop() && end_) Fail();
  StartTransmit();
  StartReceive();
  ScheduleWakeUp();
}

void VirtualLine::StartTransmit() {
  if (transmitting_ || transmitQueue_.empty() || !peer_.ClearToSend()) return;
  transmitByte_ = transmitQueue_.front();
  transmitQueue_.pop_front();
  transmitting_ = true;
  At(transmitClock_.NextEnd(loop_.Now()), [this, connection = connection_] {
    if (connection == connection_) TransmitDone();
  });
}

void VirtualLine::TransmitDone() {
  transmitting_ = false;
  peer_.Receive(transmitByte_, loop_.Now());
  AfterPeer();
  if (end_) End::Raise(end_->GetEvents().bytesWritten);
}

void VirtualLine::StartReceive() {
  if (receiving_ || !peer_.HasOutput() || (end_ && hostHolds_)) return;
  receiveByte_ = peer_.TakeOutput();
  receiving_ = true;
  At(receiveClock_.NextEnd(loop_.Now()), [this] { ReceiveDone(); });
}

void VirtualLine::ReceiveDone() {
  receiving_ = false;
  if (end_) {
    hostInput_.push_back(receiveByte_);
    End::Raise(end_->GetEvents().readyRead);
  }
  StartReceive();
}

void VirtualLine::ScheduleWakeUp() {
  const std::optional<Micros> next = peer_.NextWakeUp();
  if (!next || (wakeUpAt_ && *wakeUpAt_ <= *next)) return;
  wakeUpAt_ = next;
  At(*next, [this, when = *next] {
    // A wake-up moved earlier since leaves this one stale.
    if (wakeUpAt_ != when) return;
    wakeUpAt_.reset();
    peer_.Advance(loop_.Now());
    AfterPeer();
  });
}

std::size_t VirtualLine::HostRead(std::span<std::uint8_t> buffer) {
  const std::size_t count = std::min(buffer.size(), hostInput_.size());
  std::copy_n(hostInput_.begin(), count, buffer.begin());
  hostInput_.erase(hostInput_.begin(), hostInput_.begin() + static_cast<std::ptrdiff_t>(count));
  return count;
}

std::size_t VirtualLine::HostWrite(std::span<const std::uint8_t> bytes) {
  const std::size_t room = TransmitFifo - transmitQueue_.size();
  const std::size_t count = std::min(room, bytes.size());
  transmitQueue_.insert(transmitQueue_.end(), bytes.begin(), bytes.begin() + count);
  StartTransmit();
  return count;
}

void VirtualLine::SetHostHolds(bool hold) {
  hostHolds_ = hold;
  StartReceive();
}

}  // namespace sim
