#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

#include "platform/exceptions.h"

namespace platform {

// Addition with the overflow check the program's arithmetic relies on.
template <typename T>
T CheckedAdd(T a, T b) {
  static_assert(std::is_integral_v<T>);
  T sum;
  if (__builtin_add_overflow(a, b, &sum)) throw EIntOverflow();
  return sum;
}

// Conversion into a narrower type, raising the range error when the value does not fit
// (or lies outside [low, high] when bounds are given).
template <typename To, typename From>
To RangeChecked(From value, To low = std::numeric_limits<To>::min(),
                To high = std::numeric_limits<To>::max()) {
  static_assert(std::is_integral_v<To> && std::is_integral_v<From>);
  if (!std::in_range<To>(value)) throw ERangeError();
  const To converted = static_cast<To>(value);
  if (converted < low || converted > high) throw ERangeError();
  return converted;
}

}  // namespace platform
