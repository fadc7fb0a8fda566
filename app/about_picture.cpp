#include "app/about_picture.h"

#include <algorithm>
#include <cmath>

namespace app {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

struct Point {
  double x;
  double y;
};

double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double t =
      std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool OnBolt(Point p) {
  constexpr Point bolt[] = {{36, 6}, {20, 30}, {33, 30}, {21, 48}};
  for (int i = 0; i + 1 < 4; ++i) {
    if (DistanceToSegment(p, bolt[i], bolt[i + 1]) <= 2.2) return true;
  }
  return false;
}

std::uint32_t PixelAt(int x, int y) {
  constexpr int caseLeft = 6, caseRight = 48, caseTop = 54, caseBottom = 68;
  const bool inCase = x >= caseLeft && x <= caseRight && y >= caseTop && y <= caseBottom;
  if (inCase) {
    const bool edge = x == caseLeft || x == caseRight || y == caseTop || y == caseBottom;
    const bool lamp = y >= 63 && y <= 64 && x >= 11 && x <= 34 && (x - 11) % 6 < 3;
    if (edge) return Rgb(96, 96, 104);
    if (lamp) return Rgb(40, 220, 60);
    return Rgb(200, 200, 208);
  }
  if (OnBolt({static_cast<double>(x), static_cast<double>(y)})) return Rgb(255, 220, 0);
  const auto blue = static_cast<std::uint32_t>(72 + y * 120 / AboutPictureHeight);
  return Rgb(0, 0, blue);
}

}  // namespace

std::vector<std::uint32_t> DrawAboutPicture() {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(AboutPictureWidth * AboutPictureHeight);
  for (int y = 0; y < AboutPictureHeight; ++y) {
    for (int x = 0; x < AboutPictureWidth; ++x)
      pixels.push_back(PixelAt(x, y));
  }
  return pixels;
}

}  // namespace app
