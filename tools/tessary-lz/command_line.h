#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lz_tool {

enum class Command { Compress, Expand, Info, Help };

struct CommandLine {
  Command command = Command::Help;
  std::string input;
  std::string output;  // empty: the codec's default name
  bool assumeYes = false;
};

// The parsed arguments (without the program name), or nothing when they make no sense; then
// error says why.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments,
                                            std::string& error);

extern const char* const kUsage;

}  // namespace lz_tool
