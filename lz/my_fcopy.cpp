#include "lz/my_fcopy.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "lz/lz_errors.h"
#include "platform/checked.h"
#include "platform/file_errors.h"

namespace lz {

std::int32_t MyFCopy(LZContext& context, platform::File& source, platform::File& destination,
                     std::int32_t count, bool reportOnWrite) {
  if (count < -1) throw EVarkoLZDebug("Negative copy-length passed to MyFCopy");
  const bool toEnd = count == -1;
  std::int32_t total = 0;
  std::vector<std::uint8_t> block(kLZBlockSize);
  auto report = [&](std::int32_t bytes) {
    if (context.CurrentReportProc) context.CurrentReportProc(context.CurrentReport, bytes);
  };
  do {
    const auto want = static_cast<std::size_t>(
        toEnd ? kLZBlockSize : std::min<std::int64_t>(count - total, kLZBlockSize));
    const auto got = static_cast<std::int32_t>(source.Read(std::span(block).first(want)));
    if (!reportOnWrite) report(got);
    if (!toEnd && static_cast<std::size_t>(got) != want) {
      platform::RaiseFileError(platform::kErrorReadBeyondEnd);
    }
    if (got == 0) break;
    destination.Write(std::span(block).first(static_cast<std::size_t>(got)));
    total = platform::CheckedAdd(total, got);
    if (reportOnWrite) report(got);
  } while (toEnd || total < count);
  return total;
}

}  // namespace lz
