#pragma once

#include <cstdint>
#include <vector>

namespace app {

inline constexpr int AboutPictureWidth = 55;
inline constexpr int AboutPictureHeight = 81;

// The About box picture, ARGB row by row: a modem under a flash of lightning on a night-blue
// ground.
std::vector<std::uint32_t> DrawAboutPicture();

}  // namespace app
