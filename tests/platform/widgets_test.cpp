#include "platform/widgets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "platform/application.h"
#include "platform/exceptions.h"
#include "platform/virtual/recorded_sound.h"
#include "platform/virtual/virtual_event_loop.h"

namespace platform {
namespace {

// A form with a button and a check box on a panel, in a running application.
struct Window {
  VirtualEventLoop loop;
  RecordedSound sound;
  Application app{loop, sound};
  Form form{app, nullptr, "Form1"};
  Panel panel{&form, "Panel1"};
  Button button{&panel, "Button1"};
  CheckBox checkBox{&panel, "CheckBox1"};
};

TEST(Control, ChildrenRegisterInOrderAndLeaveWhenDestroyed) {
  Window w;
  auto label = std::make_unique<Label>(&w.panel, "Label1");
  EXPECT_EQ(w.panel.Children(), (std::vector<Control*>{&w.button, &w.checkBox, label.get()}));
  EXPECT_EQ(label->OwningForm(), &w.form);
  label.reset();
  EXPECT_EQ(w.panel.Children(), (std::vector<Control*>{&w.button, &w.checkBox}));
}

TEST(Control, ChangesNotifyOnlyWhenTheValueChanges) {
  Window w;
  int calls = 0;
  const int token = w.button.Subscribe([&] { ++calls; });
  w.button.SetCaption("&Quit");
  w.button.SetCaption("&Quit");
  w.button.SetEnabled(false);
  w.button.Unsubscribe(token);
  w.button.SetEnabled(true);
  EXPECT_EQ(calls, 2);
}

TEST(Control, ListenerMayUnsubscribeItselfWhileNotified) {
  Window w;
  int calls = 0;
  int token = 0;
  token = w.button.Subscribe([&] {
    ++calls;
    w.button.Unsubscribe(token);
  });
  w.button.SetCaption("a");
  w.button.SetCaption("b");
  EXPECT_EQ(calls, 1);
}

// Which states of the control and its parent let the user's click through.
struct Reachability {
  bool visible;
  bool enabled;
  bool panelVisible;
  bool panelEnabled;
  bool reached;
};

class UserClick : public ::testing::TestWithParam<Reachability> {};

TEST_P(UserClick, ReachesOnlyVisibleEnabledControls) {
  const Reachability c = GetParam();
  Window w;
  w.panel.SetVisible(c.panelVisible);
  w.panel.SetEnabled(c.panelEnabled);
  for (Control* control : {static_cast<Control*>(&w.button), static_cast<Control*>(&w.checkBox)}) {
    control->SetVisible(c.visible);
    control->SetEnabled(c.enabled);
  }
  int buttonClicks = 0;
  w.button.OnClick = [&] { ++buttonClicks; };
  w.button.Click();
  w.checkBox.Click();
  EXPECT_EQ(buttonClicks, c.reached ? 1 : 0);
  EXPECT_EQ(w.checkBox.Checked(), c.reached);
}

INSTANTIATE_TEST_SUITE_P(States, UserClick,
                         ::testing::Values(Reachability{true, true, true, true, true},
                                           Reachability{true, false, true, true, false},
                                           Reachability{false, true, true, true, false},
                                           Reachability{true, true, true, false, false},
                                           Reachability{true, true, false, true, false}));

TEST(CheckBox, EveryChangeOfStateRunsTheHandlerWhoeverMakesIt) {
  Window w;
  std::vector<bool> seen;
  w.checkBox.OnClick = [&] { seen.push_back(w.checkBox.Checked()); };
  w.checkBox.SetChecked(true);
  w.checkBox.SetChecked(true);  // no change, no handler
  w.checkBox.Click();
  w.checkBox.Click();
  w.checkBox.SetChecked(false);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
}

TEST(Button, ClickGivesItsModalResultToTheForm) {
  Window w;
  w.button.SetModalResult(mrOk);
  int resultSeenByHandler = -1;
  w.button.OnClick = [&] { resultSeenByHandler = w.form.ModalResult(); };
  w.button.Click();
  EXPECT_EQ(w.form.ModalResult(), mrOk);
  EXPECT_EQ(resultSeenByHandler, mrOk);
}

TEST(Gauge, ProgressStaysWithinItsRange) {
  struct Case {
    std::int64_t max;
    std::int64_t progress;
    std::int64_t add;
    std::int64_t expected;
  };
  const Case cases[] = {
      {100, 40, 20, 60},   // inside
      {100, 90, 20, 100},  // stops at the maximum
      {100, 10, -30, 0},   // stops at the minimum
      {1'000'000, 0, 65535, 65535},
      {-5, 0, 10, 0},  // a maximum below the minimum collapses onto it
  };
  for (const Case& c : cases) {
    Window w;
    Gauge gauge(&w.form, "Gauge1");
    gauge.SetMaxValue(c.max);
    gauge.SetProgress(c.progress);
    gauge.AddProgress(c.add);
    EXPECT_EQ(gauge.Progress(), c.expected) << "max " << c.max << " add " << c.add;
  }
}

TEST(Gauge, LoweringTheMaximumPullsTheProgressDown) {
  Window w;
  Gauge gauge(&w.form, "Gauge1");
  gauge.SetProgress(80);
  gauge.SetMaxValue(50);
  EXPECT_EQ(gauge.Progress(), 50);
}

TEST(Memo, AddAndClearNotify) {
  Window w;
  Memo memo(&w.form, "Memo1");
  int calls = 0;
  memo.Subscribe([&] { ++calls; });
  memo.Add("one");
  memo.Add("two");
  memo.Clear();
  memo.Clear();  // already empty
  EXPECT_TRUE(memo.Lines().empty());
  EXPECT_EQ(calls, 3);
}

TEST(MenuItem, ClickRunsTheHandlerOnlyWhenEnabled) {
  MenuItem item("File1", "E&xit");
  int clicks = 0;
  item.OnClick = [&] { ++clicks; };
  item.Click();
  item.SetEnabled(false);
  item.Click();
  EXPECT_EQ(clicks, 1);
}

TEST(Image, RefusesAPictureWhosePixelsDoNotFillIt) {
  Window w;
  Image image(&w.form, "Image1");
  EXPECT_THROW(image.SetPicture(2, 2, std::vector<std::uint32_t>(3)), std::invalid_argument);
  image.SetPicture(2, 2, std::vector<std::uint32_t>(4, 0xFF00FF00u));
  EXPECT_EQ(image.PixelWidth(), 2);
}

class MediaPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(wav_, std::ios::binary) << "RIFF....WAVE"; }
  void TearDown() override { std::filesystem::remove(wav_); }

