#pragma once

#include <functional>

#include "platform/widgets.h"

namespace platform {

// The first button under root, in creation order and depth first, that `wanted` accepts.
Button* FindButton(const Control& root, const std::function<bool(const Button&)>& wanted);

}  // namespace platform
