#pragma once

#include "lz/lz_context.h"

namespace lz {

// Compresses the context's input into its output and flushes. The caller zeroes the work area
// first. The bytes written are fixed by the match search: the same input always gives the
// same stream.
void LZEncode(LZContext& context);

}  // namespace lz
