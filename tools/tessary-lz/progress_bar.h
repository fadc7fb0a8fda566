#pragma once

#include <cstdint>
#include <ostream>

namespace lz_tool {

// A one-line bar redrawn in place as blocks are reported.
class ProgressBar {
 public:
  ProgressBar(std::ostream& out, std::int64_t total) : out_(out), total_(total) {}

  void Advance(std::int64_t bytes);
  // Ends the line; the bar stays as it was last drawn.
  void Finish();

 private:
  void Draw();

  std::ostream& out_;
  std::int64_t total_;
  std::int64_t done_ = 0;
};

}  // namespace lz_tool
