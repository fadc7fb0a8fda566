#pragma once

#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/widgets.h"

namespace platform {

class SoundOutput;

// A modal message box as a form: its text, its icon and one OK button.
class MessageBoxForm : public Form {
 public:
  MessageBoxForm(Application& app, Form* owner, const std::string& text, const std::string& caption,
                 MessageIcon icon);
  const std::string& Text() const { return textLabel_.Caption(); }
  MessageIcon Icon() const { return icon_; }
  Button& OkButton() { return okButton_; }

 private:
  MessageIcon icon_;
  Label textLabel_;
  Button okButton_;
};

// The application object: title, the list of live forms (a view watches it to create and
// destroy windows), modal boxes and the standard error box for exceptions that leave an event
// handler. It must outlive its forms.
class Application {
 public:
  Application(EventLoop& loop, SoundOutput& sound);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  EventLoop& Loop() const { return loop_; }
  SoundOutput& Sound() const { return sound_; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  Form* MainForm() const { return mainForm_; }
  const std::vector<Form*>& Forms() const { return forms_; }
  // The innermost form in ShowModal, or nullptr; only it takes the user's input.
  Form* ModalForm() const { return modalForms_.empty() ? nullptr : modalForms_.back(); }

  // Watchers of forms coming and going (a view binds windows to them). When `created` runs, only
  // the Form base exists: the controls of a derived form are made afterwards. A view should
  // therefore subscribe to the form and build its window when the form is first shown (the
  // form notifies its observers when Showing changes).
  struct FormWatcher {
    std::function<void(Form&)> created;    // after the form's constructor registered it
    std::function<void(Form&)> destroyed;  // before the form goes away
  };
  int WatchForms(FormWatcher watcher);
  void UnwatchForms(int token);

  // Shows a modal box owned by the main form and returns when the user has closed it: mrOk,
  // or mrCancel when it was closed otherwise. An empty caption shows the title.
  int MessageBox(const std::string& text, const std::string& caption, MessageIcon icon);

  // The loop's default handler: the exception's message in a modal error box.
  void ShowException(const std::exception& error);

  // Runs the loop until the main form is closed; showing the main form is the caller's part.
  void Run();

  // Called by Form; not for the program's own code.
  void FormCreated(Form& form);
  void FormDestroyed(Form& form);
  void MainFormClosed();
  void ModalStarted(Form& form);
  void ModalEnded(Form& form);

 private:
  EventLoop& loop_;
  SoundOutput& sound_;
  std::string title_;
  Form* mainForm_ = nullptr;
  std::vector<Form*> forms_;
  std::vector<Form*> modalForms_;
  std::map<int, FormWatcher> watchers_;
  int nextToken_ = 1;
};

}  // namespace platform
