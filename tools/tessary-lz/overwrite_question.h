#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "lz/lz_report.h"

namespace lz_tool {

// Answers the codec's overwrite question: from the person at the terminal, from --yes, or,
// when nobody can be asked, with a refusal.
class OverwriteQuestion {
 public:
  enum class Outcome { NotAsked, Overwrite, Skip, Abort, Refused };

  OverwriteQuestion(std::istream& in, std::ostream& out, bool assumeYes, bool interactive)
      : in_(in), out_(out), assumeYes_(assumeYes), interactive_(interactive) {}

  std::uint8_t Ask(const std::string& outFileName);
  Outcome LastOutcome() const { return outcome_; }
  const std::string& AskedAbout() const { return askedAbout_; }

  lz::TLZConfirmProc Proc() {
    return [this](lz::TLZReportRec&, const std::string& outFileName) { return Ask(outFileName); };
  }

 private:
  std::istream& in_;
  std::ostream& out_;
  bool assumeYes_;
  bool interactive_;
  Outcome outcome_ = Outcome::NotAsked;
  std::string askedAbout_;
};

}  // namespace lz_tool
