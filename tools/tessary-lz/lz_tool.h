#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace lz_tool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct ToolStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool interactive;  // standard input is a terminal: overwrite questions can be asked
};

// Runs tessary-lz with the arguments after the program name; returns the exit status.
int RunTool(const std::vector<std::string>& arguments, const ToolStreams& streams);

}  // namespace lz_tool
