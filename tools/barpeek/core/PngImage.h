#pragma once
// PNG files of 24-bit pictures, written with nothing but the standard
// library. Screen pictures are mostly flat areas, so each row is filtered
// (none, left or up neighbour, whichever leaves the smallest differences)
// and the rows are deflated with the fixed codes and runs of repeated bytes:
// a 1024 x 768 screen with a bar on it takes a few kilobytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
  uint32_t Width = 0;
  uint32_t Height = 0;
  // Top row first, three bytes per pixel in the order red, green, blue.
  std::vector<uint8_t> Pixels;
};

// The whole file. Raises std::invalid_argument when the pixels do not match
// the size or the picture is empty.
std::string EncodePng(const RgbImage& image);
