#include "app/command_line.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(ReadCommandLine, OnlyAnExactFirstParameterTurnsOnDebugMode) {
  struct Case {
    std::vector<std::string> words;
    bool debugMode;
  };
  const std::string program = "/opt/tessary/tessary-flash";
  for (const Case& c : {
           Case{{program}, false},
           Case{{program, "/ud"}, true},
           Case{{program, "/UD"}, true},
           Case{{program, "/UD", "COM2"}, true},
           Case{{program, "/Ud"}, false},
           Case{{program, "-ud"}, false},
           Case{{program, "/udx"}, false},
           Case{{program, " /ud"}, false},
           Case{{program, "x", "/ud"}, false},
       }) {
    StepState state;
    ReadCommandLine(c.words, state);
    EXPECT_EQ(state.DebugMode, c.debugMode) << ::testing::PrintToString(c.words);
    EXPECT_EQ(state.ProgramFileName, program);
  }
}

TEST(ReadCommandLine, AnAbsentSwitchLeavesDebugModeOn) {
  StepState state;
  state.DebugMode = true;
  ReadCommandLine({"/opt/tessary/tessary-flash"}, state);
  EXPECT_TRUE(state.DebugMode);
}

}  // namespace
}  // namespace app
