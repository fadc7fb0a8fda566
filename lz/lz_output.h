#pragma once

#include <cstdint>

#include "lz/lz_report.h"
#include "platform/files.h"

namespace lz {

// Runs work, which writes the operation's output, and then finishes the output whatever
// happens: last-write time from date (read afterwards, work may change it), close, and the
// end report. Returns work's result.
template <typename Work>
std::int32_t WriteOutput(platform::File& output, const std::uint32_t& date, TLZReportRec& record,
                         const TLZReportProc& reportProc, Work work);

void FinishOutput(platform::File& output, std::uint32_t date, TLZReportRec& record,
                  const TLZReportProc& reportProc);

template <typename Work>
std::int32_t WriteOutput(platform::File& output, const std::uint32_t& date, TLZReportRec& record,
                         const TLZReportProc& reportProc, Work work) {
  std::int32_t result;
  try {
    result = work();
  } catch (...) {
    // The error already on its way is the one to report; a second one from closing the
    // output would only hide it.
    try {
      FinishOutput(output, date, record, reportProc);
    } catch (...) {
    }
    throw;
  }
  FinishOutput(output, date, record, reportProc);
  return result;
}

}  // namespace lz
