#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tessary_pack {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;  // something outside the user's inputs failed
inline constexpr int ExitUsage = 2;    // an option or an input file is wrong

// The whole tool: args without the program name; defaultBase is the executable to package
// when --base is not given. Messages go to err, --show and --help to out.
int RunPackCommand(std::span<const std::string> args, const std::string& defaultBase,
                   std::ostream& out, std::ostream& err);

}  // namespace tessary_pack
