#pragma once

#include <map>
#include <memory>

#include "platform/application.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/subscription.h"

namespace platform {

// Shows an application's forms as Qt windows: each form gets its window when it is first shown
// and loses it when it is destroyed. Needs a QApplication; may be made after the first forms.
class QtView {
 public:
  QtView(Application& app, QtEventLoop& loop);
  ~QtView();
  QtView(const QtView&) = delete;
  QtView& operator=(const QtView&) = delete;

  // The window of a form that has been shown, or nullptr.
  FormWindow* WindowOf(const Form& form) const;

 private:
  struct Entry {
    std::unique_ptr<Subscription> subscription;
    std::unique_ptr<FormWindow> window;
  };

  void Watch(Form& form);
  void Forget(Form& form);
  void OnFormChanged(Form& form);

  Application& app_;
  QtEventLoop& loop_;
  int watchToken_;
  std::map<const Form*, Entry> entries_;
};

}  // namespace platform
