#include "lz/lz_output.h"

namespace lz {

void FinishOutput(platform::File& output, std::uint32_t date, TLZReportRec& record,
                  const TLZReportProc& reportProc) {
  output.SetLastWriteDosDateTime(date);
  output.Close();
  if (reportProc) {
    record.FileName.clear();
    reportProc(record, kReportEnd);
  }
}

}  // namespace lz
