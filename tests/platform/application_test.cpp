#include "platform/application.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/timer.h"
#include "platform/virtual/recorded_sound.h"
#include "platform/virtual/virtual_event_loop.h"

namespace platform {
namespace {

constexpr VirtualEventLoop::Micros Second = 1'000'000;

struct Program {
  VirtualEventLoop loop;
  RecordedSound sound;
  Application app{loop, sound};
};

// A dialog with OK (default) and Cancel (cancel) buttons.
struct Dialog : Form {
  explicit Dialog(Application& app, Form* owner = nullptr) : Form(app, owner, "Dialog") {
    ok.SetDefault(true);
    ok.SetModalResult(mrOk);
    cancel.SetCancel(true);
    cancel.SetModalResult(mrCancel);
  }
  Button ok{this, "OK"};
  Button cancel{this, "Cancel"};
};

TEST(Application, FirstFormIsTheMainFormAndClosingItEndsTheLoop) {
  Program p;
  Form main(p.app, nullptr, "Form1");
  Form other(p.app, &main, "Form2");
  EXPECT_EQ(p.app.MainForm(), &main);
  other.Close();
  EXPECT_FALSE(p.loop.Terminated());
  p.loop.ScheduleAfter(Second, [&] { main.Close(); });
  p.app.Run();
  EXPECT_TRUE(p.loop.Terminated());
}

TEST(Application, WatchersSeeFormsComeAndGo) {
  Program p;
  std::vector<std::string> events;
  p.app.WatchForms({[&](Form& f) { events.push_back("+" + f.Name()); },
                    [&](Form& f) { events.push_back("-" + f.Name()); }});
  {
    Form form(p.app, nullptr, "Form1");
    EXPECT_EQ(p.app.Forms(), std::vector<Form*>{&form});
  }
  EXPECT_TRUE(p.app.Forms().empty());
  EXPECT_EQ(p.app.MainForm(), nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"+Form1", "-Form1"}));
}

TEST(Form, OnShowRunsOnceAndShowingNotifies) {
  Program p;
  Form form(p.app, nullptr, "Form1");
  int shows = 0;
  int changes = 0;
  form.OnShow = [&] { ++shows; };
  form.Subscribe([&] { ++changes; });
  form.Show();
  form.Close();
  form.Show();
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(changes, 3);
  EXPECT_TRUE(form.Showing());
}

TEST(Form, KeysPressTheirButtons) {
  struct Case {
    Form::Key key;
    bool cancelEnabled;
    std::string pressed;
  };
  const Case cases[] = {
      {Form::Key::Escape, true, "Cancel"},
      {Form::Key::Escape, false, ""},
      {Form::Key::Enter, true, "OK"},
  };
  for (const Case& c : cases) {
    Program p;
    Dialog dialog(p.app);
    std::string pressed;
    dialog.ok.OnClick = [&] { pressed = "OK"; };
    dialog.cancel.OnClick = [&] { pressed = "Cancel"; };
    dialog.cancel.SetEnabled(c.cancelEnabled);
    dialog.KeyPress(c.key);
    EXPECT_EQ(pressed, c.pressed);
  }
}

TEST(Form, ShowModalReturnsTheResultOfTheButtonOrCancelWhenClosed) {
  struct Case {
    const char* what;
    void (*act)(Dialog&);
    int expected;
  };
  const Case cases[] = {
      {"OK", [](Dialog& d) { d.ok.Click(); }, mrOk},
      {"Esc", [](Dialog& d) { d.KeyPress(Form::Key::Escape); }, mrCancel},
      {"close box", [](Dialog& d) { d.Close(); }, mrCancel},
  };
  for (const Case& c : cases) {
    Program p;
    Form main(p.app, nullptr, "Form1");
    Dialog dialog(p.app, &main);
    p.loop.ScheduleAfter(Second, [&] { c.act(dialog); });
    EXPECT_EQ(dialog.ShowModal(), c.expected) << c.what;
    EXPECT_FALSE(dialog.Showing());
    EXPECT_FALSE(dialog.Modal());
    EXPECT_EQ(p.app.ModalForm(), nullptr);
    EXPECT_FALSE(p.loop.Terminated()) << "a box is not the main form";
  }
}

