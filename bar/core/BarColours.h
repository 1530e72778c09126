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

// Nearest integer, halves to the even neighbour.
int64_t RoundHalfEven(double x);
