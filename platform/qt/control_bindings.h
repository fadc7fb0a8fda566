#pragma once

#include <QWidget>

#include <memory>

#include "platform/qt/qt_event_loop.h"
#include "platform/qt/subscription.h"
#include "platform/widgets.h"

namespace platform {

// One model control and the Qt widget that shows it. Every change of the model is drawn at once;
// what the user does to the widget goes to the model as a dispatched event.
class ControlBinding {
 public:
  virtual ~ControlBinding() = default;
  ControlBinding(const ControlBinding&) = delete;
  ControlBinding& operator=(const ControlBinding&) = delete;

  Control& Model() const { return control_; }
  QWidget& Widget() const { return widget_; }

  // Draws the model's present state.
  void Sync();
  // The model control has been destroyed: never touch it again.
  void ModelGone() { subscription_.Release(); }

 protected:
  ControlBinding(Control& control, QWidget& widget);

  virtual void SyncContent() {}
  // Whether the text greys out when the control is disabled (buttons do, labels do not).
  virtual bool GreyWhenDisabled() const { return false; }

 private:
  Control& control_;
  QWidget& widget_;
  Subscription subscription_;
};

// Makes the widget for a control inside parent and binds it.
std::unique_ptr<ControlBinding> BindControl(Control& control, QWidget& parent, QtEventLoop& loop);

}  // namespace platform
