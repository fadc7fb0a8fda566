#include <functional>

#include "platform/application.h"
#include "platform/exceptions.h"
#include "platform/find_button.h"
#include "platform/widgets.h"

namespace platform {

Form::Form(Application& app, Form* owner, std::string name)
    : Control(nullptr, std::move(name)), app_(app), owner_(owner) {
  app_.FormCreated(*this);
}

Form::~Form() {
  app_.FormDestroyed(*this);
}

void Form::SetClientSize(int width, int height) {
  if (width == clientWidth_ && height == clientHeight_) return;
  clientWidth_ = width;
  clientHeight_ = height;
  Changed();
}

void Form::SetBorderIcons(bool systemMenu, bool minimize, bool maximize) {
  if (systemMenu == systemMenu_ && minimize == minimizeBox_ && maximize == maximizeBox_) return;
  systemMenu_ = systemMenu;
  minimizeBox_ = minimize;
  maximizeBox_ = maximize;
  Changed();
}

void Form::Show() {
  if (!shownBefore_) {
    shownBefore_ = true;
    if (OnShow) OnShow();
  }
  Assign(showing_, true);
}

int Form::ShowModal() {
  if (showing_ || modal_) throw Exception("Cannot make a visible window modal");
  EventLoop& loop = app_.Loop();
  Assign(modalResult_, mrNone);
  Assign(modal_, true);
  app_.ModalStarted(*this);
  const auto endModal = [this] {
    app_.ModalEnded(*this);
    Assign(showing_, false);
    Assign(modal_, false);
  };
  try {
    Show();
    while (modalResult_ == mrNone && showing_ && !loop.Terminated()) {
      loop.ProcessMessages(EventLoop::WaitForever);
    }
  } catch (...) {
    endModal();
    throw;
  }
  endModal();
  // A box swept away by the end of the program counts as cancelled.
  if (modalResult_ == mrNone) Assign(modalResult_, mrCancel);
  return modalResult_;
}

void Form::Close() {
  if (modal_ && modalResult_ == mrNone) Assign(modalResult_, mrCancel);
  Assign(showing_, false);
  if (app_.MainForm() == this) app_.MainFormClosed();
}

void Form::SetModalResult(int result) {
  Assign(modalResult_, result);
}

void Form::KeyPress(Key key) {
  if (key == Key::Enter) {
    if (Button* button = FindButton(*this, std::mem_fn(&Button::Default))) button->Click();
    return;
  }
  if (Button* button = FindButton(*this, std::mem_fn(&Button::Cancel))) {
    button->Click();
  } else if (modal_ && AcceptsInput()) {
    Close();
  }
}

}  // namespace platform
