#include "platform/com_port.h"

#include <algorithm>
#include <deque>
#include <span>
#include <vector>

#include "platform/exceptions.h"
#include "platform/stream_matcher.h"

namespace platform {

struct ComPort::Impl {
  Impl(ComPort& self, EventLoop& loop, SerialPortFactory& factory)
      : self(self), loop(loop), factory(factory) {}

  struct Trigger {
    std::uint16_t handle;
    StreamMatcher matcher;
  };

  ComPort& self;
  EventLoop& loop;
  SerialPortFactory& factory;
  // Posted work checks this first: the port may be gone when the loop gets to it.
  std::shared_ptr<int> alive = std::make_shared<int>(0);

  std::uint8_t comNumber = 1;
  std::uint32_t baud = 115200;
  bool isOpen = false;
  std::unique_ptr<SerialDevice> device;  // null on an open port whose device failed

  // Input: positions count bytes received since the port was opened.
  std::deque<std::uint8_t> input;
  std::uint64_t consumed = 0;  // position of input.front()
  std::uint64_t reported = 0;  // bytes before this were raised in events (or consumed first)
  bool peerHeld = false;

  // Output not yet taken by the device; the front lies at outHead.
  std::vector<std::uint8_t> output;
  std::size_t outHead = 0;

  std::vector<Trigger> triggers;
  std::uint16_t lastHandle = 0;
  bool eventsHeld = false;
  bool eventsPosted = false;
  std::uint64_t availBegin = 0;  // the bytes of the OnTriggerAvail being raised
  std::uint64_t availEnd = 0;

  std::uint64_t Received() const { return consumed + input.size(); }
  std::size_t OutputQueued() const { return output.size() - outHead; }

  void Open() {
    device = factory.Open(comNumber);
    isOpen = true;
    SerialDevice* const opened = device.get();
    const std::weak_ptr<int> token = alive;
    device->SetEvents(SerialDevice::Events{
        .readyRead =
            [this, opened] {
              if (device.get() == opened) Fetch();
            },
        .bytesWritten =
            [this, opened] {
              if (device.get() != opened) return;
              Pump();
              if (self.OnOutputSpace) self.OnOutputSpace();
            },
        .failed =
            [this, opened, token] {
              if (device.get() != opened) return;
              // The port stays open but dead, as a handle to an unplugged adapter does: what
              // is sent is lost and waits time out, until the program closes it. The device
              // goes only after its own event has returned.
              const std::shared_ptr<SerialDevice> dead(std::move(device));
              ClearBuffers();
              loop.Post([this, token, dead] {
                if (!token.expired() && self.OnPortError) self.OnPortError();
              });
            },
    });
    device->HoldInput(false);
  }

  void Close() {
    device.reset();
    isOpen = false;
    ClearBuffers();
  }

  void ClearBuffers() {
    input.clear();
    consumed = reported = 0;
    peerHeld = false;
    output.clear();
    outHead = 0;
    for (Trigger& trigger : triggers)
      trigger.matcher.Reset();
  }

  void EnsureOpen() {
    if (!isOpen) Open();
  }

  // Takes what the device holds, up to the buffer's size; above BufferFull the peer is held so
  // that the line's flow control stops it before the buffer overflows.
  void Fetch() {
    std::uint8_t chunk[512];
    while (input.size() < InSize) {
      const std::size_t room = std::min(sizeof chunk, InSize - input.size());
      const std::size_t got = device->Read(std::span(chunk, room));
      if (got == 0) break;
      input.insert(input.end(), chunk, chunk + got);
    }
    if (!peerHeld && input.size() >= BufferFull) {
      peerHeld = true;
      device->HoldInput(true);
    }
    ScheduleEvents();
  }

  void Pump() {
    if (!device) {  // a dead line takes everything and delivers nothing
      output.clear();
      outHead = 0;
      return;
    }
    while (OutputQueued() > 0) {
      const std::size_t taken = device->Write(std::span(output.data() + outHead, OutputQueued()));
      if (taken == 0) break;
      outHead += taken;
    }
    if (outHead == output.size()) {
      output.clear();
      outHead = 0;
    } else if (outHead > OutSize) {
      output.erase(output.begin(), output.begin() + static_cast<std::ptrdiff_t>(outHead));
      outHead = 0;
    }
  }

  void ScheduleEvents() {
    if (eventsHeld || eventsPosted || Received() <= reported) return;
    if (!self.OnTriggerAvail && triggers.empty()) return;
    eventsPosted = true;
    const std::weak_ptr<int> token = alive;
    loop.Post([this, token] {
      if (token.expired()) return;
      eventsPosted = false;
      RaiseEvents();
    });
  }

