#include "text/event_log.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/application.h"
#include "platform/exceptions.h"
#include "platform/virtual/recorded_sound.h"
#include "platform/virtual/virtual_event_loop.h"

namespace text {
namespace {

struct LogWindow {
  platform::VirtualEventLoop loop;
  platform::RecordedSound sound;
  platform::Application app{loop, sound};
  platform::Form form{app, nullptr, "Form1"};
  platform::Memo memo{&form, "Memo1"};
  std::uint8_t languageIndex = LanguageEnglish;
};

TEST(EventLog, WritesEachLineToTheMemoAndTheMirror) {
  LogWindow w;
  std::ostringstream mirror;
  EventLog log(w.memo, &mirror, w.languageIndex);
  log.Add(msgNoDevice, "1");
  w.languageIndex = LanguageItalian;  // the language in force when a line is written
  log.Add(msgComplete);
  log.Add("Échange");
  EXPECT_EQ(w.memo.Lines(),
            (std::vector<std::string>{"No device present on COM1", "Completo.", "Échange"}));
  EXPECT_EQ(mirror.str(), "No device present on COM1\nCompleto.\nÉchange\n");
}

TEST(EventLog, WorksWithoutMirrorAndClearingTheMemoKeepsWhatWasWritten) {
  LogWindow w;
  std::ostringstream mirror;
  EventLog quiet(w.memo, nullptr, w.languageIndex);
  quiet.Add("only in the window");
  EventLog log(w.memo, &mirror, w.languageIndex);
  log.Add("first");
  w.memo.Clear();
  log.Add("second");
  EXPECT_EQ(w.memo.Lines(), std::vector<std::string>{"second"});
  EXPECT_EQ(mirror.str(), "first\nsecond\n");
}

TEST(EventLog, LookupInABadLanguageWritesNothing) {
  LogWindow w;
  w.languageIndex = 6;
  EventLog log(w.memo, nullptr, w.languageIndex);
  EXPECT_THROW(log.Add(msgUtilityInitialized), platform::ERangeError);
  EXPECT_TRUE(w.memo.Lines().empty());
}

}  // namespace
}  // namespace text