TEST(Form, ModalBoxWithoutCancelButtonClosesOnEscape) {
  Program p;
  Form box(p.app, nullptr, "Box");
  p.loop.ScheduleAfter(Second, [&] { box.KeyPress(Form::Key::Escape); });
  EXPECT_EQ(box.ShowModal(), mrCancel);
}

TEST(Form, ModalLoopEndsWhenTheProgramEnds) {
  Program p;
  Form main(p.app, nullptr, "Form1");
  Dialog dialog(p.app, &main);
  p.loop.ScheduleAfter(Second, [&] { main.Close(); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_TRUE(p.loop.Terminated());
}

TEST(Form, OtherWindowsTakeNoInputWhileABoxIsModal) {
  Program p;
  Form main(p.app, nullptr, "Form1");
  Button quit(&main, "Button1");
  int quits = 0;
  quit.OnClick = [&] { ++quits; };
  Dialog dialog(p.app, &main);
  p.loop.ScheduleAfter(Second, [&] { quit.Click(); });
  p.loop.ScheduleAfter(2 * Second, [&] { dialog.ok.Click(); });
  dialog.ShowModal();
  EXPECT_EQ(quits, 0);
  quit.Click();
  EXPECT_EQ(quits, 1);
}

TEST(Form, ShowingAVisibleFormModallyIsRefused) {
  Program p;
  Form form(p.app, nullptr, "Form1");
  form.Show();
  EXPECT_THROW(form.ShowModal(), Exception);
}

TEST(MessageBox, ShowsItsTextWithTheTitleAsDefaultCaption) {
  Program p;
  p.app.SetTitle("Orvell Tessary Flash Utility");
  Form main(p.app, nullptr, "Form1");
  struct Seen {
    std::string text, caption;
    MessageIcon icon;
    Form* owner;
  };
  std::vector<Seen> seen;
  p.app.WatchForms({[&](Form&) {
                      p.loop.Post([&] {
                        auto& box = dynamic_cast<MessageBoxForm&>(*p.app.ModalForm());
                        seen.push_back({box.Text(), box.Caption(), box.Icon(), box.Owner()});
                        box.OkButton().Click();
                      });
                    },
                    nullptr});
  EXPECT_EQ(p.app.MessageBox("Incorrect flash utility for modem.", "", MessageIcon::Error), mrOk);
  EXPECT_EQ(p.app.MessageBox("x", "Other", MessageIcon::None), mrOk);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, "Incorrect flash utility for modem.");
  EXPECT_EQ(seen[0].caption, "Orvell Tessary Flash Utility");
  EXPECT_EQ(seen[0].icon, MessageIcon::Error);
  EXPECT_EQ(seen[0].owner, &main);
  EXPECT_EQ(seen[1].caption, "Other");
  EXPECT_EQ(p.app.Forms(), std::vector<Form*>{&main});
}

TEST(MessageBox, IsNeverTheMainFormEvenWhenFirst) {
  Program p;
  p.loop.Post([&] { p.app.ModalForm()->Close(); });
  EXPECT_EQ(p.app.MessageBox("early", "", MessageIcon::None), mrCancel);
  EXPECT_FALSE(p.loop.Terminated());
  Form main(p.app, nullptr, "Form1");
  EXPECT_EQ(p.app.MainForm(), &main);
}

TEST(Application, ExceptionLeavingAHandlerShowsAnErrorBoxAndTheLoopGoesOn) {
  Program p;
  p.app.SetTitle("Title");
  Form main(p.app, nullptr, "Form1");
  std::vector<std::string> boxes;
  p.app.WatchForms({[&](Form&) {
                      p.loop.Post([&] {
                        auto& box = dynamic_cast<MessageBoxForm&>(*p.app.ModalForm());
                        boxes.push_back(box.Caption() + ": " + box.Text());
                        box.KeyPress(Form::Key::Enter);
                      });
                    },
                    nullptr});
  int ticks = 0;
  Timer timer(p.loop, 200);
  timer.OnTimer = [&] {
    ++ticks;
    if (ticks == 1) throw ERangeError();
    if (ticks == 2) throw std::runtime_error("plain");
    if (ticks == 3) throw EAbort();
    if (ticks == 4) main.Close();
  };
  p.app.Run();
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(boxes, (std::vector<std::string>{"Title: Range check error", "Title: plain"}));
}

}  // namespace
}  // namespace platform
