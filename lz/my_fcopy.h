#pragma once

#include <cstdint>

#include "lz/lz_context.h"
#include "platform/files.h"

namespace lz {

// Copies count bytes (-1: up to the end) from source to destination in blocks, reporting
// each block through the context on the side the flag chooses; returns the bytes copied.
// A source that holds fewer than count bytes raises EInOutError 100.
std::int32_t MyFCopy(LZContext& context, platform::File& source, platform::File& destination,
                     std::int32_t count, bool reportOnWrite);

}  // namespace lz