  // Raises OnTriggerAvail for the new bytes, cut after every byte on which a trigger fired so
  // that each OnTriggerData follows the avail event of the bytes that made it.
  void RaiseEvents() {
    while (device && !eventsHeld && reported < Received()) {
      if (reported < consumed) {
        // Bytes a reply wait took out: the triggers start again after the gap.
        for (Trigger& trigger : triggers)
          trigger.matcher.Reset();
        reported = consumed;
      }
      const std::uint64_t begin = reported;
      std::uint64_t end = Received();
      std::vector<std::uint16_t> fired;
      for (std::uint64_t at = begin; at < end; ++at) {
        const std::uint8_t byte = input[at - consumed];
        for (Trigger& trigger : triggers) {
          if (trigger.matcher.Feed(byte)) fired.push_back(trigger.handle);
        }
        if (!fired.empty()) end = at + 1;
      }
      reported = end;
      availBegin = begin;
      availEnd = end;
      if (self.OnTriggerAvail) self.OnTriggerAvail(end - begin);
      availBegin = availEnd = 0;
      for (const std::uint16_t handle : fired) {
        if (HasTrigger(handle) && self.OnTriggerData) self.OnTriggerData(handle);
      }
    }
  }

  bool HasTrigger(std::uint16_t handle) const {
    return std::any_of(triggers.begin(), triggers.end(),
                       [handle](const Trigger& t) { return t.handle == handle; });
  }

  void Consumed() {
    input.pop_front();
    ++consumed;
    if (peerHeld && input.size() <= BufferResume) {
      peerHeld = false;
      device->HoldInput(false);
      Fetch();
    }
  }
};

ComPort::ComPort(EventLoop& loop, SerialPortFactory& factory)
    : impl_(std::make_unique<Impl>(*this, loop, factory)) {}

ComPort::~ComPort() = default;

std::uint8_t ComPort::ComNumber() const {
  return impl_->comNumber;
}

void ComPort::SetComNumber(std::uint8_t comNumber) {
  if (comNumber == impl_->comNumber) return;
  const bool wasOpen = Open();
  impl_->Close();
  impl_->comNumber = comNumber;
  if (wasOpen) impl_->Open();
}

std::uint32_t ComPort::Baud() const {
  return impl_->baud;
}

// The line runs at the speed the device was opened with; the value is kept for the callers.
void ComPort::SetBaud(std::uint32_t baud) {
  impl_->baud = baud;
}

bool ComPort::Open() const {
  return impl_->isOpen;
}

void ComPort::SetOpen(bool open) {
  if (open == Open()) return;
  if (open) {
    impl_->Open();
  } else {
    impl_->Close();
  }
}

void ComPort::PutString(std::string_view bytes) {
  impl_->EnsureOpen();
  if (OutBuffFree() < bytes.size()) throw Exception("Output buffer full");
  impl_->output.insert(impl_->output.end(), bytes.begin(), bytes.end());
  impl_->Pump();
}

std::size_t ComPort::InBuffUsed() {
  impl_->EnsureOpen();
  return impl_->input.size();
}

bool ComPort::CharReady() {
  return InBuffUsed() > 0;
}

std::uint8_t ComPort::GetChar() {
  if (!CharReady()) throw Exception("Input buffer is empty");
  const std::uint8_t byte = impl_->input.front();
  impl_->Consumed();
  return byte;
}

std::string ComPort::PeekInput() const {
  return {impl_->input.begin(), impl_->input.end()};
}

std::string ComPort::PeekAvail() const {
  const Impl& d = *impl_;
  const std::uint64_t begin = std::max(d.availBegin, d.consumed);
  if (begin >= d.availEnd) return {};
  const auto first = d.input.begin() + static_cast<std::ptrdiff_t>(begin - d.consumed);
  return {first, first + static_cast<std::ptrdiff_t>(d.availEnd - begin)};
}

std::size_t ComPort::OutBuffUsed() const {
  return impl_->OutputQueued() + (impl_->device ? impl_->device->PendingOutput() : 0);
}

std::size_t ComPort::OutBuffFree() const {
  return OutSize - std::min(OutSize, OutBuffUsed());
}

void ComPort::FlushOutBuffer() {
  impl_->output.clear();
  impl_->outHead = 0;
}

std::uint16_t ComPort::AddDataTrigger(std::string_view text, bool ignoreCase) {
  if (text.empty() || text.size() > MaxTriggerLength) throw Exception("Invalid data trigger");
  std::uint16_t handle = impl_->lastHandle;
  do {
    handle = static_cast<std::uint16_t>(handle + 1);
  } while (handle == 0 || impl_->HasTrigger(handle));
  impl_->lastHandle = handle;
  impl_->triggers.push_back(Impl::Trigger{handle, StreamMatcher(text, ignoreCase)});
  return handle;
}

void ComPort::RemoveTrigger(std::uint16_t handle) {
  std::erase_if(impl_->triggers, [handle](const Impl::Trigger& t) { return t.handle == handle; });
}

void ComPort::HoldEvents(bool hold) {
  impl_->eventsHeld = hold;
  if (!hold) impl_->ScheduleEvents();
}

bool ComPort::EventsHeld() const {
  return impl_->eventsHeld;
}

}  // namespace platform
