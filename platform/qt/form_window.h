#pragma once

#include <QWidget>

#include <map>
#include <memory>
#include <vector>

#include "platform/qt/control_bindings.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/subscription.h"
#include "platform/widgets.h"

class QMenuBar;

namespace platform {

// The top-level window of one form: its menu bar above a client area of the form's client size,
// with a widget for every control. Made when the form is first shown, after its controls exist.
class FormWindow final : public QWidget {
 public:
  // ownerWindow: the window of the form's owner, when it has one.
  FormWindow(Form& form, QtEventLoop& loop, FormWindow* ownerWindow);
  ~FormWindow() override;

  QWidget& ClientArea() const { return *client_; }
  QMenuBar* MenuBar() const { return menuBar_; }
  // The widget bound to a control of this form, or nullptr.
  QWidget* WidgetOf(const Control& control) const;

  // The form and its controls are being destroyed: never touch them again.
  void ModelGone();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenu();
  void BuildControls(Control& parent, QWidget& into);
  void AddMessageIcon();
  void Sync();

  Form& form_;
  QtEventLoop& loop_;
  QMenuBar* menuBar_ = nullptr;
  QWidget* client_;
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  std::map<const Control*, QWidget*> widgets_;
  std::vector<std::unique_ptr<Subscription>> menuSubscriptions_;
  std::unique_ptr<Subscription> formSubscription_;
  bool placed_ = false;
};

}  // namespace platform
