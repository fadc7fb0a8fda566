#include "tools/tessary-lz/progress_bar.h"

#include <algorithm>
#include <string>

namespace lz_tool {
namespace {

constexpr int kWidth = 40;

}  // namespace

void ProgressBar::Advance(std::int64_t bytes) {
  const std::int64_t done = std::min(done_ + bytes, total_);
  if (done == done_) return;
  done_ = done;
  Draw();
}

void ProgressBar::Finish() {
  out_ << '\n' << std::flush;
}

void ProgressBar::Draw() {
  const std::int64_t percent = total_ > 0 ? done_ * 100 / total_ : 100;
  const auto filled = static_cast<std::size_t>(total_ > 0 ? done_ * kWidth / total_ : kWidth);
  out_ << '\r' << '[' << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
       << percent << "% " << done_ << '/' << total_ << " bytes" << std::flush;
}

}  // namespace lz_tool
