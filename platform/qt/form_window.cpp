#include "platform/qt/form_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/application.h"
#include "platform/qt/qt_style.h"

namespace platform {
namespace {

Qt::WindowFlags FlagsFor(const Form& form) {
  switch (form.GetBorderStyle()) {
    case BorderStyle::None:
      return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
             (form.StayOnTop() ? Qt::WindowStaysOnTopHint : Qt::WindowFlags());
    case BorderStyle::Dialog:
    case BorderStyle::Single: {
      Qt::WindowFlags flags =
          (form.GetBorderStyle() == BorderStyle::Dialog ? Qt::Dialog : Qt::Window) |
          Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (form.SystemMenu()) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (form.MinimizeBox()) flags |= Qt::WindowMinimizeButtonHint;
      // The size is fixed either way: a maximise box would have nothing to do.
      if (form.StayOnTop()) flags |= Qt::WindowStaysOnTopHint;
      return flags;
    }
  }
  return Qt::Window;
}

// Message boxes are laid out by the model with rough text metrics; room for the real text.
constexpr int kMessageMargin = 16;
constexpr int kMessageIconSize = 32;

}  // namespace

FormWindow::FormWindow(Form& form, QtEventLoop& loop, FormWindow* ownerWindow)
    : QWidget(nullptr, FlagsFor(form)), form_(form), loop_(loop), client_(new QWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (form.Menu()) BuildMenu();
  layout->addWidget(client_);
  ApplyFont(*this, form.GetFont(), false);
  if (form.GetBorderStyle() == BorderStyle::None) setAttribute(Qt::WA_ShowWithoutActivating);
  BuildControls(form, *client_);
  if (dynamic_cast<MessageBoxForm*>(&form)) AddMessageIcon();
  if (ownerWindow) {
    // Kept above its owner by the window manager.
    ownerWindow->create();
    create();
    windowHandle()->setTransientParent(ownerWindow->windowHandle());
  }
  formSubscription_ = std::make_unique<Subscription>(form, [this] { Sync(); });
  Sync();
}

FormWindow::~FormWindow() = default;

QWidget* FormWindow::WidgetOf(const Control& control) const {
  const auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

void FormWindow::ModelGone() {
  formSubscription_->Release();
  for (auto& binding : bindings_)
    binding->ModelGone();
  // Menu items belong to the form as well.
  for (auto& subscription : menuSubscriptions_)
    subscription->Release();
}

void FormWindow::BuildMenu() {
  menuBar_ = new QMenuBar(this);
  layout()->addWidget(menuBar_);
  for (MenuItem* item : form_.Menu()->Items()) {
    QAction* action = menuBar_->addAction(QString::fromStdString(item->Caption()));
    QObject::connect(action, &QAction::triggered,
                     [this, item] { loop_.Deliver([item] { item->Click(); }); });
    const auto syncItem = [item, action] {
      action->setText(QString::fromStdString(item->Caption()));
      action->setEnabled(item->Enabled());
    };
    menuSubscriptions_.push_back(std::make_unique<Subscription>(*item, syncItem));
  }
}

void FormWindow::BuildControls(Control& parent, QWidget& into) {
  for (Control* child : parent.Children()) {
    auto binding = BindControl(*child, into, loop_);
    QWidget& widget = binding->Widget();
    widgets_[child] = &widget;
    bindings_.push_back(std::move(binding));
    BuildControls(*child, widget);
  }
}

void FormWindow::AddMessageIcon() {
  const auto& box = static_cast<const MessageBoxForm&>(form_);
  QStyle::StandardPixmap pixmap = QStyle::SP_MessageBoxInformation;
  switch (box.Icon()) {
    case MessageIcon::None:
      return;
    case MessageIcon::Error:
      pixmap = QStyle::SP_MessageBoxCritical;
      break;
    case MessageIcon::Warning:
      pixmap = QStyle::SP_MessageBoxWarning;
      break;
    case MessageIcon::Information:
      break;
  }
  auto* icon = new QLabel(client_);
  icon->setObjectName("MessageIcon");
  icon->setPixmap(style()->standardIcon(pixmap).pixmap(kMessageIconSize, kMessageIconSize));
  icon->setGeometry(kMessageMargin, kMessageMargin, kMessageIconSize, kMessageIconSize);
}

void FormWindow::Sync() {
  setWindowTitle(QString::fromStdString(form_.Caption()));
  int clientWidth = form_.ClientWidth();
  if (dynamic_cast<MessageBoxForm*>(&form_)) {
    for (const auto& binding : bindings_) {
      clientWidth =
          std::max(clientWidth, binding->Widget().geometry().right() + 1 + kMessageMargin);
    }
  }
  client_->setFixedSize(clientWidth, form_.ClientHeight());
  if (form_.Showing() == isVisible()) return;
  if (!form_.Showing()) {
    hide();
    return;
  }
  setWindowModality(form_.Modal() ? Qt::ApplicationModal : Qt::NonModal);
  if (!placed_ && form_.Centered()) {
    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - QPoint(width() / 2, height() / 2));
  }
  placed_ = true;
  show();
  if (form_.GetBorderStyle() != BorderStyle::None) activateWindow();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The form decides: the main form's close ends the program, a box's close cancels it.
  event->ignore();
  loop_.Deliver([this] { form_.Close(); });
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      loop_.Deliver([this] { form_.KeyPress(Form::Key::Escape); });
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      loop_.Deliver([this] { form_.KeyPress(Form::Key::Enter); });
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace platform
