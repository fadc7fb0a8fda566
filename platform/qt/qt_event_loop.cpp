#include "platform/qt/qt_event_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimerEvent>

#include <algorithm>
#include <chrono>
#include <climits>
#include <utility>

namespace platform {
namespace {

constexpr auto kPostedCallType = static_cast<QEvent::Type>(QEvent::User + 1);

class PostedCall final : public QEvent {
 public:
  explicit PostedCall(std::function<void()> fn) : QEvent(kPostedCallType), fn(std::move(fn)) {}
  std::function<void()> fn;
};

}  // namespace

// Receives the loop's timer events and posted calls. A QObject of its own, so that destroying
// the loop drops whatever was still queued for it.
class QtEventLoop::Receiver final : public QObject {
 public:
  explicit Receiver(QtEventLoop& loop) : loop_(loop) {}

 protected:
  bool event(QEvent* event) override {
    if (event->type() != kPostedCallType) return QObject::event(event);
    loop_.Dispatch(static_cast<PostedCall*>(event)->fn);
    return true;
  }
  void timerEvent(QTimerEvent* event) override { loop_.FireTimer(event->timerId()); }

 private:
  QtEventLoop& loop_;
};

QtEventLoop::QtEventLoop() : receiver_(std::make_unique<Receiver>(*this)) {}

QtEventLoop::~QtEventLoop() = default;

std::uint32_t QtEventLoop::TickCount() const {
  const auto sinceOrigin = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceOrigin).count();
  return static_cast<std::uint32_t>(ms) & 0x7FFFFFFFu;
}

void QtEventLoop::ProcessMessages(std::uint32_t maxWaitMs) {
  if (maxWaitMs == 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  } else {
    // The dispatcher handles what is pending without waiting; otherwise it sleeps until the
    // next event, and a one-off timer of our own is the event that ends the wait at the deadline.
    int deadlineTimer = 0;
    if (maxWaitMs != WaitForever) {
      const int wait = static_cast<int>(std::min<std::uint32_t>(maxWaitMs, INT_MAX));
      deadlineTimer = receiver_->startTimer(wait, Qt::PreciseTimer);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (deadlineTimer != 0) receiver_->killTimer(deadlineTimer);
  }
  // Qt defers some of its own deletions to "the event loop", which ours never enters by exec().
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtEventLoop::Run() {
  while (!terminated_)
    ProcessMessages(WaitForever);
}

void QtEventLoop::Post(std::function<void()> fn) {
  QCoreApplication::postEvent(receiver_.get(), new PostedCall(std::move(fn)));
}

EventLoop::TimerId QtEventLoop::AddTimer(std::uint32_t intervalMs, std::function<void()> onFire) {
  const int interval = static_cast<int>(std::min<std::uint32_t>(intervalMs, INT_MAX));
  const int qtId = receiver_->startTimer(interval, Qt::PreciseTimer);
  const TimerId id = nextTimer_++;
  qtTimerIds_[id] = qtId;
  timerCallbacks_[qtId] = std::move(onFire);
  return id;
}

void QtEventLoop::RemoveTimer(TimerId id) {
  const auto it = qtTimerIds_.find(id);
  if (it == qtTimerIds_.end()) return;
  receiver_->killTimer(it->second);
  timerCallbacks_.erase(it->second);
  qtTimerIds_.erase(it);
}

void QtEventLoop::FireTimer(int qtTimerId) {
  const auto it = timerCallbacks_.find(qtTimerId);
  if (it == timerCallbacks_.end()) return;  // a wait's deadline: waking up was its whole job
  // A copy: the callback may remove its own timer.
  const std::function<void()> fn = it->second;
  Dispatch(fn);
}

}  // namespace platform
