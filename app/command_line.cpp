#include "app/command_line.h"

namespace app {

void ReadCommandLine(const std::vector<std::string>& words, StepState& state) {
  state.ProgramFileName = words.empty() ? std::string() : words[0];
  if (words.size() > 1 && (words[1] == "/ud" || words[1] == "/UD")) state.DebugMode = true;
}

}  // namespace app