  // Tests run in parallel processes: every one writes its own file.
  const std::string wav_ =
      (std::filesystem::temp_directory_path() /
       ("media_player_test_" + std::to_string(std::random_device()()) + ".wav"))
          .string();
};

TEST_F(MediaPlayerTest, PlaysAnOpenedFileAndStopsOnClose) {
  Window w;
  MediaPlayer player(&w.form, "MediaPlayer1", w.sound);
  player.SetFileName(wav_);
  player.Open();
  EXPECT_TRUE(player.Play());
  ASSERT_EQ(w.sound.Playbacks().size(), 1u);
  EXPECT_EQ(w.sound.Playbacks()[0].bytes, "RIFF....WAVE");
  player.Close();
  EXPECT_FALSE(w.sound.Playing());
}

TEST_F(MediaPlayerTest, PlayReportsADeviceThatCannotPlay) {
  Window w;
  RecordedSound silent(false);
  MediaPlayer player(&w.form, "MediaPlayer1", silent);
  player.SetFileName(wav_);
  player.Open();
  EXPECT_FALSE(player.Play());
}

TEST_F(MediaPlayerTest, DestroyingAPlayingPlayerStopsTheSound) {
  Window w;
  {
    MediaPlayer player(&w.form, "MediaPlayer1", w.sound);
    player.SetFileName(wav_);
    player.Open();
    player.Play();
  }
  EXPECT_FALSE(w.sound.Playing());
}

TEST(MediaPlayer, OpenRefusesAMissingOrUnreadableFile) {
  Window w;
  MediaPlayer player(&w.form, "MediaPlayer1", w.sound);
  for (const std::string name : {"", "/nonexistent/~W~T~F~9.WAV", "/"}) {
    player.SetFileName(name);
    EXPECT_THROW(player.Open(), Exception) << name;
  }
  EXPECT_THROW(player.Play(), Exception);
  EXPECT_TRUE(w.sound.Playbacks().empty());
}

}  // namespace
}  // namespace platform
