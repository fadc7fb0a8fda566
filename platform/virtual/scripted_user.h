#pragma once

#include <functional>
#include <list>
#include <map>
#include <string>

#include "platform/application.h"
#include "platform/virtual/virtual_event_loop.h"
#include "platform/widgets.h"

namespace platform {

// A test's user of the virtual backend. It acts at a virtual time, when a line appears in a
// log memo, or when a modal box comes up. Every action runs as an event of its own in the
// loop, like a real click, never inside the change that triggered it; so an action scheduled
// for a modal box runs inside that box's modal loop.
//
// Declare it after the application and the memos it watches: it leaves them when destroyed.
class ScriptedUser {
 public:
  using Action = std::function<void()>;
  using BoxAction = std::function<void(Form& box)>;
  using Micros = VirtualEventLoop::Micros;

  ScriptedUser(VirtualEventLoop& loop, Application& app);
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  void At(Micros when, Action action) { loop_.ScheduleAt(when, std::move(action)); }

  // Once, `delay` after a line equal to `line` is added to memo (lines already there when
  // this is called do not count).
  void WhenLogLine(Memo& memo, std::string line, Action action, Micros delay = 0);

  // Once, `delay` after the next modal box has come up; nothing when it is gone by then.
  void WhenModal(BoxAction action, Micros delay = 0);

  // Clicks the box's OK button (the one that closes it with mrOk); std::logic_error when it
  // has none.
  static void AnswerOk(Form& box);

 private:
  struct LogTrigger {
    Memo* memo;
    int token;
    std::string line;
    Action action;
    Micros delay;
    std::size_t scanned;  // lines of the memo already looked at
  };
  struct WatchedForm {
    int token;
    bool modalShowing;
  };

  void Watch(Form& form);
  void FormChanged(Form& form);
  void MemoChanged(LogTrigger& trigger);

  VirtualEventLoop& loop_;
  Application& app_;
  int formsToken_;
  std::map<Form*, WatchedForm> forms_;
  std::list<LogTrigger> logTriggers_;  // stable addresses: the memo listeners point into it
  std::list<std::pair<BoxAction, Micros>> boxActions_;
};

}  // namespace platform
