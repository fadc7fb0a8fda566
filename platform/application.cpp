#include "platform/application.h"

#include <algorithm>

#include "platform/exceptions.h"

namespace platform {

Application::Application(EventLoop& loop, SoundOutput& sound) : loop_(loop), sound_(sound) {
  loop_.SetExceptionHandler([this](const std::exception& error) { ShowException(error); });
}

Application::~Application() {
  loop_.SetExceptionHandler(nullptr);
}

int Application::WatchForms(FormWatcher watcher) {
  const int token = nextToken_++;
  watchers_.emplace(token, std::move(watcher));
  return token;
}

void Application::UnwatchForms(int token) {
  watchers_.erase(token);
}

void Application::FormCreated(Form& form) {
  forms_.push_back(&form);
  if (!mainForm_) mainForm_ = &form;
  // A copy, so that a watcher may watch or unwatch while it runs.
  const auto watchers = watchers_;
  for (const auto& [token, watcher] : watchers) {
    if (watcher.created) watcher.created(form);
  }
}

void Application::FormDestroyed(Form& form) {
  const auto watchers = watchers_;
  for (const auto& [token, watcher] : watchers) {
    if (watcher.destroyed) watcher.destroyed(form);
  }
  std::erase(forms_, &form);
  std::erase(modalForms_, &form);
  if (mainForm_ == &form) mainForm_ = nullptr;
}

void Application::MainFormClosed() {
  loop_.Terminate();
}

void Application::ModalStarted(Form& form) {
  modalForms_.push_back(&form);
}

void Application::ModalEnded(Form& form) {
  std::erase(modalForms_, &form);
}

int Application::MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
  Form* const mainForm = mainForm_;
  MessageBoxForm box(*this, mainForm, text, caption.empty() ? title_ : caption, icon);
  // A box is never the main form, not even when it is the first form: closing it must not
  // end the program.
  mainForm_ = mainForm;
  return box.ShowModal();
}

void Application::ShowException(const std::exception& error) {
  if (dynamic_cast<const EAbort*>(&error)) return;
  MessageBox(error.what(), title_, MessageIcon::Error);
}

void Application::Run() {
  loop_.Run();
}

}  // namespace platform
