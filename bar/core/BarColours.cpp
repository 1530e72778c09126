#include "bar/core/BarColours.h"

#include <cmath>

uint32_t GraphTint(uint32_t faceRgb, uint32_t textRgb) {
  uint32_t rgb = 0;
  for (int k = 0; k < 3; ++k) {
    const int face = static_cast<int>((faceRgb >> (8 * k)) & 0xFF);
    const int text = static_cast<int>((textRgb >> (8 * k)) & 0xFF);
    rgb |= static_cast<uint32_t>(face + (text - face) / 5) << (8 * k);
  }
  return rgb;
}

int64_t RoundHalfEven(double x) {
  const double lower = std::floor(x);
  const double diff = x - lower;
  if (diff > 0.5) return static_cast<int64_t>(lower) + 1;
  if (diff < 0.5) return static_cast<int64_t>(lower);
  const int64_t l = static_cast<int64_t>(lower);
  return l % 2 == 0 ? l : l + 1;
}

std::vector<uint32_t> ShadeColumns(uint32_t baseRgb, uint32_t shadeRgb, int32_t amountPercent,
                                   int32_t clientWidth) {
  int64_t n = RoundHalfEven(static_cast<double>(amountPercent) * clientWidth * 0.01);
  if (n == 0) n = 1;
  std::vector<uint32_t> columns;
  if (n < 0) return columns;  // the loop from 0 to a negative end draws nothing
  float comp[3], step[3];
  for (int k = 0; k < 3; ++k) {
    const float base = static_cast<float>((baseRgb >> (8 * k)) & 0xFF);
    const float shade = static_cast<float>((shadeRgb >> (8 * k)) & 0xFF);
    comp[k] = shade;
    step[k] = (base - shade) / static_cast<float>(n);
  }
  const int64_t last = n < clientWidth ? n : (clientWidth > 0 ? clientWidth : 0);
  columns.reserve(static_cast<size_t>(last) + 1);
  for (int64_t x = 0; x <= last; ++x) {
    uint32_t rgb = 0;
    for (int k = 0; k < 3; ++k) {
      int64_t v = RoundHalfEven(comp[k]);
      if (v < 0) v = 0;
      if (v > 255) v = 255;
      rgb |= static_cast<uint32_t>(v) << (8 * k);
      comp[k] += step[k];
    }
    columns.push_back(rgb);
  }
  return columns;
}
