#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/tessary-pack/pack_command.h"

// The default base is the utility installed beside this program.
static std::string DefaultBase() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return (error ? std::filesystem::path("tessary-flash") : self.parent_path() / "tessary-flash")
      .string();
}

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tessary_pack::RunPackCommand(args, DefaultBase(), std::cout, std::cerr);
}
