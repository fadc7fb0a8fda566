#pragma once

#include "lz/lz_context.h"

namespace lz {

// Expands the stream from the context's input into its output, from the input's current
// position to its end, and flushes. The caller zeroes the window first.
void LZDecode(LZContext& context);

}  // namespace lz
