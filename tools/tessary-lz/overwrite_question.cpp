#include "tools/tessary-lz/overwrite_question.h"

namespace lz_tool {

std::uint8_t OverwriteQuestion::Ask(const std::string& outFileName) {
  askedAbout_ = outFileName;
  if (assumeYes_) {
    outcome_ = Outcome::Overwrite;
    return lz::kConfirmOverwrite;
  }
  if (!interactive_) {
    outcome_ = Outcome::Refused;
    return lz::kConfirmSkip;
  }
  for (;;) {
    out_ << outFileName << " exists. Overwrite? [y]es, [n]o, [a]bort: " << std::flush;
    std::string answer;
    // The end of the input leaves nobody to answer: stop rather than guess.
    const bool answered = static_cast<bool>(std::getline(in_, answer));
    if (answered && (answer == "y" || answer == "Y" || answer == "yes")) {
      outcome_ = Outcome::Overwrite;
      return lz::kConfirmOverwrite;
    }
    if (answered && (answer == "n" || answer == "N" || answer == "no")) {
      outcome_ = Outcome::Skip;
      return lz::kConfirmSkip;
    }
    if (!answered || answer == "a" || answer == "A" || answer == "abort") {
      outcome_ = Outcome::Abort;
      return lz::kConfirmAbort;
    }
  }
}

}  // namespace lz_tool
