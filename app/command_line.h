#pragma once

#include <string>
#include <vector>

#include "app/program_state.h"

namespace app {

// Word 0 is the program file's full path; a first parameter of exactly "/ud" or "/UD" turns
// debug mode on for the rest of the run (it is never turned off again).
void ReadCommandLine(const std::vector<std::string>& words, StepState& state);

}  // namespace app
