#include "platform/event_loop.h"

#include <iostream>

#include "platform/exceptions.h"

namespace platform {

void EventLoop::Dispatch(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const EAbort&) {
    // Silent by definition: the user asked for it.
  } catch (const std::exception& e) {
    if (exceptionHandler_) {
      exceptionHandler_(e);
    } else {
      std::cerr << "Unhandled error: " << e.what() << '\n';
    }
  }
}

}  // namespace platform
