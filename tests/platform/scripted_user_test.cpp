#include "platform/virtual/scripted_user.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/virtual/recorded_sound.h"

namespace platform {
namespace {

constexpr VirtualEventLoop::Micros Second = 1'000'000;

// A main window with a log and a Quit button, and the user in front of it.
struct Desk {
  VirtualEventLoop loop;
  RecordedSound sound;
  Application app{loop, sound};
  Form main{app, nullptr, "Form1"};
  Memo log{&main, "Memo1"};
  Button quit{&main, "Button1"};
  ScriptedUser user{loop, app};

  Desk() {
    quit.OnClick = [this] { main.Close(); };
  }
  // Writes a line into the log at a virtual time.
  void LogAt(VirtualEventLoop::Micros when, std::string line) {
    loop.ScheduleAt(when, [this, line] { log.Add(line); });
  }
};

TEST(ScriptedUser, ClicksAtTheGivenTime) {
  Desk d;
  d.user.At(3 * Second, [&] { d.quit.Click(); });
  d.app.Run();
  EXPECT_EQ(d.loop.Now(), 3 * Second);
}

TEST(ScriptedUser, ReactsOnceToANewLogLine) {
  Desk d;
  d.log.Add("Complete.");  // already there: does not count
  int reactions = 0;
  d.user.WhenLogLine(
      d.log, "Complete.",
      [&] {
        ++reactions;
        d.quit.Click();
      },
      Second / 2);
  d.LogAt(1 * Second, "Resetting modem...");
  d.LogAt(2 * Second, "Complete.");
  d.LogAt(2 * Second, "Complete.");
  d.app.Run();
  EXPECT_EQ(reactions, 1);
  EXPECT_EQ(d.loop.Now(), 2 * Second + Second / 2);
}

TEST(ScriptedUser, AnswersModalBoxesInTurnFromInsideTheirLoops) {
  Desk d;
  std::vector<std::string> answered;
  d.user.WhenModal([&](Form& box) {
    answered.push_back(dynamic_cast<MessageBoxForm&>(box).Text());
    ScriptedUser::AnswerOk(box);
  });
  d.user.WhenModal(
      [&](Form& box) {
        answered.push_back(dynamic_cast<MessageBoxForm&>(box).Text());
        box.Close();
      },
      Second);
  EXPECT_EQ(d.app.MessageBox("first", "", MessageIcon::None), mrOk);
  EXPECT_EQ(d.app.MessageBox("second", "", MessageIcon::None), mrCancel);
  EXPECT_EQ(answered, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(d.loop.Now(), Second);
}

TEST(ScriptedUser, LeavesABoxAloneThatIsGoneWhenItsTurnComes) {
  Desk d;
  int late = 0;
  d.user.WhenModal([&](Form&) { ++late; }, 2 * Second);
  d.user.WhenModal([&](Form&) { ++late; });  // for a later box that never comes
  d.loop.ScheduleAt(Second, [&] { d.app.ModalForm()->KeyPress(Form::Key::Enter); });
  d.app.MessageBox("gone", "", MessageIcon::None);
  d.user.At(3 * Second, [&] { d.quit.Click(); });
  d.app.Run();
  EXPECT_EQ(late, 0);
}

TEST(ScriptedUser, AnswerOkNeedsAnOkButton) {
  Desk d;
  Form box(d.app, &d.main, "Box");
  EXPECT_THROW(ScriptedUser::AnswerOk(box), std::logic_error);
}

}  // namespace
}  // namespace platform
