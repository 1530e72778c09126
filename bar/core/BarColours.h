#pragma once
// The colour shade of the bar (portable).
#include <cstdint>
#include <vector>

#include "shared/core/StoredLook.h"

// The pen colours of the shade's columns x = 0 .. n: from shadeRgb at the
// left edge to baseRgb at x = n, n being amountPercent of clientWidth
// (rounded, halves to even; at least 1). The steps are added in single
// precision and each component rounded halves to even. Columns right of the
// client area are not returned: they would not show.
std::vector<uint32_t> ShadeColumns(uint32_t baseRgb, uint32_t shadeRgb, int32_t amountPercent,
                                   int32_t clientWidth);

// The colour of a panel graph's filled area: the cell's face a fifth of the
// way to its font colour, a light tint of the two that keeps nearly all the
// text's contrast, whatever the colours.
uint32_t GraphTint(uint32_t faceRgb, uint32_t textRgb);

// Nearest integer, halves to the even neighbour.
int64_t RoundHalfEven(double x);
