#include "platform/find_button.h"

namespace platform {

Button* FindButton(const Control& root, const std::function<bool(const Button&)>& wanted) {
  for (Control* child : root.Children()) {
    if (auto* button = dynamic_cast<Button*>(child); button && wanted(*button)) return button;
    if (Button* found = FindButton(*child, wanted)) return found;
  }
  return nullptr;
}

}  // namespace platform
