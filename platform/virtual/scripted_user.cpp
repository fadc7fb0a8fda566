#include "platform/virtual/scripted_user.h"

#include <algorithm>
#include <stdexcept>

#include "platform/find_button.h"

namespace platform {

ScriptedUser::ScriptedUser(VirtualEventLoop& loop, Application& app) : loop_(loop), app_(app) {
  for (Form* form : app_.Forms())
    Watch(*form);
  formsToken_ = app_.WatchForms({
      [this](Form& form) { Watch(form); },
      [this](Form& form) {
        const auto it = forms_.find(&form);
        form.Unsubscribe(it->second.token);
        forms_.erase(it);
      },
  });
}

ScriptedUser::~ScriptedUser() {
  app_.UnwatchForms(formsToken_);
  for (const auto& [form, watched] : forms_)
    form->Unsubscribe(watched.token);
  for (const LogTrigger& trigger : logTriggers_) {
    if (trigger.memo) trigger.memo->Unsubscribe(trigger.token);
  }
}

void ScriptedUser::Watch(Form& form) {
  const int token = form.Subscribe([this, &form] { FormChanged(form); });
  forms_[&form] = WatchedForm{token, false};
  FormChanged(form);
}

void ScriptedUser::FormChanged(Form& form) {
  WatchedForm& watched = forms_.at(&form);
  const bool modalShowing = form.Modal() && form.Showing();
  const bool cameUp = modalShowing && !watched.modalShowing;
  watched.modalShowing = modalShowing;
  if (!cameUp || boxActions_.empty()) return;

  auto [action, delay] = std::move(boxActions_.front());
  boxActions_.pop_front();
  loop_.ScheduleAfter(delay, [&app = app_, box = &form, action = std::move(action)] {
    const bool stillUp = std::ranges::find(app.Forms(), box) != app.Forms().end() && box->Modal();
    if (stillUp) action(*box);
  });
}

void ScriptedUser::WhenLogLine(Memo& memo, std::string line, Action action, Micros delay) {
  LogTrigger& trigger = logTriggers_.emplace_back(
      LogTrigger{&memo, 0, std::move(line), std::move(action), delay, memo.Lines().size()});
  trigger.token = memo.Subscribe([this, &trigger] { MemoChanged(trigger); });
}

void ScriptedUser::MemoChanged(LogTrigger& trigger) {
  const std::vector<std::string>& lines = trigger.memo->Lines();
  const std::size_t from = std::min(trigger.scanned, lines.size());  // the memo may be cleared
  trigger.scanned = lines.size();
  if (std::find(lines.begin() + from, lines.end(), trigger.line) == lines.end()) return;

  trigger.memo->Unsubscribe(trigger.token);
  trigger.memo = nullptr;
  loop_.ScheduleAfter(trigger.delay, std::move(trigger.action));
}

void ScriptedUser::WhenModal(BoxAction action, Micros delay) {
  boxActions_.emplace_back(std::move(action), delay);
}

void ScriptedUser::AnswerOk(Form& box) {
  Button* ok = FindButton(box, [](const Button& b) { return b.ModalResult() == mrOk; });
  if (!ok) throw std::logic_error("modal box \"" + box.Name() + "\" has no OK button");
  ok->Click();
}

}  // namespace platform
