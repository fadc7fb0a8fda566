#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/tessary-lz/lz_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return lz_tool::RunTool(arguments, {std::cin, std::cout, std::cerr, ::isatty(STDIN_FILENO) == 1});
}
